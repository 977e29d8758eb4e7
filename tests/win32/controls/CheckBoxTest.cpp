#include "ControlHost.h"

using namespace KW;
using kwtest::ControlHost;

namespace {

struct CheckBoxes : ControlHost {
    KWCheckBox* box = KWCheckBox::create(STYLE_DEFAULT, "vasd", 10, 10, 120, 20, parent(), 3);
    std::string caption() { return kwtest::windowText(box->getHandle()); }
    // A click as the button receives it from the user: the press and the release over the box.
    void click() {
        PostMessageA(box->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(box->getHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        kwtest::pumpMessages();
    }
};

} // namespace

TEST_F(CheckBoxes, CaptionStaysUntilAutomaticTextIsEnabled) {
    EXPECT_EQ(caption(), "vasd");
    EXPECT_FALSE(box->isAutoTextEnabled());
    click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(caption(), "vasd");
    click();
    EXPECT_FALSE(box->isChecked());

    box->setAutoTextEnabled(true);
    EXPECT_TRUE(box->isAutoTextEnabled());
    EXPECT_EQ(caption(), "False");
}

TEST_F(CheckBoxes, ClicksRefreshTheCaptionThroughTheParent) {
    box->setAutoTextEnabled(true);
    click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(caption(), "True");
    click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(caption(), "False");
    SendMessageA(box->getHandle(), BM_CLICK, 0, 0);
    kwtest::pumpMessages();
    EXPECT_EQ(caption(), "True");
}

TEST_F(CheckBoxes, ReplacementTextsShowFromTheNextClick) {
    box->setAutoTextEnabled(true);
    click();
    box->setCheckedText("Random");
    box->setUncheckedText("Off");
    EXPECT_EQ(caption(), "True");
    click();
    EXPECT_EQ(caption(), "Off");
    click();
    EXPECT_EQ(caption(), "Random");
}

TEST_F(CheckBoxes, DisablingRefreshesOnceAndThenLeavesTheCaption) {
    box->setAutoTextEnabled(true);
    click();
    box->setCheckedText("Last");
    box->setAutoTextEnabled(false);
    EXPECT_EQ(caption(), "Last");
    click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(caption(), "Last");
}

TEST_F(CheckBoxes, OnlyClickNotificationsReachTheBox) {
    box->setAutoTextEnabled(true);
    // Checked without a notification: the caption has not been told yet.
    SendMessageA(box->getHandle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(caption(), "False");
    const LPARAM from = reinterpret_cast<LPARAM>(box->getHandle());
    SendMessageA(parentWindow(), WM_COMMAND, MAKEWPARAM(0, BN_SETFOCUS), from);
    EXPECT_EQ(caption(), "False");
    SendMessageA(parentWindow(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), from);
    EXPECT_EQ(caption(), "True");
}

TEST_F(CheckBoxes, WorksInsideAWindowGadget) {
    KWWindow* window = KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 100, 100, 300, 200, "frame", nullptr, 0);
    KWCheckBox* inside = KWCheckBox::create(STYLE_DEFAULT, "x", 10, 10, 100, 20, window, 0);
    inside->setAutoTextEnabled(true);
    SendMessageA(inside->getHandle(), BM_CLICK, 0, 0);
    kwtest::pumpMessages();
    EXPECT_EQ(kwtest::windowText(inside->getHandle()), "True");
    delete window;
}

TEST_F(CheckBoxes, MegabyteCaptionsAreShownWhole) {
    const std::string& big = kwtest::megabyteText();
    box->setCheckedText(big);
    box->setAutoTextEnabled(true);
    click();
    EXPECT_TRUE(caption() == big);
    EXPECT_EQ(box->getText(), big.substr(0, 99));
    box->setUncheckedText(big + big);
    click();
    EXPECT_EQ(caption().size(), 2 * big.size());
}

TEST_F(CheckBoxes, SetCheckedChangesStateAndCaptionWithoutReporting) {
    box->setAutoTextEnabled(true);
    int reports = 0;
    box->setHandler([&reports](const KWEvent&) { ++reports; });
    for (bool checked : {true, true, false}) {
        box->setChecked(checked);
        kwtest::pumpMessages();
        EXPECT_EQ(box->isChecked(), checked);
        EXPECT_EQ(caption(), checked ? "True" : "False");
    }
    EXPECT_EQ(reports, 0);
    click();
    EXPECT_EQ(reports, 1);
}
