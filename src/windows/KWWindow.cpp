#include "KWWindow.h"

#include "KWContext.h"
#include "core/logic/StyleMapping.h"
#include "windows/SplitterBars.h"
#include "windows/logic/ShortcutTable.h"
#include "core/WideText.h"
#include "controls/CreationText.h"
#include "core/Theme.h"
#include "core/ThemedMenus.h"

#include <algorithm>
#include <new>

namespace KW {

KWWindow* KWWindow::create(eStyles style, eWindowType type, int x, int y, int width, int height,
                           const std::string& title, KWObject* parent, int id) {
    // No parent check: a window without a parent is a top-level window.
    return new (std::nothrow) KWWindow(style, type, x, y, width, height, title, parent, id);
}

KWWindow::KWWindow(eStyles style, eWindowType type, int x, int y, int width, int height,
                   const std::string& title, KWObject* parent, int id)
    : KWObject(GADGET_WINDOW, parent, id), bars(new SplitterBars(*this)), minWidth(0), minHeight(0),
      menuBar(nullptr) {
    const styles::WindowStyle windowStyle = styles::windowStyle(type, parent != nullptr, style);
    HWND window =
        CreateWindowExW(windowStyle.exStyle, L"KWWINDOW", creationText(title).c_str(), windowStyle.style, x,
                        y, width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "KWWindow creation failed !")) {
        completeCreationText(window, title);
        subclassWindow(routeMessage);
        if (!theme::isLight()) {
            themeChanged();
        }
    }
}

KWWindow::~KWWindow() {
    // A drag in progress ends here, so no capture message reaches the window after this object is
    // gone; a message that still arrives while the children are deleted finds no bars to work on.
    bars.reset(new SplitterBars(*this));
    leaveShortcutWindows();
}

void KWWindow::setCloseHandler(const std::function<bool()>& handler) {
    closeHandler = handler;
}

void KWWindow::commandChosen(int commandId) {
    notify(EVENT_CLICKED, commandId);
}

bool KWWindow::closeApproved() {
    if (!closeHandler) {
        return true;
    }
    const std::shared_ptr<const bool> stillAlive = lifeFlag();
    const std::function<bool()> handler = closeHandler;
    const bool approved = handler();
    return *stillAlive && approved;
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
    AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu ? menu->getHandle() : nullptr),
                text::wide(title).c_str());
    if (theme::isLight()) {
        DrawMenuBar(handle);
    } else {
        themeChanged();
    }
}

void KWWindow::addVerticalSplitter(int id, int position, int thickness, int minSize, int maxSize,
                                   bool limitFirst) {
    watchDeletions();
    bars->add(splitters::makeVertical(id, position, thickness, minSize, maxSize, limitFirst));
}

void KWWindow::addHorizontalSplitter(int id, int position, int thickness, int minSize, int maxSize,
                                     bool limitFirst) {
    watchDeletions();
    bars->add(splitters::makeHorizontal(id, position, thickness, minSize, maxSize, limitFirst));
}

void KWWindow::addFromLeft(int id, KWObject* object) {
    reportAttachFailure(bars->dock(id, splitters::Side::Left, object));
}

void KWWindow::addFromRight(int id, KWObject* object) {
    reportAttachFailure(bars->dock(id, splitters::Side::Right, object));
}

void KWWindow::addFromTop(int id, KWObject* object) {
    reportAttachFailure(bars->dock(id, splitters::Side::Top, object));
}

void KWWindow::addFromBottom(int id, KWObject* object) {
    reportAttachFailure(bars->dock(id, splitters::Side::Bottom, object));
}

int KWWindow::getSplitterPosition(int id) const {
    for (std::size_t i = 0; i < bars->count(); ++i) {
        if (bars->idAt(i) == id) {
            return bars->positionAt(i);
        }
    }
    return -1;
}

bool KWWindow::setSplitterPosition(int id, int position) {
    bool found = false;
    for (std::size_t i = 0; i < bars->count(); ++i) {
        if (bars->idAt(i) == id) {
            bars->placeAt(i, position);
            found = true;
        }
    }
    bars->stretch();
    return found;
}

void KWWindow::forgetGadget(KWObject* gadget) {
    bars->forget(gadget);
}

void KWWindow::reportAttachFailure(const char* message) {
    if (message) {
        showError(message);
    }
}

void KWWindow::dpiChanged(int oldDpi, int newDpi) {
    bars->rescale(oldDpi, newDpi);
}

void KWWindow::alignSplitters() {
    bars->align();
}

void KWWindow::recalcSplittersLength() {
    bars->stretch();
}

bool KWWindow::endSplitterDrag() {
    int movedId = 0;
    if (!bars->endDrag(movedId)) {
        return true;
    }
    return notify(EVENT_CHANGED, movedId);
}

LRESULT CALLBACK KWWindow::KWWindowCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

void KWWindow::themeChanged() {
    const bool light = theme::isLight();
    if (menuBar) {
        MENUINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
        info.hbrBack = light ? nullptr : theme::brush(theme::current().window);
        SetMenuInfo(menuBar, &info);
        themedmenus::prepare(menuBar, true);
        DrawMenuBar(handle);
    }
    if (!parent) {
        // Looked up by name: only recent platforms have it (Wine accepts and ignores it).
        typedef HRESULT(WINAPI * SetAttribute)(HWND, DWORD, LPCVOID, DWORD);
        static HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        static SetAttribute setAttribute = dwm ? reinterpret_cast<SetAttribute>(reinterpret_cast<void*>(
                                                     GetProcAddress(dwm, "DwmSetWindowAttribute")))
                                               : nullptr;
        const COLORREF back = theme::current().window;
        // Dark when the window's background is darker than middle grey.
        const BOOL dark = (GetRValue(back) * 299 + GetGValue(back) * 587 + GetBValue(back) * 114) < 128000;
        const DWORD immersiveDarkMode = 20;
        if (setAttribute) {
            setAttribute(handle, immersiveDarkMode, &dark, sizeof(dark));
        }
    }
}

LRESULT KWWindow::handleWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        alignSplitters();
        recalcSplittersLength();
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
    case WM_MOUSEMOVE:
        bars->mouseMoved(wParam, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_LBUTTONDOWN:
        bars->buttonPressed(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_LBUTTONUP:
        if (!endSplitterDrag()) {
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // Capture taken by another window (or released elsewhere) ends the drag; without this the
        // hover would stay frozen and the next left-button move would drag a stale bar.
        if (bars->isDragging() && reinterpret_cast<HWND>(lParam) != handle && !endSplitterDrag()) {
            return 0;
        }
        break;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (menuBar && !theme::isLight()) {
            const LRESULT painted = DefWindowProcW(handle, msg, wParam, lParam);
            themedmenus::fillBarEnd(handle);
            return painted;
        }
        break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        if (!parent) {
            theme::systemSettingsChanged();
        }
        break;
    case WM_CLOSE:
        if (!closeApproved()) {
            return 0;
        }
        PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefWindowProcW(handle, msg, wParam, lParam);
}

} // namespace KW
