#ifndef PELMORA_WINDOW_FIT_H
#define PELMORA_WINDOW_FIT_H

#include <KW.h>

#include <functional>
#include <vector>

namespace pelmora {

// Keeps a window's panes in proportion as it changes size: each splitter keeps its share of the client
// area (within the limits a drag keeps), and the content is framed again for the new pane sizes (also
// without splitters, for panes that keep their shares themselves).
class WindowFit {
public:
    struct Splitter {
        int id;
        bool vertical;
    };
    WindowFit(KW::KWWindow* window, std::vector<Splitter> splitters, std::function<void()> reframe);
    ~WindowFit();
    WindowFit(const WindowFit&) = delete;
    WindowFit& operator=(const WindowFit&) = delete;

    // Takes the splitters' present positions as their shares: once the window has its first size, and
    // after the user moved a splitter.
    void takeShares();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self);
    void resized(int width, int height);

    KW::KWWindow* window;
    std::vector<Splitter> splitters;
    std::vector<double> shares; // empty until takeShares
    std::function<void()> reframe;
    SIZE last = {0, 0};
};

} // namespace pelmora

#endif
