#ifndef KW_EDIT_H
#define KW_EDIT_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A single-line edit field without border. Its content is the window text (setText, getText).
class KW_API KWEdit : public KWObject {
public:
    /// style is accepted and ignored; text is the initial content.
    static KWEdit* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                          KWObject* parent, int id);

private:
    KWEdit(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);
};

} // namespace KW

#endif
