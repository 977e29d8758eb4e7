#ifndef KW_BUTTON_H
#define KW_BUTTON_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A flat push button. A click reaches the parent window as WM_COMMAND (BN_CLICKED).
class KW_API KWButton : public KWObject {
public:
    /// style is accepted and ignored; text is the caption.
    static KWButton* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                            KWObject* parent, int id);

private:
    KWButton(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);
};

} // namespace KW

#endif
