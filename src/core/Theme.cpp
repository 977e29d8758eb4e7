#include "core/Theme.h"

#include "Kwadro.h"

#include <map>

namespace KW {

namespace {

KWTheme& currentTheme() {
    static KWTheme theme = KWTheme::light();
    return theme;
}

int luma(COLORREF color) {
    return (GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114) / 1000;
}

// The preferred colour, unless it is too close in lightness to the background to be read on it (some
// platforms make their link colour a pale grey); then the fallback.
COLORREF readableOn(COLORREF background, COLORREF preferred, COLORREF fallback) {
    const int minimumDifference = 64;
    const int difference = luma(preferred) - luma(background);
    return difference >= minimumDifference || -difference >= minimumDifference ? preferred : fallback;
}

} // namespace

KWTheme KWTheme::light() {
    KWTheme t;
    t.window = GetSysColor(COLOR_BTNFACE);
    t.panel = RGB(210, 208, 212);
    t.text = RGB(0, 0, 0);
    t.disabledText = GetSysColor(COLOR_GRAYTEXT);
    t.border = RGB(100, 100, 100);
    t.headerBand = RGB(0, 0, 128);
    t.headerText = RGB(255, 255, 255);
    t.rolloutBar = RGB(210, 208, 212);
    t.rolloutLine = RGB(100, 100, 100);
    t.selection = GetSysColor(COLOR_HIGHLIGHT);
    t.selectionText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    t.editBackground = GetSysColor(COLOR_WINDOW);
    t.graphBackground = RGB(200, 200, 200);
    t.graphGrid = RGB(180, 180, 180);
    t.graphAxis = RGB(255, 0, 0);
    t.curveUpper = RGB(0, 0, 0);
    t.curveLower = RGB(0, 20, 200);
    t.marker = RGB(0, 0, 0);
    t.markerSelected = RGB(255, 0, 0);
    t.focus = GetSysColor(COLOR_HIGHLIGHT);
    return t;
}

KWTheme KWTheme::dark() {
    KWTheme t;
    t.window = RGB(45, 45, 48);
    t.panel = RGB(37, 37, 38);
    t.text = RGB(230, 230, 230);
    t.disabledText = RGB(150, 150, 150);
    t.border = RGB(85, 85, 90);
    t.headerBand = RGB(62, 62, 66);
    t.headerText = RGB(240, 240, 240);
    t.rolloutBar = RGB(62, 62, 66);
    t.rolloutLine = RGB(120, 120, 125);
    t.selection = RGB(38, 79, 120);
    t.selectionText = RGB(255, 255, 255);
    t.editBackground = RGB(30, 30, 30);
    t.graphBackground = RGB(30, 30, 30);
    t.graphGrid = RGB(60, 60, 60);
    t.graphAxis = RGB(220, 80, 80);
    t.curveUpper = RGB(230, 230, 230);
    t.curveLower = RGB(100, 170, 255);
    t.marker = RGB(230, 230, 230);
    t.markerSelected = RGB(255, 90, 90);
    t.focus = RGB(0, 122, 204);
    return t;
}

KWTheme KWTheme::system() {
    KWTheme t;
    t.window = GetSysColor(COLOR_BTNFACE);
    t.panel = GetSysColor(COLOR_BTNFACE);
    t.text = GetSysColor(COLOR_BTNTEXT);
    t.disabledText = GetSysColor(COLOR_GRAYTEXT);
    t.border = GetSysColor(COLOR_WINDOWFRAME);
    t.headerBand = GetSysColor(COLOR_ACTIVECAPTION);
    t.headerText = GetSysColor(COLOR_CAPTIONTEXT);
    t.rolloutBar = GetSysColor(COLOR_BTNFACE);
    t.rolloutLine = GetSysColor(COLOR_BTNTEXT);
    t.selection = GetSysColor(COLOR_HIGHLIGHT);
    t.selectionText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    t.editBackground = GetSysColor(COLOR_WINDOW);
    t.graphBackground = GetSysColor(COLOR_WINDOW);
    t.graphGrid = GetSysColor(COLOR_GRAYTEXT);
    t.graphAxis = GetSysColor(COLOR_HIGHLIGHT);
    t.curveUpper = GetSysColor(COLOR_WINDOWTEXT);
    t.curveLower = readableOn(t.graphBackground, GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_HIGHLIGHT));
    t.marker = GetSysColor(COLOR_WINDOWTEXT);
    t.markerSelected = GetSysColor(COLOR_HIGHLIGHT);
    t.focus = GetSysColor(COLOR_HIGHLIGHT);
    return t;
}

