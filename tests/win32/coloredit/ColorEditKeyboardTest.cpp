#include "PaintProbe.h"
#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

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
    for (WORD modifier : {shift ? VK_SHIFT : 0, control ? VK_CONTROL : 0}) {
        if (modifier) {
            add(modifier, 0);
        }
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (WORD modifier : {control ? VK_CONTROL : 0, shift ? VK_SHIFT : 0}) {
        if (modifier) {
            add(modifier, KEYEVENTF_KEYUP);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    kwtest::pumpMessages();
}

void setClipboardText(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// Two 500 x 80 editors in a shown frame, the first focused by a real click below its swatches; its keys
// sit at 0, 50 and 100 (client x at scale 1).
struct KeyboardFixture {
    std::unique_ptr<ProbeGadget> frame;
    KWColorEdit* editor;
    KWColorEdit* other;
    std::vector<KWEvent> events;
    KeyboardFixture() : frame(ProbeGadget::create(nullptr, 100, 380, 560, 200)) {
        editor = KWColorEdit::create(STYLE_DEFAULT, 10, 10, 500, 80, frame.get(), frame.get());
        other = KWColorEdit::create(STYLE_DEFAULT, 10, 100, 500, 80, frame.get(), frame.get());
        std::vector<KWColorPoint> keys = {
            KWColorPoint(0.0f, KWColor(255, 0, 0, 255), KWColor(0, 0, 0, 255), true),
            KWColorPoint(50.0f, KWColor(0, 255, 0, 255), KWColor(1, 2, 3, 4)),
            KWColorPoint(100.0f, KWColor(0, 0, 255, 255), KWColor(0, 0, 0, 255), true)};
        EXPECT_TRUE(editor->setPoints(keys));
        editor->setHandler([this](const KWEvent& event) { events.push_back(event); });
        SetForegroundWindow(frame->getHandle());
        kwtest::moveMouseTo(editor->getHandle(), 300, 60);
        kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
        kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(kwtest::pumpUntil([this] { return GetFocus() == editor->getHandle(); }));
    }
    const KWColorPoint& key(size_t index) const { return editor->getPoints().at(index); }
    int selectedIndex() const {
        for (size_t i = 0; i < editor->getPoints().size(); ++i) {
            if (key(i).selected) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
};

} // namespace

TEST(ColorEditKeyboard, TabWalksTheKeysAndArrowsMoveTheSelectedOne) {
    KeyboardFixture f;
    pressKey(VK_TAB);
    pressKey(VK_TAB);
    EXPECT_EQ(f.selectedIndex(), 1);
    pressKey(VK_TAB, true);
    pressKey(VK_TAB, true);
    EXPECT_EQ(f.selectedIndex(), 2);
    pressKey(VK_LEFT);
    EXPECT_EQ(f.key(2).position, 100.0f) << "an end key keeps its position";
    EXPECT_TRUE(f.events.empty());
    pressKey(VK_TAB, true);
    pressKey(VK_RIGHT, true);
    pressKey(VK_LEFT);
    pressKey(VK_UP);
    EXPECT_EQ(f.key(1).position, 59.0f);
    ASSERT_EQ(f.events.size(), 2u);
    EXPECT_EQ(f.events[1].type, EVENT_CHANGED);
    EXPECT_EQ(f.events[1].param1, 1);
    // Delete keeps working.
    pressKey(VK_DELETE);
    EXPECT_EQ(f.editor->getPoints().size(), 2u);
}

TEST(ColorEditKeyboard, FFramesEveryKeyWithItsSwatchesWhole) {
    KeyboardFixture f;
    f.editor->moveView(-3000, 0);
    pressKey('F');
    // Swatches 5 pixels either side; the keys at 0 and 100 end up at columns 7 and 489.
    EXPECT_EQ(kwtest::pixelAt(f.editor->getHandle(), 3, 5), RGB(255, 0, 0));
    EXPECT_EQ(kwtest::pixelAt(f.editor->getHandle(), 490, 5), RGB(0, 0, 255));
    EXPECT_EQ(kwtest::pixelAt(f.editor->getHandle(), 250, 5), RGB(0, 255, 0));
}

TEST(ColorEditKeyboard, CopyAndPasteCarryTheKeysBetweenEditors) {
    KeyboardFixture f;
    pressKey('C', false, true);
    std::vector<KWEvent> otherEvents;
    f.other->setHandler([&](const KWEvent& event) { otherEvents.push_back(event); });
    SetFocus(f.other->getHandle());
    pressKey('V', false, true);
    const std::vector<KWColorPoint>& pasted = f.other->getPoints();
    ASSERT_EQ(pasted.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pasted[i].position, f.key(i).position);
        EXPECT_EQ(std::memcmp(&pasted[i].color1, &f.key(i).color1, sizeof(KWColor)), 0);
        EXPECT_EQ(std::memcmp(&pasted[i].color2, &f.key(i).color2, sizeof(KWColor)), 0);
        EXPECT_EQ(pasted[i].fixed, f.key(i).fixed);
    }
    ASSERT_EQ(otherEvents.size(), 1u);
    EXPECT_EQ(otherEvents[0].param1, -1);

    for (const char* refused : {"0 1 2 3 4 5 6 7 8\n100 1 2 3 4 5 6 7 300\n", "0 0 0\n100 0 0\n"}) {
        setClipboardText(refused);
        pressKey('V', false, true);
        EXPECT_EQ(pasted.size(), 3u) << refused;
        EXPECT_EQ(pasted[1].color2.a, 4);
    }
    EXPECT_EQ(otherEvents.size(), 1u);
}

TEST(ColorEditKeyboard, AFrameOverTheEdgeMarksTheFocus) {
    KeyboardFixture f;
    auto edge = [](HWND window) {
        HDC dc = GetWindowDC(window);
        const COLORREF color = GetPixel(dc, 0, 20);
        ReleaseDC(window, dc);
        return color;
    };
    EXPECT_EQ(edge(f.editor->getHandle()), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(edge(f.other->getHandle()), GetSysColor(COLOR_HIGHLIGHT));
    SetFocus(f.other->getHandle());
    kwtest::pumpMessages();
    EXPECT_NE(edge(f.editor->getHandle()), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(edge(f.other->getHandle()), GetSysColor(COLOR_HIGHLIGHT));
}
