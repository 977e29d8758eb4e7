#include "DialogTemplate.h"

namespace pelmora {

DialogTemplate::DialogTemplate(const wchar_t* caption, short width, short height) {
    const DWORD style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    add(LOWORD(style));
    add(HIWORD(style));
    add(0); // extended style
    add(0);
    countAt = words.size();
    add(0); // item count, raised by item()
    add(0); // x, y, width, height
    add(0);
    add(static_cast<WORD>(width));
    add(static_cast<WORD>(height));
    add(0); // no menu
    add(0); // the standard dialog class
    addText(caption);
    add(8); // the font's point size, then its name
    addText(L"MS Shell Dlg");
}

void DialogTemplate::item(const wchar_t* className, const wchar_t* text, WORD id, DWORD style, short x,
                          short y, short cx, short cy) {
    while (words.size() % 2 != 0) { // each item starts on a DWORD boundary
        add(0);
    }
    style |= WS_CHILD | WS_VISIBLE;
    add(LOWORD(style));
    add(HIWORD(style));
    add(0); // extended style
    add(0);
    add(static_cast<WORD>(x));
    add(static_cast<WORD>(y));
    add(static_cast<WORD>(cx));
    add(static_cast<WORD>(cy));
    add(id);
    addText(className);
    addText(text);
    add(0); // no creation data
    ++words[countAt];
}

void DialogTemplate::addText(const wchar_t* text) {
    while (*text) {
        add(static_cast<WORD>(*text++));
    }
    add(0);
}

} // namespace pelmora
