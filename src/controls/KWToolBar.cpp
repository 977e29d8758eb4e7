#include "KWToolBar.h"

#include "KWImageList.h"
#include "core/WideText.h"
#include "core/Theme.h"

#include <commctrl.h>
#include <new>

namespace KW {

KWToolBar* KWToolBar::create(bool, KWObject* parent, int id) {
    if (!requireParent(parent, "KWToolBar cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWToolBar(parent, id);
}

KWToolBar::KWToolBar(KWObject* parent, int id) : KWObject(GADGET_TOOLBAR, parent, id), imageList(nullptr) {
    HWND window = CreateWindowExW(0, L"ToolbarWindow32", nullptr,
                                  WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, 0, 0, 0, 0,
                                  parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Toolbar creation failed !")) {
        subclassWindow(routeMessage);
        setDefaultFont(handle);
    }
}

void KWToolBar::addButtonRecord(int image, int commandId, unsigned char style, const char* text) {
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = commandId;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = style;
    button.dwData = 0;
    // The toolbar copies the text while adding the button.
    const std::wstring wideText = text::wide(text);
    button.iString = text ? reinterpret_cast<INT_PTR>(wideText.c_str()) : 0;
    // The record's size is the platform's own: 20 bytes on 32-bit Windows, 32 on 64-bit.
    SendMessageW(handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    SendMessageW(handle, TB_AUTOSIZE, 0, 0);
}

void KWToolBar::addButton(int commandId, const std::string& text) {
    addButtonRecord(I_IMAGENONE, commandId, BTNS_BUTTON, text.c_str());
}

void KWToolBar::addButton(int commandId, int imageIndex, const std::string&) {
    addButtonRecord(imageList ? imageIndex : I_IMAGENONE, commandId, BTNS_AUTOSIZE, nullptr);
}

void KWToolBar::addSeparator() {
    addButtonRecord(0, 0, BTNS_SEP, nullptr);
}

void KWToolBar::setImageList(KWImageList* list) {
    if (list) {
        watchDeletions();
    }
    imageList = list;
    SendMessageW(handle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list ? list->handle : nullptr));
}

bool KWToolBar::customDraw(NMCUSTOMDRAW* draw, LRESULT& result) {
    if (theme::isLight()) {
        return false;
    }
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        FillRect(draw->hdc, &draw->rc, theme::brush(theme::current().window));
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw->dwDrawStage == CDDS_ITEMPREPAINT) {
        reinterpret_cast<NMTBCUSTOMDRAW*>(draw)->clrText = theme::current().text;
        result = CDRF_DODEFAULT;
        return true;
    }
    return false;
}

void KWToolBar::controlCommand(KWObject* receiver, int commandId, int code) {
    if (receiver && code == BN_CLICKED) {
        relayCommand(receiver, commandId);
    }
}

void KWToolBar::forgetImageList(KWImageList* list) {
    if (list == imageList) {
        setImageList(nullptr);
    }
}

void KWToolBar::loadStandardIcons() {
    SendMessageW(handle, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
}

void KWToolBar::setBounds(const KWBound&) {
    SendMessageW(handle, TB_AUTOSIZE, 0, 0);
}

} // namespace KW
