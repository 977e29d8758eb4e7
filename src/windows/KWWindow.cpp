#include "KWWindow.h"

#include "KWContext.h"
#include "core/MoveBatch.h"
#include "core/logic/StyleMapping.h"
#include "windows/logic/ShortcutTable.h"
#include "windows/logic/SplitterLayout.h"
#include "core/WideText.h"
#include "controls/CreationText.h"
#include "core/Theme.h"
#include "core/ThemedMenus.h"

#include <algorithm>
#include <new>
#include <unordered_map>

namespace KW {

namespace {

using splitters::Side;

// One pass over a splitter's gadgets that may move them: each gadget's rectangle is read from its window
// once, or is the one the pass already gave it (a gadget on both sides, or docked twice, is seen where
// the pass put it). The moves are made together, in one batch of the window's, when the pass ends.
class Pass {
public:
    explicit Pass(HWND window) : batch(window) {}

    KWBound boundsOf(KWObject* object) {
        const auto known = rects.find(object);
        if (known != rects.end()) {
            return known->second;
        }
        const KWBound bounds = object->getLocalBounds();
        rects.emplace(object, bounds);
        return bounds;
    }

    // Moving a window costs a round of messages even when its rectangle does not change, and a window
    // with many docked gadgets re-places all of them on every attach, drag step and resize: gadgets
    // that already have their target rectangle are left alone.
    void setBounds(KWObject* object, const KWBound& target) {
        if (!moveTo(object, target)) {
            return;
        }
        object->setBounds(target.edgesToSize());
    }

    void setPlacement(KWObject* object, const KWBound& target) {
        if (!moveTo(object, target)) {
            return;
        }
        KWBound bound = target;
        object->setPlacement(bound);
    }

private:
    // Records target as the gadget's rectangle; false when it is there already.
    bool moveTo(KWObject* object, const KWBound& target) {
        KWBound& known = rects[object];
        if (splitters::sameEdges(known, target)) {
            return false;
        }
        known = target;
        return true;
    }

    moves::Batch batch;
    std::unordered_map<KWObject*, KWBound> rects;
};

// Brings the inner edges of the docked gadgets onto the bar; their outer edges stay.
void placeObjects(Pass& pass, const KWSplitter& splitter) {
    for (KWObject* object : splitter.firstObjects) {
        pass.setBounds(object, splitters::flushFirstSide(splitter, pass.boundsOf(object)));
    }
    for (KWObject* object : splitter.secondObjects) {
        pass.setBounds(object, splitters::flushSecondSide(splitter, pass.boundsOf(object)));
    }
}

void placeObjects(HWND window, const KWSplitter& splitter) {
    Pass pass(window);
    placeObjects(pass, splitter);
}

// A bar with an empty side keeps its length.
void recalcLength(KWSplitter& splitter) {
    if (splitter.firstObjects.empty() || splitter.secondObjects.empty()) {
        return;
    }
    auto first = splitter.firstObjects.begin();
    splitters::BarLength length(splitter.vertical, (*first)->getLocalBounds());
    for (++first; first != splitter.firstObjects.end(); ++first) {
        length.include((*first)->getLocalBounds());
    }
    for (KWObject* object : splitter.secondObjects) {
        length.include(object->getLocalBounds());
    }
    length.applyTo(splitter);
}

// After the lock layout has moved the gadgets, the bar follows the second side and the first side
// follows the bar.
void alignSplitter(HWND window, KWSplitter& splitter) {
    Pass pass(window);
    // Each second-side gadget in turn places the bar, so the last one attached decides.
    if (!splitter.secondObjects.empty()) {
        splitters::followSecondSide(splitter, pass.boundsOf(splitter.secondObjects.back()));
    }
    for (KWObject* object : splitter.firstObjects) {
        pass.setPlacement(object, splitters::flushFirstSide(splitter, pass.boundsOf(object)));
    }
}

// Docks object to every splitter with that id, stopping at the first one of the wrong orientation.
// Returns the message to show, or null.
const char* attach(HWND window, std::vector<KWSplitter>& list, int id, Side side, KWObject* object) {
    if (!object) {
        return splitters::missingObjectMessage(side);
    }
    for (KWSplitter& splitter : list) {
        if (splitter.id != id) {
            continue;
        }
        if (!splitters::sideFits(splitter, side)) {
            return splitters::wrongOrientationMessage(side);
        }
        splitters::sideObjects(splitter, side).push_back(object);
        placeObjects(window, splitter);
        recalcLength(splitter);
    }
    return nullptr;
}

// Top-level windows that have shortcuts: the key router finds its window here, never by trusting
// the user data of a window it does not know.
std::vector<KWWindow*>& windowsWithShortcuts() {
    static std::vector<KWWindow*> windows;
    return windows;
}

HCURSOR resizeCursor(bool vertical) {
    // Shared system cursors: loaded once, never released.
    static const HCURSOR acrossColumns = LoadCursorA(nullptr, IDC_SIZEWE);
    static const HCURSOR acrossRows = LoadCursorA(nullptr, IDC_SIZENS);
    return vertical ? acrossColumns : acrossRows;
}

} // namespace

KWWindow* KWWindow::create(eStyles style, eWindowType type, int x, int y, int width, int height,
                           const std::string& title, KWObject* parent, int id) {
    // No parent check: a window without a parent is a top-level window.
    return new (std::nothrow) KWWindow(style, type, x, y, width, height, title, parent, id);
}

KWWindow::KWWindow(eStyles style, eWindowType type, int x, int y, int width, int height,
                   const std::string& title, KWObject* parent, int id)
    : KWObject(GADGET_WINDOW, parent, id), hoveredSplitter(splitters::noSplitter), dragging(false),
      dragStart(0), minWidth(0), minHeight(0), menuBar(nullptr) {
    const styles::WindowStyle windowStyle = styles::windowStyle(type, parent != nullptr, style);
    HWND window =
        CreateWindowExW(windowStyle.exStyle, L"KWWINDOW", creationText(title).c_str(), windowStyle.style, x,
                        y, width, height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "KWWindow creation failed !")) {
        completeCreationText(window, title);
        subclassWindow(KWWindowCallback);
        if (!theme::isLight()) {
            themeChanged();
        }
    }
}

