#ifndef KW_COLOR_PICKER_H
#define KW_COLOR_PICKER_H

#include "KWObject.h"

namespace KW {

class PickerHost;

/// A hidden popup, "Select Color...", in which the user picks an RGBA colour from a hue slider, a
/// saturation-and-brightness box and an alpha slider. The colour is read back from the pixels under the
/// markers, so it is the colour the user sees. Row r of the hue slider shows the hue r / 255 (red at
/// both ends); the box shows the loaded or chosen hue with the saturation growing to the right and the
/// brightness falling downward, its last column and row being the pure hue and black.
///
/// Optional number fields (setNumericInput) show the colour as red, green, blue and alpha (0 to 255),
/// hue (0 to 359), saturation and value (0 to 100) and hex ("#RRGGBBAA"). Typing a valid value moves
/// the markers and updates the preview and the other fields at once; a number outside its range is held
/// to it; a field left with invalid text (an unfinished hex value, an empty number) shows the colour's
/// value again. A typed colour is kept exactly: getColor() returns it until a marker is dragged or
/// setColor is called.
///
/// While the user drags a marker or types a value that changes the colour, the picker's handler gets
/// EVENT_CHANGING with the picker's id once the areas, the fields and getColor() are up to date.
///
/// The popup draws at its owner's DPI: its size, areas, buttons, fields and fonts are given at 96 DPI
/// (520 x 305 pixels, a 256-pixel box) and scaled. The box and sliders then hold more pixels, spread
/// over the same hues, saturations, brightnesses and alphas. When the owner's top-level window moves to
/// another DPI the popup follows, keeping its colour and its markers' places.
///
/// Its opener (KWColorEdit, KWColorButtons) creates it as a child, loads a colour with setColor, shows
/// it, and takes getColor() on "Ok" (getOkButton()); "Cancel" (getCancelButton()) and WM_CLOSE only
/// hide it. The popup keeps its own window procedure and user data while an opener hosts it.
class KW_API KWColorPicker : public KWObject {
public:
    /// x, y: the popup's screen position. parent: the opener, whose window owns the popup.
    KWColorPicker(KWColor color, int x, int y, KWObject* parent);

    /// The colour picked so far (the one loaded with setColor until the user changes it).
    KWColor getColor();
    /// Loads a colour and places the markers for it; the next paint shows it.
    void setColor(KWColor color);

    /// Shows the number fields in a row below the areas, making the popup taller, or hides them again
    /// (the default).
    void setNumericInput(bool enabled);
    /// Whether the number fields are shown.
    bool isNumericInput() const { return numericInput; }

    /// The "Ok" button, whose WM_COMMAND tells the opener to take getColor().
    HWND getOkButton() const { return okButton; }
    /// The "Cancel" button, which hides the picker.
    HWND getCancelButton() const { return cancelButton; }

protected:
    /// Described to screen readers as a dialog whose value is the colour, "#RRGGBBAA"; see
    /// KWObject::describeAccessible. An opener that replaces the popup's procedure hands WM_GETOBJECT on
    /// to the picker's description.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;
    /// While an opener hosts it, the popup answers only to its host (no shared steps but accessibility).
    unsigned routingSteps() const override;
    /// "Ok", "Cancel" and the close box go to the host.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    friend class PickerHost;
    /// The opener's host, told of "Ok", "Cancel" and the close box; null while none hosts the popup.
    PickerHost* host = nullptr;

    struct Marker {
        int x;
        int y;
    };

    int round(float x);
    void loadColor(const KWColor& value);
    /// Puts the markers where a colour lies in the areas at the popup's DPI.
    void placeMarkers(float placedHue, float placedSaturation, float placedBrightness, int alpha);
    /// Lays the popup and its windows out again at the new DPI and gives them the fonts for it.
    void dpiChanged(int oldDpi, int newDpi) override;
    void redrawSaturationAndBrightness(HDC hdc);
    void redrawHue(HDC hdc);
    void redrawAlpha(HDC hdc);
    void redrawResultColor(HDC hdc);
    HWND createArea(int x, int y, int width, int height, DWORD style, WNDPROC procedure, WNDPROC* previous);
    void paint(HWND window, void (KWColorPicker::*redraw)(HDC));

    /// Brings the picture and the colour up to date after a marker or a field changed and tells the
    /// handler.
    void reportChange();
    void createFields();
    /// Writes the colour into every field but skip (-1: all), leaving equal texts alone.
    void showFields(int skip);
    /// A field's text changed or the field lost the focus.
    void fieldEdited(int field);
    void fieldLeft(int field);
    static LRESULT CALLBACK KWFieldsCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static KWColorPicker* fromArea(HWND window);
    /// Mouse drags over the box and the sliders: the marker follows the mouse while the left button is
    /// the only key state.
    static LRESULT moveMarker(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                              Marker KWColorPicker::*marker, WNDPROC KWColorPicker::*previous,
                              void (KWColorPicker::*redraw)(HDC));
    static LRESULT CALLBACK KWColorBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWHueSlideCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWAlphaSlideCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWResultColorCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWColorPickerCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    KWColor color;
    Marker alphaMarker;
    Marker hueMarker;
    Marker boxMarker;
    float hue;
    float saturation;
    float brightness;
    // A typed colour, kept as it is instead of being read from the pixels.
    bool exact;
    // What the hue, saturation and value fields hold (typed values survive colours without a hue).
    int fieldHue;
    int fieldSaturation;
    int fieldValue;
    bool numericInput;
    // Set while the picker writes its own fields, whose change notifications are then no typing.
    bool writingFields;
    HWND fieldsPanel;
    HWND fields[8];
    WNDPROC fieldsProc;
    HWND boxHandle;
    HWND hueHandle;
    HWND alphaHandle;
    HWND resultHandle;
    HWND okButton;
    HWND cancelButton;
    HWND textHandle;
    WNDPROC boxProc;
    WNDPROC hueProc;
    WNDPROC alphaProc;
    WNDPROC resultProc;
    HWND fieldLabels[8];
    // The DPI the popup is laid out for: its owner's.
    int layoutDpi;
};

} // namespace KW

#endif
