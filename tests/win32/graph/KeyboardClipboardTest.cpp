#include "GraphWindow.h"

#include <string>
#include <vector>

using namespace KW;

namespace {

KWGraphPoint point(float x, float y1, float y2) {
    KWGraphPoint key;
    key.x = x;
    key.y1 = y1;
    key.y2 = y2;
    return key;
}

// A key pressed and released as real input, with its modifiers held around it.
void pressKey(WORD key, bool shift = false, bool control = false) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD code, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift) {
        add(VK_SHIFT, 0);
    }
    if (control) {
        add(VK_CONTROL, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (control) {
        add(VK_CONTROL, KEYEVENTF_KEYUP);
    }
    if (shift) {
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    kwtest::pumpMessages();
}

std::string clipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        HANDLE data = GetClipboardData(CF_TEXT);
        if (data) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void setClipboardText(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// The graph of GraphWindowTest, focused by a real click on empty space, holding keys at 0, 50 and 100;
// data (0, 0) shows at client (100, 150).
class GraphKeyboard : public kwtest::GraphWindowTest {
protected:
    void SetUp() override {
        GraphWindowTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        graph->moveView(100, 150);
        ASSERT_TRUE(graph->setPoints({point(0, -10, -5), point(50, -20, -10), point(100, -30, -30)}));
        graph->setHandler([this](const KWEvent& event) { events.push_back(event); });
        SetForegroundWindow(frame->getHandle());
        const POINT empty = screenOf(300, 30);
        SetCursorPos(empty.x, empty.y);
        kwtest::pumpMessages();
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof(INPUT));
        ASSERT_TRUE(kwtest::pumpUntil([this] { return GetFocus() == graphWindow(); }));
    }

    int selectedIndex() const {
        for (size_t i = 0; i < graph->getPoints().size(); ++i) {
            if (graph->getPoints()[i].selected) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    const KWGraphPoint& key(size_t index) const { return graph->getPoints().at(index); }

    std::vector<KWEvent> events;
};

} // namespace

TEST_F(GraphKeyboard, TabWalksTheKeysAndArrowsMoveTheSelectedOneByPixels) {
    pressKey(VK_TAB);
    EXPECT_EQ(selectedIndex(), 0);
    pressKey(VK_TAB);
    EXPECT_EQ(selectedIndex(), 1);
    pressKey(VK_TAB, true);
    EXPECT_EQ(selectedIndex(), 0);
    pressKey(VK_TAB, true);
    EXPECT_EQ(selectedIndex(), 2) << "wraps round";
    EXPECT_TRUE(events.empty()) << "selecting edits nothing";

    // An end key keeps its position but takes values.
    pressKey(VK_RIGHT);
    pressKey(VK_UP, true);
    EXPECT_EQ(key(2).x, 100.0f);
    EXPECT_EQ(key(2).y1, -40.0f);
    pressKey(VK_TAB);
    pressKey(VK_TAB);
    ASSERT_EQ(selectedIndex(), 1);
    pressKey(VK_RIGHT);
    pressKey(VK_LEFT, true);
    EXPECT_EQ(key(1).x, 41.0f);
    // Down past the axis: held at 0, the upper value above the lower one.
    for (int i = 0; i < 3; ++i) {
        pressKey(VK_DOWN, true);
    }
    EXPECT_EQ(key(1).y1, 0.0f);
    EXPECT_EQ(key(1).y2, 0.0f);
    ASSERT_EQ(events.size(), 5u) << "each key that changed something";
    EXPECT_EQ(events[0].type, EVENT_CHANGED);
    EXPECT_EQ(events[0].param1, 2);
    EXPECT_EQ(events[4].param1, 1);
    pressKey(VK_DOWN);
    EXPECT_EQ(events.size(), 5u) << "nothing moved";

    // One pixel's worth of data at the zoom in use.
    graph->zoomIn();
    pressKey(VK_RIGHT);
    EXPECT_FLOAT_EQ(key(1).x, 41.0f + 1.0f / 1.3f);
    // Delete and Home keep working.
    pressKey(VK_DELETE);
    EXPECT_EQ(graph->getPoints().size(), 2u);
}

TEST_F(GraphKeyboard, FFramesEveryKeyInTheView) {
    graph->moveView(-3000, 900);
    pressKey('F');
    // The keys span 0 to 100 and -30 to -5: the plot right of the labels, 330 pixels less room, fits x.
    mouseMove(60, 100);
    EXPECT_NEAR(graph->getCursorX(), 0.0f, 0.5f);
    mouseMove(390, 100);
    EXPECT_NEAR(graph->getCursorX(), 100.0f, 0.5f);
    mouseMove(225, 90);
    EXPECT_NEAR(graph->getCursorY(), -17.5f, 0.5f) << "centred vertically";
    EXPECT_TRUE(events.empty());
}

TEST_F(GraphKeyboard, CopyAndPasteCarryTheKeysBetweenGraphs) {
    pressKey('C', false, true);
    EXPECT_EQ(clipboardText(), "0\t10\t5\r\n50\t20\t10\r\n100\t30\t30\r\n");

    KWFloatGraph* other = KWFloatGraph::create(STYLE_DEFAULT, 10, 220, 200, 150, frame.get(), 8);
    ASSERT_TRUE(other);
    std::vector<KWEvent> otherEvents;
    other->setHandler([&](const KWEvent& event) { otherEvents.push_back(event); });
    SetFocus(other->getHandle());
    pressKey('V', false, true);
    ASSERT_EQ(other->getPoints().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(other->getPoints()[i].x, key(i).x);
        EXPECT_EQ(other->getPoints()[i].y1, key(i).y1);
        EXPECT_EQ(other->getPoints()[i].y2, key(i).y2);
        EXPECT_EQ(other->getPoints()[i].fixed, key(i).fixed);
    }
    ASSERT_EQ(otherEvents.size(), 1u);
    EXPECT_EQ(otherEvents[0].type, EVENT_CHANGED);
    EXPECT_EQ(otherEvents[0].param1, -1);

    // Text that setPoints would refuse changes nothing.
    for (const char* refused : {"0 1 2\n100 0 0\n", "hello", "0 5 5\n50 1\n100 0 0\n"}) {
        setClipboardText(refused);
        pressKey('V', false, true);
        EXPECT_EQ(other->getPoints().size(), 3u) << refused;
        EXPECT_EQ(other->getPoints()[1].y1, -20.0f);
    }
    EXPECT_EQ(otherEvents.size(), 1u);
}

TEST_F(GraphKeyboard, AFrameOverTheEdgeMarksTheFocus) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    auto edge = [this] {
        HDC dc = GetWindowDC(graphWindow());
        const COLORREF color = GetPixel(dc, 1, 1);
        ReleaseDC(graphWindow(), dc);
        return color;
    };
    EXPECT_EQ(edge(), highlight);
    SetFocus(frame->getHandle());
    kwtest::pumpMessages();
    EXPECT_NE(edge(), highlight);
    // The client area is the graph's own as before.
    EXPECT_EQ(kwtest::clientSize(graphWindow()).cx, kClientWidth);
}
