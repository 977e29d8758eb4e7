// Counts the messages a thread's windows receive while an operation runs (sent ones, and posted ones
// taken from the queue), by window class and message, and prints the total and the commonest kinds:
// the profile that says where an operation's time goes.
#ifndef KW_BENCH_MESSAGE_COUNT_H
#define KW_BENCH_MESSAGE_COUNT_H

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace benchcount {

inline std::map<std::string, int>& counts() {
    static std::map<std::string, int> table;
    return table;
}

inline std::string messageName(UINT msg, LPARAM lParam) {
    static const std::map<UINT, const char*> names = {
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_SETREDRAW, "WM_SETREDRAW"},
        {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
        {WM_PAINT, "WM_PAINT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {LVM_GETITEMTEXTA, "LVM_GETITEMTEXTA"},
        {LVM_SETITEMTEXTA, "LVM_SETITEMTEXTA"},
        {LVM_GETITEMRECT, "LVM_GETITEMRECT"},
        {LVM_GETSUBITEMRECT, "LVM_GETSUBITEMRECT"},
        {LVM_GETNEXTITEM, "LVM_GETNEXTITEM"},
        {LVM_GETCOLUMNWIDTH, "LVM_GETCOLUMNWIDTH"},
        {LVM_INSERTITEMA, "LVM_INSERTITEMA"},
        {LVM_DELETEITEM, "LVM_DELETEITEM"},
        {LVM_DELETEALLITEMS, "LVM_DELETEALLITEMS"},
    };
    if (msg == WM_NOTIFY && lParam) {
        return "WM_NOTIFY(" + std::to_string(static_cast<int>(reinterpret_cast<const NMHDR*>(lParam)->code)) +
               ")";
    }
    const auto found = names.find(msg);
    if (found != names.end()) {
        return found->second;
    }
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%04X", msg);
    return hex;
}

inline void count(HWND window, UINT msg, LPARAM lParam) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    ++counts()[std::string(className) + " " + messageName(msg, lParam)];
}

inline LRESULT CALLBACK sentHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        count(sent->hwnd, sent->message, sent->lParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

inline LRESULT CALLBACK postedHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG* posted = reinterpret_cast<const MSG*>(lParam);
        count(posted->hwnd, posted->message, posted->lParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs the operation once under the hooks and prints what the windows received.
inline void profile(const char* what, const std::function<void()>& operation, size_t shown = 8) {
    counts().clear();
    HHOOK sent = SetWindowsHookExA(WH_CALLWNDPROC, sentHook, nullptr, GetCurrentThreadId());
    HHOOK posted = SetWindowsHookExA(WH_GETMESSAGE, postedHook, nullptr, GetCurrentThreadId());
    operation();
    UnhookWindowsHookEx(posted);
    UnhookWindowsHookEx(sent);
    std::vector<std::pair<int, std::string>> sorted;
    int total = 0;
    for (const auto& entry : counts()) {
        sorted.emplace_back(entry.second, entry.first);
        total += entry.second;
    }
    std::sort(sorted.rbegin(), sorted.rend());
    std::printf("  messages for one %s: %d\n", what, total);
    for (size_t i = 0; i < sorted.size() && i < shown; ++i) {
        std::printf("    %6d  %s\n", sorted[i].first, sorted[i].second.c_str());
    }
}

} // namespace benchcount

#endif
