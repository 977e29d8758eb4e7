#ifndef KW_COLOR_PICKER_H
#define KW_COLOR_PICKER_H

#include "KWObject.h"

namespace KW {

/// A hidden popup, "Select Color...", in which the user picks an RGBA colour from a hue slider, a
/// saturation-and-brightness box and an alpha slider. The colour is read back from the pixels under the
/// markers, so it is the colour the user sees.
///
/// The picker reports nothing by itself. Its opener creates it as a child, replaces the popup's window
/// procedure and user data with its own, loads a colour with setColor, shows it, and on a WM_COMMAND from
/// getOkButton() takes getColor(); "Cancel" (getCancelButton()) and WM_CLOSE only hide it.
class KW_API KWColorPicker : public KWObject {
public:
    /// x, y: the popup's screen position. parent: the opener, whose window owns the popup.
    KWColorPicker(KWColor color, int x, int y, KWObject* parent);

    /// The colour picked so far (the one loaded with setColor until the user changes it).
    KWColor getColor();
    /// Loads a colour and places the markers for it; the next paint shows it.
    void setColor(KWColor color);

    /// The "Ok" button, whose WM_COMMAND tells the opener to take getColor().
    HWND getOkButton() const { return okButton; }
    /// The "Cancel" button, which hides the picker.
    HWND getCancelButton() const { return cancelButton; }

private:
    struct Marker {
        int x;
        int y;
    };

    int round(float x);
    void loadColor(const KWColor& value);
    void redrawSaturationAndBrightness(HDC hdc);
    void redrawHue(HDC hdc);
    void redrawAlpha(HDC hdc);
    void redrawResultColor(HDC hdc);
    HWND createArea(int x, int y, int width, int height, DWORD style, WNDPROC procedure, WNDPROC* previous);
    void paint(HWND window, void (KWColorPicker::*redraw)(HDC));

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
    COLORREF hueColor;
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
};

} // namespace KW

#endif
