#include "color/PickerHost.h"

#include "color/logic/PickerPlacement.h"

#include <new>
#include <utility>

namespace KW {

PickerHost::PickerHost(KWObject* opener, const KWColor& color, int x, int y, Closed whenClosed)
    : popup(new (std::nothrow) KWColorPicker(color, x, y, opener)), closed(std::move(whenClosed)) {
    if (popup) {
        popup->host = this;
    }
}

PickerHost::~PickerHost() {
    // The picker itself is the opener's child and goes with it; it must no longer find this host.
    if (popup) {
        popup->host = nullptr;
    }
}

void PickerHost::open(const KWColor& color, const RECT& swatch, KWObject* toBlock) {
    if (!popup) {
        return;
    }
    popup->setColor(color);
    if (HWND window = popup->getHandle()) {
        RECT outer = {};
        GetWindowRect(window, &outer);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        if (GetMonitorInfoW(MonitorFromRect(&swatch, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            const picker::ScreenPoint at = picker::besideSwatch(
                {swatch.left, swatch.top, swatch.right, swatch.bottom}, outer.right - outer.left,
                outer.bottom - outer.top, {work.left, work.top, work.right, work.bottom});
            SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    popup->setVisible(true);
    blocked = toBlock;
    if (blocked) {
        blocked->setActive(false);
    }
}

void PickerHost::close(bool kept) {
    if (!popup) {
        return;
    }
    const KWColor color = popup->getColor();
    if (blocked) {
        blocked->setActive(true);
        blocked = nullptr;
    }
    popup->setVisible(false);
    if (closed) {
        const Closed tell = closed;
        tell(kept, color);
    }
}

void PickerHost::forget(KWObject* gadget) {
    if (gadget == popup) {
        popup = nullptr;
    }
    if (gadget == blocked) {
        blocked = nullptr;
    }
}

} // namespace KW
