#include "PaintProbe.h"
#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

// What a handler saw: the event and a getter's value read inside the handler, and whether the gadget's
// window still had something to paint then.
struct Seen {
    eEventType type;
    KWObject* object;
    int param1;
    int param2;
    float value;
    bool paintPending;
};

// Records every event of one gadget; probe reads the getter of interest inside the handler.
struct Recorder {
    std::vector<Seen> seen;
    std::function<float()> probe = [] { return 0.0f; };
    std::function<void(const KWEvent&)> then;
    void attach(KWObject* gadget) {
        gadget->setHandler([this](const KWEvent& event) {
            const bool pending = GetUpdateRect(event.object->getHandle(), nullptr, FALSE) != 0;
            seen.push_back({event.type, event.object, event.param1, event.param2, probe(), pending});
            if (then) {
                then(event);
            }
        });
    }
};

void expectSeen(const Seen& s, eEventType type, KWObject* object, int param1, float value,
                bool painted = true) {
    EXPECT_EQ(s.type, type);
    EXPECT_EQ(s.object, object);
    EXPECT_EQ(s.param1, param1);
    EXPECT_EQ(s.param2, 0);
    EXPECT_FLOAT_EQ(s.value, value);
    if (painted) {
        EXPECT_FALSE(s.paintPending) << "the picture must be up to date";
    }
}

void sendMouse(HWND window, UINT msg, WPARAM keys, int x, int y) {
    SendMessageA(
        window, msg, keys,
        MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))));
    kwtest::pumpMessages();
}

void sendKey(HWND window, WPARAM key) {
    SendMessageA(window, WM_KEYDOWN, key, 1);
    kwtest::pumpMessages();
}

KWGraphPoint graphKey(float x, float y1, float y2) {
    KWGraphPoint key;
    key.x = x;
    key.y1 = y1;
    key.y2 = y2;
    return key;
}

