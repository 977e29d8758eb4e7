#include "WindowFit.h"

#include <commctrl.h>

#include <cmath>
#include <utility>

namespace pelmora {

WindowFit::WindowFit(KW::KWWindow* window, std::vector<Splitter> splitters, std::function<void()> reframe)
    : window(window), splitters(std::move(splitters)), reframe(std::move(reframe)) {
    SetWindowSubclass(window->getHandle(), windowProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

WindowFit::~WindowFit() {
    RemoveWindowSubclass(window->getHandle(), windowProc, 1);
}

void WindowFit::takeShares() {
    RECT client = {};
    GetClientRect(window->getHandle(), &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    shares.clear();
    for (const Splitter& splitter : splitters) {
        const int extent = splitter.vertical ? client.right : client.bottom;
        shares.push_back(static_cast<double>(window->getSplitterPosition(splitter.id)) / extent);
    }
    last = {client.right, client.bottom};
}

LRESULT CALLBACK WindowFit::windowProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    // The library lays the window out first; the panes are then given their shares.
    const LRESULT result = DefSubclassProc(handle, msg, wParam, lParam);
    if (msg == WM_SIZE && wParam != SIZE_MINIMIZED) {
        reinterpret_cast<WindowFit*>(self)->resized(LOWORD(lParam), HIWORD(lParam));
    }
    return result;
}

void WindowFit::resized(int width, int height) {
    if (last.cx == 0 || width <= 0 || height <= 0 || (width == last.cx && height == last.cy)) {
        return;
    }
    last = {width, height};
    for (std::size_t i = 0; i < splitters.size(); ++i) {
        const int extent = splitters[i].vertical ? width : height;
        window->setSplitterPosition(splitters[i].id, static_cast<int>(std::lround(shares[i] * extent)));
    }
    if (reframe) {
        reframe();
    }
}

} // namespace pelmora