bool KWTheme::operator==(const KWTheme& other) const {
    const COLORREF mine[] = {window,          panel,      text,           disabledText,
                             border,          headerBand, headerText,     rolloutBar,
                             rolloutLine,     selection,  selectionText,  editBackground,
                             graphBackground, graphGrid,  graphAxis,      curveUpper,
                             curveLower,      marker,     markerSelected, focus};
    const COLORREF theirs[] = {
        other.window,          other.panel,      other.text,           other.disabledText,
        other.border,          other.headerBand, other.headerText,     other.rolloutBar,
        other.rolloutLine,     other.selection,  other.selectionText,  other.editBackground,
        other.graphBackground, other.graphGrid,  other.graphAxis,      other.curveUpper,
        other.curveLower,      other.marker,     other.markerSelected, other.focus};
    for (std::size_t i = 0; i < sizeof(mine) / sizeof(mine[0]); ++i) {
        if (mine[i] != theirs[i]) {
            return false;
        }
    }
    return true;
}

namespace theme {

const KWTheme& current() {
    return currentTheme();
}

namespace {

// Decided when a theme is stored: paint code asks at every paint, and light() reads system colours.
bool& lightInForce() {
    static bool light = true;
    return light;
}

} // namespace

bool isLight() {
    return lightInForce();
}

HBRUSH brush(COLORREF color) {
    static std::map<COLORREF, HBRUSH> brushes;
    HBRUSH& made = brushes[color];
    if (!made) {
        made = CreateSolidBrush(color);
    }
    return made;
}

void store(const KWTheme& theme) {
    currentTheme() = theme;
    lightInForce() = theme == KWTheme::light();
    // A class's background can only be changed through a window of it: a hidden one serves.
    const std::pair<const wchar_t*, COLORREF> backgrounds[] = {
        {L"KWWINDOW", theme.window}, {L"KWPANEL", theme.panel}, {L"KWWHITE", theme.editBackground}};
    for (const auto& background : backgrounds) {
        HWND sample = CreateWindowExW(0, background.first, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        if (sample) {
            SetClassLongPtrW(sample, GCLP_HBRBACKGROUND,
                             reinterpret_cast<LONG_PTR>(brush(background.second)));
            DestroyWindow(sample);
        }
    }
}

HBRUSH labelBandBrush() {
    return isLight() ? nullptr : brush(currentTheme().panel);
}

HBRUSH controlColors(UINT msg, HDC dc, HWND control) {
    if (isLight()) {
        return nullptr;
    }
    const KWTheme& t = currentTheme();
    const bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    // Labels, check boxes and radios sit on their parent's background.
    COLORREF background = t.editBackground;
    if (!field) {
        LOGBRUSH parentBrush = {};
        HBRUSH classBrush =
            reinterpret_cast<HBRUSH>(GetClassLongPtrW(GetParent(control), GCLP_HBRBACKGROUND));
        background = classBrush && GetObjectW(classBrush, sizeof(parentBrush), &parentBrush) &&
                             parentBrush.lbStyle == BS_SOLID
                         ? parentBrush.lbColor
                         : t.window;
    }
    SetTextColor(dc, IsWindowEnabled(control) ? t.text : t.disabledText);
    SetBkColor(dc, background);
    return brush(background);
}

void systemSettingsChanged() {
    static bool following = false;
    const bool on = highContrastOn();
    if (on && !(following && current() == KWTheme::system())) {
        following = true;
        Kwadro::setTheme(KWTheme::system());
    } else if (!on && following) {
        following = false;
        Kwadro::setTheme(KWTheme::light());
    }
}

bool highContrastOn() {
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace theme
} // namespace KW
