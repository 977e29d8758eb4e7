#ifndef KW_COLOR_EDIT_H
#define KW_COLOR_EDIT_H

#include "KWColorPoint.h"
#include "KWObject.h"

#include <memory>
#include <vector>

namespace Gdiplus {
class Bitmap;
class Graphics;
} // namespace Gdiplus

namespace KW {

class KWColorPicker;
class PickerHost;
namespace coloredit {
class ColorEditModel;
class ColorEditView;
struct SwatchHit;
} // namespace coloredit

/// Edits a colour ramp over 0 to 100: a row of keys, each with two colours with alpha, shown as two
/// swatches over a checkerboard. Left button: select and drag; double click: insert; Delete: delete the
/// selected key; right click on a swatch: edit it in the colour picker (blockedWindow is disabled
/// meanwhile); Shift + right click: copy the other swatch onto the clicked one; "+" / "-": swatch size;
/// wheel: zoom about the mouse; middle button: pan.
///
/// Keyboard, while the editor has the focus (a click gives it; a frame in the highlight colour over the
/// client edge shows it): Tab and Shift+Tab select the next and the previous key by position; Left and
/// Right move the selected key by one pixel's worth of data at the current zoom (ten with Shift),
/// within 0 to 100, the end keys keeping their positions; F frames all keys in the view; Enter opens the
/// picker on the selected key's upper colour, Shift+Enter on its lower one; Delete as above; Ctrl+Tab
/// leaves the editor. Ctrl+C puts the keys on the clipboard as text and Ctrl+V replaces them from such text,
/// which must pass the same check as setPoints (otherwise nothing changes and the editor beeps). The text has
/// one key per line, in vector order, ended by CR LF: the position, then the upper colour's red, green,
/// blue and alpha, then the lower colour's, as whole numbers 0 to 255, separated by tabs, e.g.
/// "0\t50\t100\t200\t255\t0\t0\t200\t255\r\n". Reading also accepts spaces between the
/// numbers, LF line ends and blank lines; the first and last keys become the fixed ones.
///
/// The handler hears of the user's edits once the picture shows them: EVENT_CHANGING for each move of a
/// drag that changes a key, then EVENT_CHANGED at the release; EVENT_CHANGED for an insertion, a
/// deletion, a Shift + right click that changed a swatch, an arrow key or a paste that changed
/// something, and "Ok" in the picker. param1 is the edited key's index in getPoints() (for a deletion,
/// the index the key had), or -1 when several keys changed.
class KW_API KWColorEdit : public KWObject {
public:
    /// style is not used; blockedWindow is disabled while the picker is open (none when null).
    static KWColorEdit* create(eStyles style, int x, int y, int width, int height, KWObject* parent,
                               KWObject* blockedWindow);
    ~KWColorEdit() override;

    /// Pans horizontally by dx pixels; dy is ignored.
    void moveView(int dx, int dy);
    /// One zoom step about the mouse position.
    void zoomIn();
    /// One zoom step out about the mouse position.
    void zoomOut();
    /// Zooms and pans so that every key is in view, as the F key does. A view change: no handler call.
    void frameKeys();
    /// The last known mouse position along the ramp, in data units (0 to 100 over the keys).
    float getCursorX() const;
    /// The last known mouse position across the ramp, in data units.
    float getCursorY() const;
    /// Inserts a key after the last key at or left of position, with its colours; ignored outside
    /// 0 to 100 or with y below 0.
    void insertPoint(float position, float y);
    /// Deletes the selected key unless it is one of the two fixed end keys.
    void deleteSelected();
    /// Selects the key under the mouse (unless a button is held down in the gadget).
    void selectPoint();
    /// Drags the selected keys by dx pixels; dy is ignored.
    void movePoint(float dx, float dy);

    /// The keys in vector order (dragging changes positions without reordering).
    const std::vector<KWColorPoint>& getPoints() const;
    /// Replaces the keys if they keep the invariants: at least two, positions within 0 to 100 in
    /// ascending order, colour components within 0 to 255, the first and the last key fixed and no other.
    /// Otherwise returns false and changes nothing.
    bool setPoints(const std::vector<KWColorPoint>& points);
    /// Shows number fields (red, green, blue, alpha, hue, saturation, value and hex) in the colour
    /// picker this editor opens; off by default. See KWColorPicker::setNumericInput.
    void setNumericInput(bool enabled);
    /// The two colours at a position, interpolated linearly between the neighbouring keys in position
    /// order; beyond the outermost keys their colours. False (nothing written) for a non-finite position.
    bool evaluate(float position, KWColor& color1, KWColor& color2) const;

protected:
    /// Described to screen readers with one child per key, in position order.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;
    int accessibleChildCount() const override;
    /// Rescales the swatch size, which also sets the pick distance, to the new DPI.
    void dpiChanged(int oldDpi, int newDpi) override;

private:
    KWColorEdit(int x, int y, int width, int height, KWObject* parent, KWObject* blockedWindow);
    /// The window to disable is being deleted: the picker opens without disabling a window.
    void forgetGadget(KWObject* gadget) override;

    void initColorEdit();
    /// The keyboard's editing keys; true when the keys changed.
    bool handleKey(WPARAM key);
    void setColorsEqual();
    void pickColor();
    /// Opens the picker on one colour of a key.
    void openPicker(const coloredit::SwatchHit& hit);
    /// The picker closed; keepColor for "Ok", with the colour it holds.
    void closePicker(bool keepColor, const KWColor& color);
    void rebuildBuffer();
    POINT mouseInClient() const;
    void drawColors(HDC hdc);
    void drawGrid(Gdiplus::Graphics* graphics);
    void drawMargins(HDC hdc);
    /// Keys, mouse and paint.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    static LRESULT CALLBACK KWColorEditCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWColorPickerCustomCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    Gdiplus::Bitmap* backBuffer;
    Gdiplus::Graphics* backGraphics;
    std::unique_ptr<coloredit::ColorEditView> view;
    bool dragging;
    bool dirty;
    int lastMouseX;
    int lastMouseY;
    int markerSize;
    /// Opens, tracks and closes the colour picker; owned.
    PickerHost* pickerHost;
    KWObject* blockedWindow;
    std::unique_ptr<coloredit::ColorEditModel> model;
    bool dragReported; // the current drag has moved keys
    int dragIndex;     // what its last move reported
};

} // namespace KW

#endif
