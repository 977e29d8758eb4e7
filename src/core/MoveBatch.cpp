#include "core/MoveBatch.h"

#include <new>

namespace KW {
namespace moves {

namespace {

// The innermost open batch is kept per thread, as windows are, in a slot of the platform's thread-local
// storage: taking one allocates nothing, where the runtime's thread_local allocates on first use.
volatile LONG slot = static_cast<LONG>(TLS_OUT_OF_INDEXES);

DWORD innermostSlot() {
    if (slot == static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
        const DWORD taken = TlsAlloc();
        if (InterlockedCompareExchange(&slot, static_cast<LONG>(taken),
                                       static_cast<LONG>(TLS_OUT_OF_INDEXES)) !=
            static_cast<LONG>(TLS_OUT_OF_INDEXES)) {
            TlsFree(taken);
        }
    }
    return static_cast<DWORD>(slot);
}

Batch* innermost() {
    const DWORD index = innermostSlot();
    return index == TLS_OUT_OF_INDEXES ? nullptr : static_cast<Batch*>(TlsGetValue(index));
}

// False when the platform gave no slot: there is then no batch and every move is made at once.
bool setInnermost(Batch* batch) {
    const DWORD index = innermostSlot();
    return index != TLS_OUT_OF_INDEXES && TlsSetValue(index, batch);
}

void moveNow(HWND window, int x, int y, int width, int height, UINT flags) {
    SetWindowPos(window, nullptr, x, y, width, height, flags);
}

// The area the windows cover, in the parent's client coordinates; null when out of memory.
HRGN areaOf(HWND parent, const std::vector<Batch::Move>& moves) {
    POINT origin = {0, 0};
    ClientToScreen(parent, &origin);
    HRGN area = CreateRectRgn(0, 0, 0, 0);
    HRGN one = CreateRectRgn(0, 0, 0, 0);
    if (area && one) {
        for (const Batch::Move& m : moves) {
            RECT r = {};
            if (GetWindowRect(m.window, &r)) {
                SetRectRgn(one, r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y);
                CombineRgn(area, area, one, RGN_OR);
            }
        }
    }
    if (one) {
        DeleteObject(one);
    }
    return area;
}

// A parent without WS_CLIPCHILDREN erases under its children. Where a child now lies in an area the
// parent is still to erase at its paint (an area another child left, or one the parent gained by growing),
// the erase would cover what the child shows there, and a child whose picture the move carried along
// is not painted again by itself: the children are painted again over that area.
void repaintUnderPendingErase(HWND parent, HRGN after) {
    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    if (pending && GetUpdateRgn(parent, pending, FALSE) > NULLREGION &&
        CombineRgn(pending, pending, after, RGN_AND) > NULLREGION) {
        RedrawWindow(parent, nullptr, pending, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (pending) {
        DeleteObject(pending);
    }
}

} // namespace

Batch::Batch(HWND parent) : parent(parent), outer(innermost()), registered(setInnermost(this)) {}

Batch::~Batch() {
    // Closed before the moves are made: the messages they send may open batches of their own, and a move
    // asked for now is made at once.
    if (registered) {
        setInnermost(outer);
    }
    commit();
}

bool defer(HWND window, int x, int y, int width, int height, UINT flags) {
    Batch* batch = innermost();
    if (!batch || !batch->parent || GetAncestor(window, GA_PARENT) != batch->parent) {
        return false;
    }
    try {
        batch->moves.push_back({window, x, y, width, height, flags});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void Batch::commit() {
    if (moves.empty()) {
        return;
    }
    if (moves.size() == 1) {
        const Move& m = moves.front();
        moveNow(m.window, m.x, m.y, m.width, m.height, m.flags);
        return;
    }
    const bool erasesUnderChildren = !(GetWindowLongPtrW(parent, GWL_STYLE) & WS_CLIPCHILDREN);
    // The platform erases the parent after each move unless told to wait for its paint.
    HDWP handle = BeginDeferWindowPos(static_cast<int>(moves.size()));
    for (const Move& m : moves) {
        if (!handle) {
            break;
        }
        handle =
            DeferWindowPos(handle, m.window, nullptr, m.x, m.y, m.width, m.height, m.flags | SWP_DEFERERASE);
    }
    if (!handle || !EndDeferWindowPos(handle)) {
        // The platform drops a refused batch whole: each move is made on its own (one already made is
        // made again without effect).
        for (const Move& m : moves) {
            moveNow(m.window, m.x, m.y, m.width, m.height, m.flags | SWP_DEFERERASE);
        }
    }
    if (erasesUnderChildren) {
        if (HRGN after = areaOf(parent, moves)) {
            repaintUnderPendingErase(parent, after);
            DeleteObject(after);
        }
    }
}

} // namespace moves
} // namespace KW
