#ifndef KW_TEXT_H
#define KW_TEXT_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A static label, aligned left, right or centred; unknown alignments are left-aligned.
class KW_API KWText : public KWObject {
public:
    /// style is accepted and ignored.
    static KWText* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                          KWTextAlign align, KWObject* parent, int id);

private:
    KWText(const std::string& text, int x, int y, int width, int height, KWTextAlign align, KWObject* parent,
           int id);
};

} // namespace KW

#endif
