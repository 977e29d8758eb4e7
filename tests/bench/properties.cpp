// Times the property grid's row operations on a grid of 50 groups with 20 items each (1,000 hosted
// editors) and prints the time per operation. The run is made twice: with the grid's window hidden
// (the grid's own work and the list view's bookkeeping) and shown (adding the platform's painting); the
// shown run also counts the messages of one operation of each kind.
#include "WindowBench.h"

#include "MessageCount.h"

#include <KW.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace KW;

namespace {

using bench::millisecondsSince;
using bench::pump;

const int GROUPS = 50;
const int ITEMS_PER_GROUP = 20;

// A hosted editor: an edit control, as a client gadget would be.
class BenchEditor : public KWObject {
public:
    static BenchEditor* create(KWObject* parent, const std::string& text) {
        return new BenchEditor(parent, text);
    }

private:
    BenchEditor(KWObject* parent, const std::string& text) : KWObject(GADGET_EDIT, parent, 0) {
        HWND window = CreateWindowExA(0, "Edit", text.c_str(), WS_CHILD | WS_BORDER, 0, 0, 60, 18,
                                      parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        if (attachWindow(window, "Editor creation failed !")) {
            subclassWindow(KWDefaultCallback);
        }
    }
};

// Runs operation(0 .. count - 1), timing each call alone (pending paint messages are handled between
// calls, outside the timing), and prints the mean and the worst time.
void timeEach(const char* what, int count, const std::function<void(int)>& operation) {
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        operation(i);
        samples.push_back(millisecondsSince(start));
        pump();
    }
    double total = 0;
    for (double sample : samples) {
        total += sample;
    }
    std::printf("  %-50s %4d ops  mean %8.3f ms  max %8.3f ms\n", what, count, total / count,
                *std::max_element(samples.begin(), samples.end()));
}

void selectRow(HWND list, int row) {
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// The platform's own share: a bare list view with the grid's styles and as many rows, selecting a row
// out of view (the list view scrolls to it) and scrolling one line.
void runPlatformBaseline() {
    std::printf("Platform only, a bare list view of 1,050 rows, shown:\n");
    std::unique_ptr<KWWindow> window(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 400, 600, "List view benchmark", nullptr, 0));
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0,
                                380, 560, window->getHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNA info = {};
        info.mask = LVCF_WIDTH | LVCF_TEXT;
        info.cx = column == 0 ? 112 : 72;
        info.pszText = const_cast<char*>(column == 0 ? "Properties" : "Value");
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    }
    const int rows = GROUPS * (ITEMS_PER_GROUP + 1);
    for (int row = 0; row < rows; ++row) {
        const std::string name = "Row " + std::to_string(row);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMA value = {};
        value.iSubItem = 1;
        value.pszText = const_cast<char*>("value");
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&value));
    }
    pump();
    timeEach("select a row (LVN_ITEMCHANGED), 1,050 rows", 100,
             [&](int i) { selectRow(list, 1 + (i * 37) % (rows - 1)); });
    timeEach("select a row on screen, 1,050 rows", 100, [&](int i) {
        const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
        selectRow(list, top + 1 + (i * 7) % 20);
    });
    timeEach("scroll one line (WM_VSCROLL), 1,050 rows", 100,
             [&](int i) { SendMessageA(list, WM_VSCROLL, i % 2 ? SB_LINEUP : SB_LINEDOWN, 0); });
    std::printf("\n");
}

