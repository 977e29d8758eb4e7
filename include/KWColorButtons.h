#ifndef KW_COLOR_BUTTONS_H
#define KW_COLOR_BUTTONS_H

#include "KWObject.h"

namespace KW {

class KWColorPicker;
class PickerHost;

/// Two RGBA colours side by side over a checkerboard, colour 1 in the left half (up to and including
/// x = W / 2) and colour 2 in the right half. A click on a half opens the gadget's colour picker on that
/// colour while `window` is disabled; "Ok" stores the picked colour in that half and then gives the
/// handler EVENT_CHANGED with 0 for the first colour or 1 for the second; "Cancel" reports nothing.
/// The checkerboard's squares are 5 pixels at 96 DPI, scaled to the gadget's DPI; the picker follows the
/// DPI of this gadget's window. A Tab stop: Left and Right choose a half, shown by a dotted frame while
/// the gadget has the focus, and Space or Enter opens the picker on it.
class KW_API KWColorButtons : public KWObject {
public:
    /// parent and window are required; style and id are not used.
    static KWColorButtons* create(eStyles style, int x, int y, int width, int height, const KWColor& color1,
                                  const KWColor& color2, KWObject* parent, KWObject* window, int id);

    ~KWColorButtons() override;

    /// Shows number fields (red, green, blue, alpha, hue, saturation, value and hex) in the picker this
    /// gadget opens; off by default. See KWColorPicker::setNumericInput.
    void setNumericInput(bool enabled);

    /// The colour of the left half.
    const KWColor& getColor1() const { return color1; }
    /// The colour of the right half.
    const KWColor& getColor2() const { return color2; }

protected:
    /// Described to screen readers with one child per part; see KWObject::describeAccessible.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;
    int accessibleChildCount() const override;

private:
    KWColorButtons(int x, int y, int width, int height, const KWColor& color1, const KWColor& color2,
                   KWObject* parent, KWObject* window);
    /// The window to disable is being deleted: the picker opens without disabling a window.
    void forgetGadget(KWObject* gadget) override;

    void drawColors(HDC hdc);
    /// The keyboard's work; false for keys it leaves alone.
    bool keyPressed(WPARAM key);
    void openPicker(bool first);
    /// The picker closed; kept for "Ok", with the colour it holds.
    void closePicker(bool kept, const KWColor& color);
    static LRESULT CALLBACK KWColorButtonsCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The default handling, without answering colour questions (the swatches have no child controls).
    unsigned routingSteps() const override;
    /// Clicks and keys open the picker on a swatch; paints both.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    static LRESULT CALLBACK KWColorPickerCustomCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    KWColor color1;
    KWColor color2;
    /// Opens, tracks and closes the colour picker; owned.
    PickerHost* pickerHost;
    bool editingFirst;
    // The half the keyboard works on.
    bool keyboardFirst = true;
    KWObject* window;
};

} // namespace KW

#endif
