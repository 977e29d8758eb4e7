#include "KWWindow.h"

#include "KWContext.h"
#include "core/logic/StyleMapping.h"

#include <new>

namespace KW {

KWWindow* KWWindow::create(eStyles, eWindowType type, int x, int y, int width, int height,
                           const std::string& title, KWObject* parent, int id) {
    // No parent check: a window without a parent is a top-level window.
    return new (std::nothrow) KWWindow(type, x, y, width, height, title, parent, id);
}

KWWindow::KWWindow(eWindowType type, int x, int y, int width, int height, const std::string& title,
                   KWObject* parent, int id)
    : KWObject(GADGET_WINDOW, parent, id), minWidth(0), minHeight(0), menuBar(nullptr) {
    const styles::WindowStyle windowStyle = styles::windowStyle(type, parent != nullptr);
    HWND window = CreateWindowExA(windowStyle.exStyle, "KWWINDOW", title.c_str(), windowStyle.style, x, y,
                                  width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "KWWindow creation failed !")) {
        subclassWindow(KWWindowCallback);
    }
}

void KWWindow::setMinDimension(int width, int height) {
    minWidth = width;
    minHeight = height;
}

void KWWindow::addMenu(const std::string& title, KWContext* menu) {
    if (!menuBar) {
        menuBar = CreateMenu();
        SetMenu(handle, menuBar);
    }
    AppendMenuA(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu ? menu->getHandle() : nullptr),
                title.c_str());
    DrawMenuBar(handle);
}

LRESULT CALLBACK KWWindow::KWWindowCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    handleDefaults(window, msg, wParam, lParam);
    KWWindow* self = static_cast<KWWindow*>(fromHandle(window));
    if (!self) {
        return DefWindowProcA(window, msg, wParam, lParam);
    }
    return self->handleMessage(msg, wParam, lParam);
}

LRESULT KWWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        return 0;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (info->ptMinTrackSize.x < minWidth) {
            info->ptMinTrackSize.x = minWidth;
        }
        if (info->ptMinTrackSize.y < minHeight) {
            info->ptMinTrackSize.y = minHeight;
        }
        break;
    }
    case WM_CLOSE:
        PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefWindowProcA(handle, msg, wParam, lParam);
}

} // namespace KW
