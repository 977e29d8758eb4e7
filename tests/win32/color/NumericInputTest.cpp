#include "PaintProbe.h"
#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

enum { RED, GREEN, BLUE, ALPHA, HUE, SATURATION, VALUE, HEX };

HWND childAt(HWND parent, int x, int y) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const KWBound rect = kwtest::rectInParent(child);
        if (rect.left == x && rect.top == y) {
            return child;
        }
    }
    return nullptr;
}

void settle(KWColorPicker* picker) {
    for (int i = 0; i < 4; ++i) {
        RedrawWindow(picker->getHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        kwtest::pumpMessages();
    }
}

// The number fields, found as the edit controls of the row below the areas.
std::vector<HWND> fieldsOf(KWColorPicker* picker) {
    std::vector<HWND> fields;
    HWND row = childAt(picker->getHandle(), 10, 278);
    for (HWND child = row ? GetWindow(row, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (kwtest::windowClassName(child) == "Edit") {
            fields.push_back(child);
        }
    }
    return fields;
}

// Replaces a field's text by typing it as real key input.
void typeInto(HWND field, const std::string& text) {
    SetForegroundWindow(GetAncestor(field, GA_ROOT));
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (char c : text) {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wScan = keys[1].ki.wScan = static_cast<WORD>(c);
        keys[0].ki.dwFlags = KEYEVENTF_UNICODE;
        keys[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
        kwtest::pumpMessages();
    }
}

void clickButton(HWND button) {
    kwtest::moveMouseTo(button, 10, 10);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
}

void expectColor(const KWColor& c, int r, int g, int b, int a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

KWColorPicker* pickerOf(KWObject* gadget) {
    for (int i = 0; i < gadget->getChildCount(); ++i) {
        if (gadget->getChild(i)->getType() == GADGET_COLORPICKER) {
            return static_cast<KWColorPicker*>(gadget->getChild(i));
        }
    }
    return nullptr;
}

struct PickerFixture {
    std::unique_ptr<ProbeGadget> owner;
    KWColorPicker* picker;
    PickerFixture() : owner(ProbeGadget::create(nullptr, 600, 100, 200, 100)) {
        picker = new KWColorPicker(KWColor(0, 0, 0, 255), 40, 40, owner.get());
        kwtest::pumpMessages();
    }
    KWColor show(const KWColor& color) {
        picker->setVisible(false);
        picker->setColor(color);
        picker->setVisible(true);
        settle(picker);
        return picker->getColor();
    }
    SIZE popupSize() const {
        RECT outer = {};
        GetWindowRect(picker->getHandle(), &outer);
        return SIZE{outer.right - outer.left, outer.bottom - outer.top};
    }
};

} // namespace

TEST(PickerNumbers, FieldsAreOffByDefaultAndShowTheColourWhenOn) {
    PickerFixture f;
    f.show(KWColor(255, 0, 0, 128));
    EXPECT_FALSE(f.picker->isNumericInput());
    EXPECT_TRUE(fieldsOf(f.picker).empty());
    EXPECT_EQ(f.popupSize().cy, 305);

    f.picker->setNumericInput(true);
    settle(f.picker);
    EXPECT_EQ(f.popupSize().cy, 340);
    const std::vector<HWND> fields = fieldsOf(f.picker);
    ASSERT_EQ(fields.size(), 8u);
    const char* expected[] = {"255", "0", "0", "128", "0", "100", "100", "#FF000080"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(kwtest::windowText(fields[static_cast<size_t>(i)]), expected[i]);
        EXPECT_TRUE(IsWindowVisible(fields[static_cast<size_t>(i)]));
    }
    // A loaded colour reaches the fields with the paint that reads it.
    f.show(KWColor(10, 20, 30, 40));
    EXPECT_EQ(kwtest::windowText(fields[HEX]), "#0A141E28");
    f.picker->setNumericInput(false);
    EXPECT_EQ(f.popupSize().cy, 305);
    EXPECT_FALSE(IsWindowVisible(fields[RED]));
}

TEST(PickerNumbers, TypingMovesTheMarkersAndUpdatesTheOtherFields) {
    PickerFixture f;
    f.show(KWColor(255, 0, 0, 255));
    f.picker->setNumericInput(true);
    settle(f.picker);
    std::vector<KWColor> seen;
    f.picker->setHandler([&](const KWEvent& event) {
        EXPECT_EQ(event.type, EVENT_CHANGING);
        seen.push_back(f.picker->getColor());
    });
    const std::vector<HWND> fields = fieldsOf(f.picker);
    ASSERT_EQ(fields.size(), 8u);

    typeInto(fields[GREEN], "128");
    ASSERT_EQ(seen.size(), 3u) << "1, 12, 128";
    expectColor(seen.back(), 255, 128, 0, 255);
    EXPECT_EQ(kwtest::windowText(fields[HUE]), "30");
    EXPECT_EQ(kwtest::windowText(fields[HEX]), "#FF8000FF");
    HWND preview = childAt(f.picker->getHandle(), 360, 10);
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(preview, 2, 2), 255, 128, 0))
        << kwtest::describe(kwtest::pixelAt(preview, 2, 2));

    // Beyond the range: held to it, and the field says so.
    typeInto(fields[BLUE], "300");
    EXPECT_EQ(kwtest::windowText(fields[BLUE]), "255");
    expectColor(f.picker->getColor(), 255, 128, 255, 255);

    typeInto(fields[HEX], "#10203040");
    expectColor(f.picker->getColor(), 16, 32, 48, 64);
    EXPECT_EQ(kwtest::windowText(fields[RED]), "16");
    EXPECT_EQ(kwtest::windowText(fields[ALPHA]), "64");
    // An unfinished hex value changes nothing and is put back when the field is left.
    const size_t reports = seen.size();
    typeInto(fields[HEX], "#12");
    expectColor(f.picker->getColor(), 16, 32, 48, 64);
    SetFocus(fields[RED]);
    kwtest::pumpMessages();
    EXPECT_EQ(kwtest::windowText(fields[HEX]), "#10203040");
    EXPECT_EQ(seen.size(), reports);

    // Hue, saturation and value, with the markers and the picture following.
    typeInto(fields[SATURATION], "100");
    typeInto(fields[VALUE], "100");
    typeInto(fields[HUE], "240");
    expectColor(f.picker->getColor(), 0, 0, 255, 64);
    settle(f.picker);
    EXPECT_TRUE(kwtest::colorNear(kwtest::pixelAt(childAt(f.picker->getHandle(), 10, 10), 255, 0), 0, 0, 255))
        << "the box shows the typed hue in its corner";
    expectColor(f.picker->getColor(), 0, 0, 255, 64);
}

TEST(PickerNumbers, OpenersPassTheSettingAndOkReturnsTheTypedColourExactly) {
    std::unique_ptr<ProbeGadget> frame(ProbeGadget::create(nullptr, 100, 420, 560, 160));
    KWColorButtons* pair = KWColorButtons::create(STYLE_DEFAULT, 10, 100, 100, 30, KWColor(255, 0, 0, 255),
                                                  KWColor(0, 0, 255, 255), frame.get(), frame.get(), 0);
    KWColorEdit* editor = KWColorEdit::create(STYLE_DEFAULT, 10, 10, 500, 80, frame.get(), frame.get());
    kwtest::pumpMessages();
    pair->setNumericInput(true);
    editor->setNumericInput(true);
    EXPECT_TRUE(pickerOf(pair)->isNumericInput());
    EXPECT_TRUE(pickerOf(editor)->isNumericInput());

    kwtest::moveMouseTo(pair->getHandle(), 10, 10);
    kwtest::mouseInput(MOUSEEVENTF_LEFTDOWN);
    kwtest::mouseInput(MOUSEEVENTF_LEFTUP);
    KWColorPicker* picker = pickerOf(pair);
    ASSERT_TRUE(IsWindowVisible(picker->getHandle()));
    settle(picker);
    typeInto(fieldsOf(picker)[HEX], "#0102FE80");
    clickButton(picker->getOkButton());
    expectColor(pair->getColor1(), 1, 2, 254, 128);

    // The editor's key at 100: right click on its upper swatch, type, Ok.
    kwtest::moveMouseTo(editor->getHandle(), 98, 5);
    kwtest::mouseInput(MOUSEEVENTF_RIGHTDOWN);
    kwtest::mouseInput(MOUSEEVENTF_RIGHTUP);
    picker = pickerOf(editor);
    ASSERT_TRUE(IsWindowVisible(picker->getHandle()));
    settle(picker);
    typeInto(fieldsOf(picker)[HUE], "77");
    typeInto(fieldsOf(picker)[RED], "3");
    const KWColor typed = picker->getColor();
    clickButton(picker->getOkButton());
    expectColor(editor->getPoints()[1].color1, typed.r, typed.g, typed.b, typed.a);
    EXPECT_EQ(typed.r, 3);
}