void run(bool shown) {
    std::printf("%s\n", shown ? "Grid shown:" : "Grid hidden:");
    std::unique_ptr<KWWindow> window(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 400, 600, "Properties benchmark", nullptr, 0));
    if (!shown) {
        window->setVisible(false);
    }
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 0, 0, 380, 560, window.get(), 1);
    HWND list = grid->getHandle();
    pump();

    std::vector<KWGroupItem*> groups;
    const auto start = std::chrono::steady_clock::now();
    for (int g = 0; g < GROUPS; ++g) {
        KWGroupItem* group = grid->addGroup("Group " + std::to_string(g));
        for (int i = 0; i < ITEMS_PER_GROUP; ++i) {
            const std::string name = "Item " + std::to_string(g) + "." + std::to_string(i);
            grid->addItem(group, name, 1, BenchEditor::create(grid, "value " + name));
        }
        groups.push_back(group);
    }
    std::printf("  %d groups x %d items and their editors built in %.1f ms\n", GROUPS, ITEMS_PER_GROUP,
                millisecondsSince(start));

    // Each group is opened while every group before it is open: the rows grow from 50 to 1,050.
    timeEach("openGroup open, 50 -> 1,050 rows", GROUPS,
             [&](int g) { grid->openGroup(groups[static_cast<size_t>(g)], true); });
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));

    // One group opened and closed in a grid of 1,000 item rows, at the end and at the top.
    timeEach("openGroup last group close/open, 1,030-1,050 rows", 20,
             [&](int i) { grid->openGroup(groups.back(), i % 2 != 0); });
    timeEach("openGroup first group close/open, 1,030-1,050 rows", 20,
             [&](int i) { grid->openGroup(groups.front(), i % 2 != 0); });

    // What the platform alone spends when the list view's scroll range changes, for comparison: the
    // grid's row changes end with this once.
    timeEach("platform only: list view redraw off/on, 1,050 rows", 20, [&](int) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    });
    timeEach("updateSubitemsText, 1,050 rows, no change", 20, [&](int) { grid->updateSubitemsText(); });
    timeEach("hidePropObjects, 1,050 rows", 20, [&](int) { grid->hidePropObjects(); });
    timeEach("select an item row (LVN_ITEMCHANGED), 1,050 rows", 100,
             [&](int i) { selectRow(list, 1 + (i * 37) % (rows - 1)); });
    // As a click does: a row the user can see.
    timeEach("select an item row on screen, 1,050 rows", 100, [&](int i) {
        const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
        const int row = top + 1 + (i * 7) % 20;
        // Every group's row is followed by its 20 items.
        selectRow(list, row % (ITEMS_PER_GROUP + 1) == 0 ? row + 1 : row);
    });
    timeEach("updatePropObjects, 1,050 rows", 20, [&](int) { grid->updatePropObjects(); });
    timeEach("scroll one line (WM_VSCROLL), 1,050 rows", 100,
             [&](int i) { SendMessageA(list, WM_VSCROLL, i % 2 ? SB_LINEUP : SB_LINEDOWN, 0); });
    timeEach("hideGroup hide/show, 1,030-1,050 rows", 10,
             [&](int i) { grid->hideGroup(groups[25], i % 2 == 0); });
    if (shown) {
        benchcount::profile("item row selection", [&] {
            selectRow(list, 500);
            pump();
        });
        benchcount::profile("line scrolled", [&] {
            SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
            pump();
        });
        benchcount::profile("group closed", [&] {
            grid->openGroup(groups[10], false);
            pump();
        });
        benchcount::profile("group opened", [&] {
            grid->openGroup(groups[10], true);
            pump();
        });
        benchcount::profile("group hidden", [&] {
            grid->hideGroup(groups[25], true);
            pump();
        });
        benchcount::profile("group shown again", [&] {
            grid->hideGroup(groups[25], false);
            pump();
        });
    }
    timeEach("openGroup close, 1,050 -> 50 rows", GROUPS,
             [&](int g) { grid->openGroup(groups[static_cast<size_t>(g)], false); });
    timeEach("select a group row, 50 rows", 100, [&](int i) { selectRow(list, i % GROUPS); });
    std::printf("\n");
}

} // namespace

int main() {
    if (!Kwadro::init()) {
        return 1;
    }
    run(false);
    run(true);
    runPlatformBaseline();
    return 0;
}
