#ifndef KW_CORE_MOVE_BATCH_H
#define KW_CORE_MOVE_BATCH_H

#include <windows.h>

#include <vector>

namespace KW {
namespace moves {

// The moves of one window's children, gathered while the batch is open and made together, in one
// deferred batch of the platform, when it closes. While a batch is the innermost one open on the thread,
// setBounds and setPlacement of a child of its window join it instead of moving the child at once; a
// child read meanwhile is still where it was. Batches nest: the children's own layouts, run while the
// moves are made, open their own.
//
// The moves of a batch leave the erasing of the parent to its next paint, once, instead of after every
// single move.
class Batch {
public:
    explicit Batch(HWND parent);
    ~Batch();

    // One move: SetWindowPos's arguments.
    struct Move {
        HWND window;
        int x;
        int y;
        int width;
        int height;
        UINT flags;
    };

private:
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    friend bool defer(HWND window, int x, int y, int width, int height, UINT flags);
    void commit();

    HWND parent;
    Batch* outer;
    // False when the thread had no storage for it: the batch then gathers nothing.
    bool registered;
    std::vector<Move> moves;
};

// Adds a move of window (SetWindowPos's arguments, without an insert-after window) to the innermost open
// batch when window is a child of that batch's window; false when it is not, and the caller moves it at
// once.
bool defer(HWND window, int x, int y, int width, int height, UINT flags);

} // namespace moves
} // namespace KW

#endif
