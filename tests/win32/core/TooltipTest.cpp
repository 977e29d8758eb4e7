#include "ProbeGadget.h"
#include "TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

constexpr UINT toolInfoSize = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);

struct ToolState {
    bool exists;
    std::string text;
    RECT rect;
};

ToolState readTool(ProbeGadget* gadget, int id) {
    char text[INFOTIPSIZE] = {};
    TOOLINFOA info = {};
    info.cbSize = toolInfoSize;
    info.hwnd = gadget->getHandle();
    info.uId = static_cast<UINT_PTR>(id);
    info.lpszText = text;
    ToolState state = {};
    state.exists =
        SendMessageA(gadget->tooltipControl(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    state.text = text;
    state.rect = info.rect;
    return state;
}

struct Fixture : testing::Test {
    std::unique_ptr<ProbeGadget> top{ProbeGadget::create(nullptr, 0, 0, 300, 200)};
    ProbeGadget* gadget = ProbeGadget::create(top.get(), 10, 10, 120, 80);
    void SetUp() override { kwtest::clearMessageBoxes(); }
};

using Tooltips = Fixture;

} // namespace

TEST_F(Tooltips, FirstToolCreatesTheControlOverTheClientArea) {
    EXPECT_EQ(gadget->tooltipControl(), nullptr);
    EXPECT_EQ(gadget->addTooltip("whole"), 0);
    HWND control = gadget->tooltipControl();
    ASSERT_TRUE(control);
    EXPECT_EQ(kwtest::windowClassName(control), "tooltips_class32");
    EXPECT_EQ(GetAncestor(GetWindow(control, GW_OWNER), GA_ROOT), top->getHandle());
    EXPECT_EQ(SendMessageA(control, TTM_GETMAXTIPWIDTH, 0, 0), 250);
    EXPECT_TRUE(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const ToolState tool = readTool(gadget, 0);
    ASSERT_TRUE(tool.exists);
    EXPECT_EQ(tool.text, "whole");
    EXPECT_EQ(tool.rect.right, 120);
    EXPECT_EQ(tool.rect.bottom, 80);
}

TEST_F(Tooltips, IdsAreReusedLowestFirst) {
    EXPECT_EQ(gadget->addTooltip("a"), 0);
    EXPECT_EQ(gadget->addTooltip("b", KWBound(0, 50, 0, 20)), 1);
    EXPECT_EQ(gadget->addTooltip("c"), 2);
    gadget->removeTooltip(0);
    EXPECT_FALSE(readTool(gadget, 0).exists);
    EXPECT_EQ(gadget->addTooltip("d"), 0);
    EXPECT_EQ(readTool(gadget, 0).text, "d");
    const ToolState area = readTool(gadget, 1);
    EXPECT_EQ(area.rect.left, 0);
    EXPECT_EQ(area.rect.top, 0);
    EXPECT_EQ(area.rect.right, 50);
    EXPECT_EQ(area.rect.bottom, 20);
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST_F(Tooltips, SettersChangeOnlyWhatTheySayAndKeepTheText) {
    // The record read back carries up to 79 characters, so keep the text within that.
    const std::string longText(70, 't');
    const int id = gadget->addTooltip(longText, KWBound(0, 10, 0, 10));
    gadget->setTooltipPosition(id, KWBound(5, 60, 6, 70));
    ToolState tool = readTool(gadget, id);
    EXPECT_EQ(tool.text, longText);
    EXPECT_EQ(tool.rect.left, 5);
    EXPECT_EQ(tool.rect.top, 6);
    EXPECT_EQ(tool.rect.right, 60);
    EXPECT_EQ(tool.rect.bottom, 70);

    gadget->setTooltipText(id, "renamed");
    tool = readTool(gadget, id);
    EXPECT_EQ(tool.text, "renamed");
    EXPECT_EQ(tool.rect.right, 60);

    gadget->setTooltip(id, "both", KWBound(1, 2, 3, 4));
    tool = readTool(gadget, id);
    EXPECT_EQ(tool.text, "both");
    EXPECT_EQ(tool.rect.left, 1);
    EXPECT_EQ(tool.rect.bottom, 4);
}

TEST_F(Tooltips, UnknownIdsAndMissingControlAreIgnored) {
    gadget->setTooltipText(7, "nothing");
    gadget->removeTooltip(3);
    gadget->addTooltip("only");
    gadget->setTooltipText(7, "nothing");
    gadget->setTooltipPosition(7, KWBound(0, 1, 0, 1));
    EXPECT_FALSE(readTool(gadget, 7).exists);
    EXPECT_EQ(readTool(gadget, 0).text, "only");
    EXPECT_TRUE(kwtest::messageBoxes().empty());
}

TEST_F(Tooltips, AHundredAndFirstToolIsRefused) {
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(gadget->addTooltip("tip " + std::to_string(i)), i);
    }
    EXPECT_TRUE(kwtest::messageBoxes().empty());
    EXPECT_EQ(gadget->addTooltip("one too many"), -1);
    EXPECT_FALSE(readTool(gadget, -1).exists);
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Could not add tooltip to control !");
    EXPECT_EQ(gadget->addTooltip("area", KWBound(0, 1, 0, 1)), -1);
    EXPECT_EQ(kwtest::messageBoxes().back().text, "Could not add tooltip to the control !");
    EXPECT_EQ(SendMessageA(gadget->tooltipControl(), TTM_GETTOOLCOUNT, 0, 0), 100);
}