// A top-level host with one curve editor whose data (x, y) shows at client (100 + x, 150 + y). The
// host is a raw pointer so that a handler may delete it.
struct GraphHost {
    ProbeGadget* host;
    KWFloatGraph* graph;
    Recorder recorder;
    GraphHost() : host(ProbeGadget::create(nullptr, 0, 0, 600, 400)) {
        graph = KWFloatGraph::create(STYLE_DEFAULT, 10, 10, 404, 204, host, 7);
        graph->moveView(100, 150);
        EXPECT_TRUE(
            graph->setPoints({graphKey(0, -10, -5), graphKey(50, -20, -10), graphKey(100, -30, -30)}));
        kwtest::pumpMessages();
        recorder.probe = [this] { return graph->getPoints().size() > 1 ? graph->getPoints()[1].y2 : 0.0f; };
        recorder.attach(graph);
        move(0, 0);
    }
    ~GraphHost() {
        if (host) {
            delete host;
            kwtest::pumpMessages();
        }
    }
    HWND window() const { return graph->getHandle(); }
    void move(int x, int y, WPARAM keys = 0) { sendMouse(window(), WM_MOUSEMOVE, keys, x, y); }
    void select(int x, int y) {
        move(x, y);
        sendMouse(window(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        sendMouse(window(), WM_LBUTTONUP, 0, x, y);
    }
};

KWColorPicker* pickerOf(KWObject* gadget) {
    for (int i = 0; i < gadget->getChildCount(); ++i) {
        if (gadget->getChild(i)->getType() == GADGET_COLORPICKER) {
            return static_cast<KWColorPicker*>(gadget->getChild(i));
        }
    }
    return nullptr;
}

// Lets a shown picker's paint chain settle on its colour.
void settle(KWColorPicker* picker) {
    for (int i = 0; i < 4; ++i) {
        RedrawWindow(picker->getHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        kwtest::pumpMessages();
    }
}

HWND pickerArea(KWColorPicker* picker, int x, int y) {
    for (HWND child = GetWindow(picker->getHandle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const KWBound rect = kwtest::rectInParent(child);
        if (rect.left == x && rect.top == y) {
            return child;
        }
    }
    return nullptr;
}

// A real click at a client point.
void clickAt(HWND window, int x, int y) {
    kwtest::moveMouseTo(window, x, y);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
}

void clickButton(HWND button) {
    const SIZE size = kwtest::clientSize(button);
    clickAt(button, size.cx / 2, size.cy / 2);
}

// A real drag with the left button from one client point to another, in steps of 10 pixels.
void dragIn(HWND window, int fromX, int fromY, int toX, int toY) {
    kwtest::moveMouseTo(window, fromX, fromY);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    const int steps = std::max(std::abs(toX - fromX), std::abs(toY - fromY)) / 10 + 1;
    for (int i = 1; i <= steps; ++i) {
        kwtest::moveMouseTo(window, fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    }
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
}

// A gradient editor at (10, 10), 500 x 80, in a host it blocks while its picker is open; at scale 1
// client x is the key position. Its middle key sits at 50.
struct EditorHost {
    ProbeGadget* host;
    KWColorEdit* editor;
    Recorder recorder;
    EditorHost() : host(ProbeGadget::create(nullptr, 100, 420, 560, 160)) {
        editor = KWColorEdit::create(STYLE_DEFAULT, 10, 10, 500, 80, host, host);
        std::vector<KWColorPoint> keys = {
            KWColorPoint(0.0f, KWColor(0, 0, 0, 255), KWColor(0, 0, 0, 255), true),
            KWColorPoint(50.0f, KWColor(0, 255, 0, 255), KWColor(0, 0, 255, 255)),
            KWColorPoint(100.0f, KWColor(0, 0, 0, 255), KWColor(0, 0, 0, 255), true)};
        EXPECT_TRUE(editor->setPoints(keys));
        kwtest::pumpMessages();
        SetForegroundWindow(host->getHandle());
        kwtest::pumpMessages();
        recorder.probe = [this] {
            return editor->getPoints().size() > 1 ? editor->getPoints()[1].position : 0;
        };
        recorder.attach(editor);
    }
    ~EditorHost() {
        kwtest::mouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP);
        if (host) {
            delete host;
            kwtest::pumpMessages();
        }
    }
    HWND window() const { return editor->getHandle(); }
    // A middle click first, so that two left clicks in a row are never taken for a double click.
    void leftClickAt(int x, int y) {
        kwtest::moveMouseTo(window(), x, y);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEDOWN);
        kwtest::mouseInput(MOUSEEVENTF_MIDDLEUP);
        kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
        kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    }
    // Opens the picker on the middle key's upper swatch and loads a colour into it.
    KWColorPicker* pickFor(const KWColor& color) {
        kwtest::moveMouseTo(window(), 50, 5);
        kwtest::mouseInput(MOUSEEVENTF_RIGHTDOWN);
        kwtest::mouseInput(MOUSEEVENTF_RIGHTUP);
        KWColorPicker* picker = pickerOf(editor);
        EXPECT_TRUE(IsWindowVisible(picker->getHandle()));
        picker->setColor(color);
        settle(picker);
        return picker;
    }
};

// The system colour dialog of the next ChooseColorA on this thread: types a colour and confirms, or
// cancels.
struct ColorDialogDriver {
    static ColorDialogDriver*& current() {
        static ColorDialogDriver* driver = nullptr;
        return driver;
    }
    HHOOK hook;
    bool confirm;
    int red, green, blue;
    ColorDialogDriver(bool confirm, int r, int g, int b) : confirm(confirm), red(r), green(g), blue(b) {
        current() = this;
        hook = SetWindowsHookExA(WH_CBT, onCbt, nullptr, GetCurrentThreadId());
    }
    ~ColorDialogDriver() {
        UnhookWindowsHookEx(hook);
        current() = nullptr;
    }
    static LRESULT CALLBACK onCbt(int code, WPARAM wParam, LPARAM lParam) {
        ColorDialogDriver* self = current();
        HWND dialog = reinterpret_cast<HWND>(wParam);
        // 706 to 708: the dialog's red, green and blue fields.
        if (self && code == HCBT_ACTIVATE && GetDlgItem(dialog, 706)) {
            if (self->confirm) {
                SetDlgItemInt(dialog, 706, static_cast<UINT>(self->red), FALSE);
                SetDlgItemInt(dialog, 707, static_cast<UINT>(self->green), FALSE);
                SetDlgItemInt(dialog, 708, static_cast<UINT>(self->blue), FALSE);
            }
            PostMessageA(dialog, WM_COMMAND, self->confirm ? IDOK : IDCANCEL, 0);
            return 0;
        }
        return CallNextHookEx(self ? self->hook : nullptr, code, wParam, lParam);
    }
};

} // namespace

TEST(EditorHandlers, CurveDragReportsEachMoveThenOneChangeAtTheRelease) {
    GraphHost f;
    f.move(150, 140); // the middle key's upper value, data (50, -10) after y2
    sendMouse(f.window(), WM_RBUTTONDOWN, MK_RBUTTON, 150, 140);
    f.move(150, 135, MK_RBUTTON);
    f.move(150, 125, MK_RBUTTON);
    EXPECT_EQ(f.recorder.seen.size(), 2u);
    // The left button joins and leaves: the drag goes on until the last button is up.
    sendMouse(f.window(), WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 150, 125);
    sendMouse(f.window(), WM_LBUTTONUP, MK_RBUTTON, 150, 125);
    sendMouse(f.window(), WM_RBUTTONUP, 0, 150, 125);
    ASSERT_EQ(f.recorder.seen.size(), 3u);
    expectSeen(f.recorder.seen[0], EVENT_CHANGING, f.graph, 1, -15.0f);
    expectSeen(f.recorder.seen[1], EVENT_CHANGING, f.graph, 1, -25.0f);
    expectSeen(f.recorder.seen[2], EVENT_CHANGED, f.graph, 1, -25.0f);

    // A press and release without a move, and a drag that holds nothing, report nothing.
    f.recorder.seen.clear();
    f.select(150, 130);
    f.move(300, 20);
    sendMouse(f.window(), WM_LBUTTONDOWN, MK_LBUTTON, 300, 20);
    f.move(310, 30, MK_LBUTTON);
    sendMouse(f.window(), WM_LBUTTONUP, 0, 310, 30);
    EXPECT_TRUE(f.recorder.seen.empty());
}

TEST(EditorHandlers, CurveFinishedEditsReportTheirKey) {
    const struct {
        const char* name;
        std::function<void(GraphHost&)> act;
        int index;   // -2: nothing reported
        float value; // the middle key's lower value, or 0 without a middle key
    } cases[] = {
        {"double click inserts",
         [](GraphHost& f) {
             f.move(130, 100);
             sendMouse(f.window(), WM_LBUTTONDBLCLK, MK_LBUTTON, 130, 100);
         },
         1, -50.0f},
        {"Delete",
         [](GraphHost& f) {
             f.select(150, 130);
             sendKey(f.window(), VK_DELETE);
         },
         1, -30.0f},
        {"Delete without a selection", [](GraphHost& f) { sendKey(f.window(), VK_DELETE); }, -2, 0.0f},
        {"right double click",
         [](GraphHost& f) {
             f.select(150, 130);
             sendMouse(f.window(), WM_RBUTTONDBLCLK, MK_RBUTTON, 150, 130);
         },
         1, -20.0f},
        {"Home changes two keys", [](GraphHost& f) { sendKey(f.window(), VK_HOME); }, -1, -20.0f},
        {"Home on equal keys",
         [](GraphHost& f) {
             sendKey(f.window(), VK_HOME);
             f.recorder.seen.clear();
             sendKey(f.window(), VK_HOME);
         },
         -2, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GraphHost f;
        c.act(f);
        if (c.index == -2) {
            EXPECT_TRUE(f.recorder.seen.empty());
            continue;
        }
        ASSERT_EQ(f.recorder.seen.size(), 1u);
        expectSeen(f.recorder.seen[0], EVENT_CHANGED, f.graph, c.index, c.value);
    }
}

TEST(EditorHandlers, GradientEditsReportTheirKey) {
    {
        EditorHost f;
        dragIn(f.window(), 50, 5, 80, 5);
        ASSERT_GE(f.recorder.seen.size(), 2u);
        for (size_t i = 0; i + 1 < f.recorder.seen.size(); ++i) {
            EXPECT_EQ(f.recorder.seen[i].type, EVENT_CHANGING);
            EXPECT_EQ(f.recorder.seen[i].param1, 1);
        }
        expectSeen(f.recorder.seen.back(), EVENT_CHANGED, f.editor, 1, 80.0f);
        EXPECT_EQ(GetFocus(), f.window());
    }
    const struct {
        const char* name;
        std::function<void(EditorHost&)> act;
        int index;
        float value; // position of key 1
    } cases[] = {
        {"double click inserts",
         [](EditorHost& f) {
             f.leftClickAt(30, 60);
             kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
             kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
         },
         1, 30.0f},
        {"Delete",
         [](EditorHost& f) {
             f.leftClickAt(50, 5);
             sendKey(f.window(), VK_DELETE);
         },
         1, 100.0f},
        {"Shift and right click",
         [](EditorHost& f) {
             kwtest::moveMouseTo(f.window(), 50, 15);
             sendMouse(f.window(), WM_RBUTTONUP, MK_SHIFT, 50, 15);
         },
         1, 50.0f},
        {"Ok in the picker",
         [](EditorHost& f) { clickButton(f.pickFor(KWColor(255, 0, 0, 255))->getOkButton()); }, 1, 50.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHost f;
        c.act(f);
        ASSERT_EQ(f.recorder.seen.size(), 1u);
        expectSeen(f.recorder.seen[0], EVENT_CHANGED, f.editor, c.index, c.value);
    }
    // Cancel reports nothing; Ok stored the picked colour before the handler ran.
    EditorHost f;
    KWColor seenColor;
    f.recorder.then = [&](const KWEvent&) { seenColor = f.editor->getPoints()[1].color1; };
    clickButton(f.pickFor(KWColor(255, 0, 0, 255))->getCancelButton());
    EXPECT_TRUE(f.recorder.seen.empty());
    clickButton(f.pickFor(KWColor(255, 0, 0, 128))->getOkButton());
    ASSERT_EQ(f.recorder.seen.size(), 1u);
    EXPECT_NEAR(seenColor.r, 255, 1);
    EXPECT_NEAR(seenColor.g, 0, 1);
    EXPECT_EQ(seenColor.a, 128);
    EXPECT_TRUE(f.host->isActive());
}

TEST(EditorHandlers, PickerReportsEachDragMoveWithTheColourUnderItsMarkers) {
    std::unique_ptr<ProbeGadget> owner(ProbeGadget::create(nullptr, 600, 100, 200, 100));
    KWColorPicker* picker = new KWColorPicker(KWColor(255, 0, 0, 255), 40, 40, owner.get());
    picker->setVisible(true);
    settle(picker);
    std::vector<KWColor> colors;
    COLORREF preview = 0;
    Recorder recorder;
    recorder.then = [&](const KWEvent&) {
        colors.push_back(picker->getColor());
        HDC dc = GetDC(pickerArea(picker, 360, 10));
        preview = GetPixel(dc, 2, 2);
        ReleaseDC(pickerArea(picker, 360, 10), dc);
    };
    recorder.attach(picker);

    dragIn(pickerArea(picker, 320, 10), 15, 200, 15, 100); // alpha
    ASSERT_FALSE(recorder.seen.empty());
    EXPECT_EQ(colors.back().a, 100);
    dragIn(pickerArea(picker, 10, 10), 255, 0, 0, 0); // box: towards white
    ASSERT_GE(recorder.seen.size(), 2u);
    for (const Seen& s : recorder.seen) {
        EXPECT_EQ(s.type, EVENT_CHANGING);
        EXPECT_EQ(s.object, picker);
        EXPECT_EQ(s.param1, picker->getId());
        EXPECT_EQ(s.param2, 0);
    }
    EXPECT_EQ(colors.back().r, 255);
    EXPECT_EQ(colors.back().g, 255);
    EXPECT_EQ(colors.back().b, 255);
    // The preview showed it already: white at alpha 100 over the checkerboard's grey cell.
    EXPECT_TRUE(kwtest::colorNear(preview, 191, 191, 191, 2)) << kwtest::describe(preview);
}

TEST(EditorHandlers, ColourButtonsReportOkOnly) {
    std::unique_ptr<ProbeGadget> frame(ProbeGadget::create(nullptr, 100, 400, 300, 200));
    KWColorButton* button =
        KWColorButton::create(STYLE_DEFAULT, 10, 10, 40, 30, KWColor(1, 2, 3, 99), frame.get(), 31);
    KWColorButtons* pair = KWColorButtons::create(STYLE_DEFAULT, 60, 10, 100, 30, KWColor(255, 0, 0, 255),
                                                  KWColor(0, 0, 255, 255), frame.get(), frame.get(), 0);
    kwtest::pumpMessages();
    Recorder single;
    single.probe = [&] { return static_cast<float>(button->getColor().g); };
    single.attach(button);
    {
        ColorDialogDriver cancel(false, 0, 0, 0);
        clickAt(button->getHandle(), 5, 5);
    }
    EXPECT_TRUE(single.seen.empty());
    {
        ColorDialogDriver ok(true, 40, 50, 60);
        clickAt(button->getHandle(), 5, 5);
    }
    ASSERT_EQ(single.seen.size(), 1u);
    expectSeen(single.seen[0], EVENT_CHANGED, button, 31, 50.0f);

    Recorder both;
    KWColor seenColor;
    both.then = [&](const KWEvent& event) {
        seenColor = event.param1 == 0 ? pair->getColor1() : pair->getColor2();
    };
    both.attach(pair);
    KWColorPicker* picker = pickerOf(pair);
    for (int half = 0; half < 2; ++half) {
        clickAt(pair->getHandle(), half == 0 ? 10 : 90, 10);
        picker->setColor(KWColor(10, 200, 30, 40 + half));
        settle(picker);
        clickButton(picker->getCancelButton());
        EXPECT_TRUE(both.seen.empty());
        clickAt(pair->getHandle(), half == 0 ? 10 : 90, 10);
        picker->setColor(KWColor(10, 200, 30, 40 + half));
        settle(picker);
        clickButton(picker->getOkButton());
        ASSERT_EQ(both.seen.size(), 1u);
        // The pair's repaint stays queued after Ok, as it always did.
        expectSeen(both.seen[0], EVENT_CHANGED, pair, half, 0.0f, false);
        EXPECT_EQ(seenColor.a, 40 + half);
        EXPECT_NEAR(seenColor.g, 200, 1);
        EXPECT_TRUE(frame->isActive());
        both.seen.clear();
    }
}

TEST(EditorHandlers, ProgramChangesReportNothing) {
    GraphHost graph;
    EditorHost editor;
    KWColorPicker* picker = pickerOf(editor.editor);
    Recorder pickerEvents;
    pickerEvents.attach(picker);
    std::unique_ptr<ProbeGadget> frame(ProbeGadget::create(nullptr, 100, 400, 300, 200));
    KWColorButton* button = KWColorButton::create(STYLE_DEFAULT, 10, 10, 40, 30, KWColor(), frame.get(), 1);
    Recorder buttonEvents;
    buttonEvents.attach(button);

    EXPECT_TRUE(graph.graph->setPoints({graphKey(0, -1, 0), graphKey(100, -1, -1)}));
    graph.graph->insertPoint(30.0f, -5.0f);
    graph.graph->moveView(5, 5);
    EXPECT_TRUE(editor.editor->setPoints(std::vector<KWColorPoint>(
        {KWColorPoint(0.0f, KWColor(), KWColor(), true), KWColorPoint(100.0f, KWColor(), KWColor(), true)})));
    editor.editor->insertPoint(40.0f, 1.0f);
    picker->setColor(KWColor(1, 2, 3, 4));
    picker->setVisible(true);
    settle(picker);
    picker->setVisible(false);
    button->setColor(KWColor(9, 9, 9, 9));
    kwtest::pumpMessages();
    EXPECT_TRUE(graph.recorder.seen.empty());
    EXPECT_TRUE(editor.recorder.seen.empty());
    EXPECT_TRUE(pickerEvents.seen.empty());
    EXPECT_TRUE(buttonEvents.seen.empty());
}

TEST(EditorHandlers, HandlersMayCallSettersAndReplaceThemselves) {
    GraphHost f;
    int depth = 0;
    int maximum = 0;
    int calls = 0;
    f.graph->setHandler([&](const KWEvent& event) {
        ++calls;
        maximum = std::max(maximum, ++depth);
        if (event.type == EVENT_CHANGING) {
            // A setter inside the drag: no report, no recursion, and the drag holds nothing afterwards.
            EXPECT_TRUE(f.graph->setPoints({graphKey(0, -3, -3), graphKey(100, -3, 0)}));
            f.graph->setHandler([&](const KWEvent&) { ++calls; });
        }
        --depth;
    });
    f.move(150, 130);
    sendMouse(f.window(), WM_LBUTTONDOWN, MK_LBUTTON, 150, 130);
    f.move(155, 130, MK_LBUTTON);
    f.move(160, 130, MK_LBUTTON);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(maximum, 1);
    ASSERT_EQ(f.graph->getPoints().size(), 2u);
    EXPECT_EQ(f.graph->getPoints()[1].y2, 0.0f);
    // The replacement hears the end of the drag; removed, nothing is heard.
    sendMouse(f.window(), WM_LBUTTONUP, 0, 160, 130);
    EXPECT_EQ(calls, 2);
    f.graph->setHandler(KWHandler());
    sendKey(f.window(), VK_HOME);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(f.graph->getPoints()[1].y2, -3.0f);
}

// A gadget deleted by its own handler leaves its parent's children, so the parent is deleted as usual
// afterwards.
TEST(EditorHandlers, HandlersMayDeleteTheGadgetOrItsParentMidDragOrOnOk) {
    {
        GraphHost f;
        HWND window = f.window();
        f.recorder.then = [&](const KWEvent& event) { delete event.object; };
        f.move(150, 130);
        sendMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, 150, 130);
        sendMouse(window, WM_MOUSEMOVE, MK_LBUTTON, 160, 130);
        sendMouse(window, WM_MOUSEMOVE, MK_LBUTTON, 170, 130);
        sendMouse(window, WM_LBUTTONUP, 0, 170, 130);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(f.recorder.seen.size(), 1u);
        delete f.host;
        f.host = nullptr;
    }
    {
        GraphHost f;
        f.recorder.then = [&](const KWEvent&) {
            delete f.host;
            f.host = nullptr;
        };
        f.select(150, 130);
        sendKey(f.window(), VK_DELETE);
        EXPECT_EQ(f.host, nullptr);
        EXPECT_EQ(f.recorder.seen.size(), 1u);
    }
    {
        EditorHost f;
        HWND window = f.window();
        f.recorder.then = [&](const KWEvent&) {
            delete f.host;
            f.host = nullptr;
        };
        dragIn(window, 50, 5, 70, 5);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(f.recorder.seen.size(), 1u);
    }
    {
        EditorHost f;
        f.recorder.then = [&](const KWEvent&) {
            delete f.host;
            f.host = nullptr;
        };
        KWColorPicker* picker = f.pickFor(KWColor(1, 2, 3, 4));
        HWND popup = picker->getHandle();
        clickButton(picker->getOkButton());
        EXPECT_FALSE(IsWindow(popup));
        EXPECT_EQ(f.recorder.seen.size(), 1u);
    }
    {
        ProbeGadget* owner = ProbeGadget::create(nullptr, 600, 100, 200, 100);
        KWColorPicker* picker = new KWColorPicker(KWColor(255, 0, 0, 255), 40, 40, owner);
        picker->setVisible(true);
        settle(picker);
        HWND box = pickerArea(picker, 10, 10);
        int calls = 0;
        picker->setHandler([&](const KWEvent&) {
            ++calls;
            delete owner;
        });
        dragIn(box, 100, 100, 50, 50);
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(IsWindow(box));
    }
    {
        ProbeGadget* frame = ProbeGadget::create(nullptr, 100, 400, 300, 200);
        KWColorButtons* pair =
            KWColorButtons::create(STYLE_DEFAULT, 60, 10, 100, 30, KWColor(), KWColor(), frame, frame, 0);
        kwtest::pumpMessages();
        int calls = 0;
        pair->setHandler([&](const KWEvent& event) {
            ++calls;
            delete event.object;
        });
        KWColorPicker* picker = pickerOf(pair);
        HWND popup = picker->getHandle();
        clickAt(pair->getHandle(), 10, 10);
        settle(picker);
        clickButton(picker->getOkButton());
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(IsWindow(popup));
        EXPECT_TRUE(frame->isActive());
        delete frame;
    }
    {
        ProbeGadget* frame = ProbeGadget::create(nullptr, 100, 400, 300, 200);
        KWColorButton* button = KWColorButton::create(STYLE_DEFAULT, 10, 10, 40, 30, KWColor(), frame, 3);
        kwtest::pumpMessages();
        HWND buttonWindow = button->getHandle();
        int calls = 0;
        button->setHandler([&](const KWEvent&) {
            ++calls;
            delete frame;
        });
        {
            ColorDialogDriver ok(true, 1, 2, 3);
            clickAt(buttonWindow, 5, 5);
        }
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(IsWindow(buttonWindow));
    }
}
