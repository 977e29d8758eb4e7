#ifndef KW_COLOR_BUTTON_H
#define KW_COLOR_BUTTON_H

#include "KWObject.h"

namespace KW {

/// A swatch filled with one opaque colour; a click opens the system colour dialog and the chosen colour
/// replaces the shown one (the alpha component is kept, since the dialog has none). "Ok" in the dialog
/// then gives the handler EVENT_CHANGED with the gadget's id; cancelling reports nothing. A Tab stop:
/// Space or Enter opens the dialog as a click does, and a dotted frame shows the focus.
class KW_API KWColorButton : public KWObject {
public:
    /// style is not used. Null, after a message, without a parent.
    static KWColorButton* create(eStyles style, int x, int y, int width, int height, const KWColor& color,
                                 KWObject* parent, int id);

    /// Stores all four components and repaints without erasing.
    void setColor(const KWColor& color);
    /// The colour shown, with the alpha last given to setColor or create.
    const KWColor& getColor() const { return color; }

protected:
    /// Described to screen readers; see KWObject::describeAccessible.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;

private:
    KWColorButton(int x, int y, int width, int height, const KWColor& color, KWObject* parent, int id);

    /// False when the handler deleted the gadget.
    bool chooseColor();
    void paint();
    static LRESULT CALLBACK KWColorButtonCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The default handling, without answering colour questions (the swatch has no child controls).
    unsigned routingSteps() const override;
    /// A click, Space or Enter opens the colour dialog; paints the swatch.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    KWColor color;
};

} // namespace KW

#endif
