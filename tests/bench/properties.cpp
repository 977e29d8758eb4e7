// Times the property grid's row operations on a grid of 50 groups with 20 items each (1,000 hosted
// editors) and prints the time per operation. The run is made twice: with the grid's window hidden
// (the grid's own work and the list view's bookkeeping) and shown (adding the platform's painting).
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

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

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
    timeEach("updatePropObjects, 1,050 rows", 20, [&](int) { grid->updatePropObjects(); });
    timeEach("scroll one line (WM_VSCROLL), 1,050 rows", 100,
             [&](int i) { SendMessageA(list, WM_VSCROLL, i % 2 ? SB_LINEUP : SB_LINEDOWN, 0); });
    timeEach("hideGroup hide/show (rebuild), 1,030-1,050 rows", 10,
             [&](int i) { grid->hideGroup(groups[25], i % 2 == 0); });
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
    return 0;
}