KWWindow::~KWWindow() {
    // A drag in progress ends here, so no capture message reaches the window after this object is
    // gone; a message that still arrives while the children are deleted finds no bars to work on.
    dragging = false;
    hoveredSplitter = splitters::noSplitter;
    if (handle && GetCapture() == handle) {
        ReleaseCapture();
    }
    splitters.clear();
    std::vector<KWWindow*>& registered = windowsWithShortcuts();
    registered.erase(std::remove(registered.begin(), registered.end(), this), registered.end());
}

void KWWindow::setCloseHandler(const std::function<bool()>& handler) {
    closeHandler = handler;
}

void KWWindow::addShortcut(int virtualKey, int modifiers, int commandId) {
    if (!shortcutTable) {
        shortcutTable.reset(new shortcuts::ShortcutTable());
        windowsWithShortcuts().push_back(this);
    }
    shortcutTable->add(virtualKey, modifiers, commandId);
}

KWWindow* KWWindow::withShortcuts(HWND root) {
    for (KWWindow* window : windowsWithShortcuts()) {
        if (window->handle == root) {
            return window;
        }
    }
    return nullptr;
}

bool KWWindow::runShortcut(int virtualKey, int modifiers) {
    int commandId = 0;
    if (!shortcutTable || !shortcutTable->find(virtualKey, modifiers, commandId)) {
        return false;
    }
    notify(EVENT_CLICKED, commandId);
    return true;
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
    splitters.push_back(splitters::makeVertical(id, position, thickness, minSize, maxSize, limitFirst));
}

void KWWindow::addHorizontalSplitter(int id, int position, int thickness, int minSize, int maxSize,
                                     bool limitFirst) {
    watchDeletions();
    splitters.push_back(splitters::makeHorizontal(id, position, thickness, minSize, maxSize, limitFirst));
}

void KWWindow::addFromLeft(int id, KWObject* object) {
    reportAttachFailure(attach(handle, splitters, id, Side::Left, object));
}

void KWWindow::addFromRight(int id, KWObject* object) {
    reportAttachFailure(attach(handle, splitters, id, Side::Right, object));
}

void KWWindow::addFromTop(int id, KWObject* object) {
    reportAttachFailure(attach(handle, splitters, id, Side::Top, object));
}

void KWWindow::addFromBottom(int id, KWObject* object) {
    reportAttachFailure(attach(handle, splitters, id, Side::Bottom, object));
}

int KWWindow::splitterPosition(std::size_t index) const {
    const KWSplitter& splitter = splitters[index];
    return splitter.vertical ? splitter.rect.left : splitter.rect.top;
}

void KWWindow::placeSplitter(std::size_t index, int position) {
    KWSplitter& splitter = splitters[index];
    Pass pass(handle);
    // A side without gadgets is measured from the client area's edge.
    const KWBound client = getGlobalBounds();
    const KWBound first =
        splitter.firstObjects.empty() ? client : pass.boundsOf(splitter.firstObjects.front());
    const KWBound second =
        splitter.secondObjects.empty() ? client : pass.boundsOf(splitter.secondObjects.front());
    splitters::moveBar(splitter, splitters::dragPosition(splitter, position, first, second));
    placeObjects(pass, splitter);
}

