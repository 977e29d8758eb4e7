#include "KWObject.h"

#include "Kwadro.h"
#include "core/DeletionWatch.h"
#include "core/DpiFonts.h"
#include "core/LiveGadgets.h"
#include "core/MoveBatch.h"
#include "core/WideText.h"
#include "core/logic/DpiScale.h"
#include "core/logic/EventQueueRule.h"
#include "core/logic/LockLayout.h"
#include "core/logic/StyleMapping.h"

#include <algorithm>

namespace KW {

KWObject::KWObject(eGadgetType type, KWObject* parent, int id)
    : handle(nullptr), tooltipWindow(nullptr), statusBar(nullptr), userValue(0), userData(nullptr), id(id),
      lockType(LOCK_NONE), parent(nullptr), type(type), visible(true), previousProc(nullptr),
      alive(std::make_shared<bool>(true)) {
    livegadgets::add(this);
    if (parent) {
        parent->children.push_back(this);
        if (type == GADGET_STATUS) {
            parent->statusBar = this;
        }
    }
    this->parent = parent;
}

KWObject::~KWObject() {
    *alive = false;
    livegadgets::remove(this);
    if (watching) {
        DeletionWatch::remove(this);
    }
    // Every gadget that points to this one forgets it before anything else can reach it, and so does
    // the application's event queue.
    DeletionWatch::gadgetDeleted(this);
    eventqueue::dropEventsOf(Kwadro::events, this);
    // A gadget deleted on its own (by a handler, say) leaves its parent's list, so the parent never
    // deletes it a second time.
    if (parent) {
        std::vector<KWObject*>& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        if (parent->statusBar == this) {
            parent->statusBar = nullptr;
        }
    }
    // The tips' tools point to this window; the tip window itself is owned by the top-level window
    // and would outlive this one.
    if (tooltipWindow && IsWindow(tooltipWindow)) {
        DestroyWindow(tooltipWindow);
    }
    tooltipWindow = nullptr;
    releaseWindow();
    releaseInput();
    // Children go first, in creation order, so their windows die before this one. The list is emptied
    // first, so each child finds nothing to leave.
    std::vector<KWObject*> doomed;
    doomed.swap(children);
    for (KWObject* child : doomed) {
        delete child;
    }
    if (handle && IsWindow(handle)) {
        DestroyWindow(handle);
        dpi::forgetAnnounced(handle);
    }
}

void KWObject::releaseInput() {
    if (!handle || !IsWindow(handle)) {
        return;
    }
    const auto holds = [this](HWND window) {
        return window && (window == handle || IsChild(handle, window));
    };
    if (holds(GetCapture())) {
        ReleaseCapture();
    }
    if (holds(GetFocus())) {
        HWND parentWindow = parentHandle();
        SetFocus(parentWindow && IsWindow(parentWindow) ? parentWindow : nullptr);
    }
}

void KWObject::releaseWindow() {
    if (!handle || !IsWindow(handle) || fromHandle(handle) != this) {
        return;
    }
    if (previousProc) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    }
    SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
}

void KWObject::watchDeletions() {
    if (!watching) {
        watching = true;
        DeletionWatch::add(this);
    }
}

void KWObject::forgetGadget(KWObject*) {}

void KWObject::forgetImageList(KWImageList*) {}

void KWObject::themeChanged() {}

bool KWObject::customDraw(NMCUSTOMDRAW*, LRESULT&) {
    return false;
}

bool KWObject::describeAccessible(int, KWAccessibleElement&) const {
    return false;
}

int KWObject::accessibleChildCount() const {
    return 0;
}

bool KWObject::doAccessibleDefault(int) {
    return false;
}

RECT KWObject::screenRect() const {
    RECT area = {};
    if (handle) {
        GetWindowRect(handle, &area);
    }
    return area;
}

void KWObject::setAccessibleName(const std::string& text) {
    accessibleName = text;
    accessiblyNamed = true;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
}

std::string KWObject::getAccessibleName() const {
    return accessiblyNamed ? accessibleName : getText();
}

DWORD KWObject::createStyle(eStyles style) {
    return styles::gadgetStyle(style);
}

