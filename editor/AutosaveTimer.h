#ifndef PELMORA_AUTOSAVE_TIMER_H
#define PELMORA_AUTOSAVE_TIMER_H

#include <windows.h>

#include <functional>

namespace pelmora {

// Calls its action once, delayMs after the first of any number of schedule() calls: work is written
// within a few seconds of a change however fast the changes come. Runs on the thread's message loop.
class AutosaveTimer {
public:
    AutosaveTimer(UINT delayMs, std::function<void()> action);
    ~AutosaveTimer();
    AutosaveTimer(const AutosaveTimer&) = delete;
    AutosaveTimer& operator=(const AutosaveTimer&) = delete;

    void schedule();
    void cancel();

private:
    static void CALLBACK fired(HWND window, UINT message, UINT_PTR id, DWORD time);

    UINT delayMs;
    std::function<void()> action;
    UINT_PTR timer = 0;
};

} // namespace pelmora

#endif