int KWWindow::getSplitterPosition(int id) const {
    for (std::size_t i = 0; i < splitters.size(); ++i) {
        if (splitters[i].id == id) {
            return splitterPosition(i);
        }
    }
    return -1;
}

bool KWWindow::setSplitterPosition(int id, int position) {
    bool found = false;
    for (std::size_t i = 0; i < splitters.size(); ++i) {
        if (splitters[i].id == id) {
            placeSplitter(i, position);
            found = true;
        }
    }
    recalcSplittersLength();
    return found;
}

void KWWindow::forgetGadget(KWObject* gadget) {
    for (KWSplitter& splitter : splitters) {
        splitter.firstObjects.remove(gadget);
        splitter.secondObjects.remove(gadget);
    }
}

void KWWindow::reportAttachFailure(const char* message) {
    if (message) {
        showError(message);
    }
}

void KWWindow::dpiChanged(int oldDpi, int newDpi) {
    for (KWSplitter& splitter : splitters) {
        splitters::rescale(splitter, oldDpi, newDpi);
        placeObjects(handle, splitter);
        recalcLength(splitter);
    }
}

void KWWindow::alignSplitters() {
    for (KWSplitter& splitter : splitters) {
        alignSplitter(handle, splitter);
    }
}

void KWWindow::recalcSplittersLength() {
    for (KWSplitter& splitter : splitters) {
        recalcLength(splitter);
    }
}

void KWWindow::updateHoverSplitter(int x, int y) {
    hoveredSplitter = splitters::hitTest(splitters, x, y);
    if (hoveredSplitter == splitters::noSplitter) {
        // The class arrow comes back through the system's own WM_SETCURSOR handling.
        return;
    }
    const HCURSOR cursor = resizeCursor(splitters[hoveredSplitter].vertical);
    if (GetCursor() != cursor) {
        SetCursor(cursor);
    }
}

void KWWindow::setSplitterPos(int x, int y) {
    if (hoveredSplitter == splitters::noSplitter) {
        return;
    }
    KWSplitter& splitter = splitters[hoveredSplitter];
    if (splitter.firstObjects.empty() || splitter.secondObjects.empty()) {
        return;
    }
    Pass pass(handle);
    const KWBound first = pass.boundsOf(splitter.firstObjects.front());
    const KWBound second = pass.boundsOf(splitter.secondObjects.front());
    splitters::moveBar(splitter, splitters::dragPosition(splitter, splitter.vertical ? x : y, first, second));
    placeObjects(pass, splitter);
}

void KWWindow::onMouseMove(WPARAM keys, int x, int y) {
    if (!dragging) {
        updateHoverSplitter(x, y);
    }
    // Exactly the left button: a chord or a held modifier key does not drag.
    if (keys == MK_LBUTTON) {
        // The capture is held for as long as the drag lasts (losing it ends the drag).
        if (!dragging) {
            dragging = true;
            dragStart = hoveredSplitter == splitters::noSplitter ? 0 : splitterPosition(hoveredSplitter);
            SetCapture(handle);
        }
        setSplitterPos(x, y);
    }
}

void KWWindow::onLeftButtonDown(int x, int y) {
    updateHoverSplitter(x, y);
    if (hoveredSplitter != splitters::noSplitter) {
        dragging = true;
        dragStart = splitterPosition(hoveredSplitter);
        SetCapture(handle);
    }
}

bool KWWindow::endSplitterDrag() {
    // Cleared first, so the WM_CAPTURECHANGED that ReleaseCapture sends finds no drag to end.
    const bool wasDragging = dragging;
    dragging = false;
    if (GetCapture() == handle) {
        ReleaseCapture();
    }
    recalcSplittersLength();
    if (!wasDragging || hoveredSplitter == splitters::noSplitter ||
        splitterPosition(hoveredSplitter) == dragStart) {
        return true;
    }
    return notify(EVENT_CHANGED, splitters[hoveredSplitter].id);
}

LRESULT CALLBACK KWWindow::KWWindowCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    handleDefaults(window, msg, wParam, lParam);
    LRESULT controlAnswer = 0;
    if (answerForControl(msg, wParam, lParam, controlAnswer)) {
        return controlAnswer;
    }
    KWWindow* self = static_cast<KWWindow*>(fromHandle(window));
    if (!self) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    return self->handleMessage(msg, wParam, lParam);
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

LRESULT KWWindow::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
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
        onMouseMove(wParam, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_LBUTTONDOWN:
        onLeftButtonDown(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_LBUTTONUP:
        if (!endSplitterDrag()) {
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        // Capture taken by another window (or released elsewhere) ends the drag; without this the
        // hover would stay frozen and the next left-button move would drag a stale bar.
        if (dragging && reinterpret_cast<HWND>(lParam) != handle && !endSplitterDrag()) {
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