KWObject* KWObject::fromHandle(HWND window) {
    if (!window) {
        return nullptr;
    }
    return reinterpret_cast<KWObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void KWObject::showError(const std::string& text) {
    MessageBoxW(nullptr, text::wide(text).c_str(), L"KW Error", MB_ICONERROR);
}

bool KWObject::requireParent(const KWObject* parent, const std::string& message) {
    if (parent) {
        return true;
    }
    showError(message);
    return false;
}

bool KWObject::attachWindow(HWND window, const std::string& failureMessage) {
    handle = window;
    if (!window) {
        showError(failureMessage);
        return false;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previousProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    return true;
}

void KWObject::subclassWindow(WNDPROC procedure) {
    if (!handle) {
        return;
    }
    previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

HWND KWObject::parentHandle() const {
    return parent ? parent->getHandle() : nullptr;
}

void KWObject::setText(const std::string& text) {
    text::setWindowText(handle, text);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
}

void KWObject::setBounds(const KWBound& b) {
    if (!moves::defer(handle, b.left, b.top, b.right, b.bottom, SWP_NOZORDER)) {
        SetWindowPos(handle, nullptr, b.left, b.top, b.right, b.bottom, SWP_NOZORDER);
    }
}

void KWObject::setPosition(const KWBound& b) {
    SetWindowPos(handle, nullptr, b.left, b.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void KWObject::setPosition(int x, int y) {
    SetWindowPos(handle, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void KWObject::setPlacement(KWBound& b) {
    b.right = b.right - b.left;
    b.bottom = b.bottom - b.top;
    if (!moves::defer(handle, b.left, b.top, b.right, b.bottom, SWP_NOZORDER)) {
        SetWindowPos(handle, nullptr, b.left, b.top, b.right, b.bottom, SWP_NOZORDER);
    }
}

std::string KWObject::getText() const {
    if (!handle || !IsWindow(handle)) {
        return std::string();
    }
    // At most 99 characters, never half of one.
    return text::windowText(handle, 99);
}

KWBound KWObject::getLocalBounds() {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(handle, &placement)) {
        return KWBound();
    }
    return KWBound(placement.rcNormalPosition);
}

KWBound KWObject::getGlobalBounds() {
    RECT client = {};
    GetClientRect(handle, &client);
    return KWBound(client);
}

void KWObject::setHandler(const KWHandler& newHandler) {
    handler = newHandler;
}

bool KWObject::notify(eEventType eventType, int param1) {
    // Screen readers hear of every value change a gadget that describes itself reports (the platform
    // tells them of its own controls').
    KWAccessibleElement self;
    if ((eventType == EVENT_CHANGED || eventType == EVENT_CHANGING) && describeAccessible(0, self)) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
    }
    if (!handler) {
        return true;
    }
    // Both are copied: the handler may replace itself, or delete this gadget, while it runs.
    const std::shared_ptr<bool> stillAlive = alive;
    const KWHandler current = handler;
    const KWEvent event = {eventType, this, param1, 0};
    current(event);
    return *stillAlive;
}

void KWObject::controlNotified(int) {}

void KWObject::controlCommand(KWObject*, int, int code) {
    controlNotified(code);
}

void KWObject::controlNotify(const NMHDR*, LPARAM) {}

void KWObject::relayCommand(KWObject* receiver, int commandId) {
    receiver->commandChosen(commandId);
}

void KWObject::commandChosen(int) {}

bool KWObject::serialize(const std::ofstream&) {
    return false;
}

bool KWObject::deSerialize(const std::ifstream&) {
    return false;
}

int KWObject::getDpi() const {
    return dpi::ofWindow(handle);
}

int KWObject::scale(int pixelsAt96) const {
    return dpi::scaled(pixelsAt96, getDpi());
}

int KWObject::getChildCount() {
    return static_cast<int>(children.size());
}

KWObject* KWObject::getChild(int index) {
    if (index < 0 || index >= getChildCount()) {
        return nullptr;
    }
    return children[index];
}

void KWObject::setActive(bool active) {
    EnableWindow(handle, active);
}

bool KWObject::isActive() {
    return IsWindowEnabled(handle) != 0;
}

void KWObject::setVisible(bool show) {
    ShowWindow(handle, show ? SW_SHOW : SW_HIDE);
    visible = show;
}

void KWObject::doAlignment() {
    int statusHeight = 0;
    if (statusBar) {
        RECT bar = {};
        GetClientRect(statusBar->getHandle(), &bar);
        statusHeight = bar.bottom - bar.top;
    }
    const KWBound area = layout::alignmentArea(getGlobalBounds(), statusBar != nullptr, statusHeight);

    // The children are moved together when the loop ends.
    moves::Batch batch(handle);
    for (KWObject* child : children) {
        layout::ChildPlacement placement =
            layout::placeLockedChild(child->lockType, area, child->getLocalBounds());
        if (placement.call == layout::PlacementCall::SetBounds) {
            child->setBounds(placement.bound);
        } else if (placement.call == layout::PlacementCall::SetPlacement) {
            child->setPlacement(placement.bound);
        }
        if (child->type == GADGET_STATUS) {
            child->setBounds(area.edgesToSize());
        }
    }
}

} // namespace KW
