// Times a click on a rollout section's toggle box, with the repaint that follows, in a rollout of 10
// sections holding 50 gadgets (buttons, edit fields and panels), and prints the time per click. The
// same repaint of the unchanged rollout is timed as the baseline; the messages of one click are counted.
#include "WindowBench.h"

#include "MessageCount.h"

#include <KW.h>

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

const int SECTIONS = 10;
const int GADGETS_PER_SECTION = 5;

// Paints the window and its children and handles whatever the paint asked for, until nothing is left.
void settle(HWND window) {
    for (int i = 0; i < 4; ++i) {
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        pump();
    }
}

void timeEach(const char* what, int count, const std::function<void(int)>& operation) {
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        operation(i);
        samples.push_back(millisecondsSince(start));
    }
    double total = 0;
    for (double sample : samples) {
        total += sample;
    }
    std::printf("  %-58s %4d ops  mean %8.3f ms  max %8.3f ms\n", what, count, total / count,
                *std::max_element(samples.begin(), samples.end()));
}

struct Section {
    int id;
    std::vector<KWObject*> gadgets;
};

// The top edge of a section's title bar, from where the gadgets of the sections above it ended.
int barTop(KWRollout* rollout, const std::vector<Section>& sections, const std::vector<bool>& expanded,
           size_t index) {
    int top = rollout->scale(5);
    for (size_t s = 0; s < index; ++s) {
        int next = top + rollout->scale(18);
        if (expanded[s]) {
            for (KWObject* gadget : sections[s].gadgets) {
                next = std::max(next, gadget->getLocalBounds().bottom);
            }
        }
        top = next + rollout->scale(2);
    }
    return top;
}

void click(KWRollout* rollout, int top) {
    const LPARAM at = MAKELPARAM(rollout->scale(24), top + rollout->scale(9));
    SendMessageA(rollout->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(rollout->getHandle(), WM_LBUTTONUP, 0, at);
}

void run() {
    std::unique_ptr<KWWindow> window(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 420, 700, "Rollout benchmark", nullptr, 0));
    KWRollout* rollout = KWRollout::create(STYLE_DEFAULT, 0, 0, 400, 660, window.get(), 1);
    HWND handle = rollout->getHandle();
    std::vector<Section> sections;
    for (int s = 0; s < SECTIONS; ++s) {
        Section section{s + 1, {}};
        rollout->addRollout(section.id, "Section " + std::to_string(s));
        for (int g = 0; g < GADGETS_PER_SECTION; ++g) {
            const int y = rollout->scale(4 + 24 * g);
            const int x = rollout->scale(30);
            KWObject* gadget = nullptr;
            if (g % 3 == 0) {
                gadget = KWButton::create(STYLE_DEFAULT, "Button", 0, 0, rollout->scale(100),
                                          rollout->scale(22), rollout, 0);
            } else if (g % 3 == 1) {
                gadget = KWEdit::create(STYLE_DEFAULT, "text", 0, 0, rollout->scale(120), rollout->scale(20),
                                        rollout, 0);
            } else {
                gadget =
                    KWPanel::create(STYLE_DEFAULT, 0, 0, rollout->scale(150), rollout->scale(20), rollout, 0);
            }
            rollout->addObject(section.id, x, y, gadget);
            section.gadgets.push_back(gadget);
        }
        sections.push_back(section);
    }
    settle(handle);
    std::vector<bool> expanded(SECTIONS, false);
    const auto toggle = [&](size_t index) {
        click(rollout, barTop(rollout, sections, expanded, index));
        expanded[index] = !expanded[index];
        settle(handle);
    };

    std::printf("%d sections, %d gadgets:\n", SECTIONS, SECTIONS * GADGETS_PER_SECTION);
    timeEach("baseline: repaint of the unchanged rollout", 40, [&](int) {
        InvalidateRect(handle, nullptr, TRUE);
        settle(handle);
    });
    timeEach("toggle the first section, the others collapsed", 40, [&](int) { toggle(0); });
    timeEach("toggle the last section, the others collapsed", 40, [&](int) { toggle(SECTIONS - 1); });

    // Every section but the first open: the first one's toggle moves every other gadget.
    for (size_t s = 1; s < sections.size(); ++s) {
        toggle(s);
    }
    timeEach("baseline: repaint, 45 gadgets shown", 40, [&](int) {
        InvalidateRect(handle, nullptr, TRUE);
        settle(handle);
    });
    timeEach("toggle the first section, the others expanded", 40, [&](int) { toggle(0); });
    timeEach("toggle the third section, the others expanded", 40, [&](int) { toggle(2); });
    benchcount::profile("toggle of the first section, the others expanded", [&] { toggle(0); });
    benchcount::profile("toggle back", [&] { toggle(0); });
    std::printf("\n");
}

} // namespace

int main() {
    if (!Kwadro::init()) {
        return 1;
    }
    run();
    return 0;
}
