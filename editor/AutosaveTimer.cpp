#include "AutosaveTimer.h"

#include <map>
#include <utility>

namespace pelmora {

namespace {

// A thread timer's callback gets only its id.
std::map<UINT_PTR, AutosaveTimer*>& timers() {
    static std::map<UINT_PTR, AutosaveTimer*> byId;
    return byId;
}

} // namespace

AutosaveTimer::AutosaveTimer(UINT delay, std::function<void()> act)
    : delayMs(delay), action(std::move(act)) {}

AutosaveTimer::~AutosaveTimer() {
    cancel();
}

void AutosaveTimer::schedule() {
    if (timer == 0) {
        timer = SetTimer(nullptr, 0, delayMs, fired);
        if (timer != 0) {
            timers()[timer] = this;
        }
    }
}

void AutosaveTimer::cancel() {
    if (timer != 0) {
        KillTimer(nullptr, timer);
        timers().erase(timer);
        timer = 0;
    }
}

void CALLBACK AutosaveTimer::fired(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = timers().find(id);
    if (found != timers().end()) {
        AutosaveTimer* owner = found->second;
        owner->cancel();
        owner->action();
    }
}

} // namespace pelmora
