#include "DpiRun.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <memory>
#include <vector>

using namespace KW;

namespace {

const COLORREF bandGreen = RGB(0, 128, 0);
const COLORREF titleWhite = RGB(255, 255, 255);
const COLORREF rolloutLine = RGB(100, 100, 100);

std::unique_ptr<KWWindow> frame() {
    std::unique_ptr<KWWindow> shell(
        KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 0, 0, 700, 500, "DPI containers", nullptr, 0));
    SetForegroundWindow(shell->getHandle());
    kwtest::pumpMessages();
    return shell;
}

// The window's pixels after its pending paints, read in one go.
struct Pixels {
    Pixels(HWND window, int width, int height) : width(width) {
        // Two rounds of paints: the title band is drawn after the client edge settles.
        UpdateWindow(window);
        kwtest::pumpMessages();
        colors = kwtest::captureClient(window, width, height);
    }
    COLORREF at(int x, int y) const { return colors[static_cast<size_t>(y) * width + x]; }
    // The first and last rows, from top, in which some pixel of the columns has the colour; -1 if none.
    std::pair<int, int> rowsWith(COLORREF color, int fromX, int toX, int fromY, int toY) const {
        std::pair<int, int> rows(-1, -1);
        for (int y = fromY; y < toY; ++y) {
            for (int x = fromX; x < toX; ++x) {
                if (at(x, y) == color) {
                    rows.first = rows.first < 0 ? y : rows.first;
                    rows.second = y;
                    break;
                }
            }
        }
        return rows;
    }
    int width;
    std::vector<COLORREF> colors;
};

struct TipSearch {
    HWND owner;
    HWND tip;
};

BOOL CALLBACK findTip(HWND window, LPARAM lParam) {
    TipSearch* search = reinterpret_cast<TipSearch*>(lParam);
    if (kwtest::windowClassName(window) == TOOLTIPS_CLASSA && GetWindow(window, GW_OWNER) == search->owner) {
        search->tip = window;
    }
    return TRUE;
}

// A rollout with one section holding a button 5 pixels (at 96 DPI) below its bar.
struct RolloutShell {
    std::unique_ptr<KWWindow> shell = frame();
    KWRollout* rollout;
    KWButton* button;
    RolloutShell() {
        rollout = KWRollout::create(STYLE_DEFAULT, 0, 0, kwtest::atRunDpi(300), kwtest::atRunDpi(200),
                                    shell.get(), 1);
        rollout->addRollout(1, "Emission Hg");
        button = KWButton::create(STYLE_DEFAULT, "Go", 0, 0, kwtest::atRunDpi(60), kwtest::atRunDpi(20),
                                  rollout, 2);
        rollout->addObject(1, kwtest::atRunDpi(20), kwtest::atRunDpi(5), button);
    }
    // The first bar's outline rows, read in a column between its toggle box and its title (at 96 DPI the
    // box ends at 29 and the title starts at 45).
    std::pair<int, int> barRows() const {
        const int x = rollout->scale(38);
        const Pixels pixels(rollout->getHandle(), x + 1, rollout->scale(60));
        return pixels.rowsWith(rolloutLine, x, x + 1, 0, rollout->scale(60));
    }
    // The number of rows the first bar's title inks, in black, from its cap tops to its descenders.
    int titleInkHeight() const {
        const int left = rollout->scale(45);
        const Pixels pixels(rollout->getHandle(), rollout->scale(150), rollout->scale(30));
        const std::pair<int, int> rows =
            pixels.rowsWith(RGB(0, 0, 0), left, pixels.width, 0, rollout->scale(30));
        return rows.first < 0 ? 0 : rows.second - rows.first + 1;
    }
    // Clicks the middle of the first bar's toggle box, at 96 DPI at (24, 14).
    void clickToggle() const {
        // The rollout finds its toggle boxes while painting.
        UpdateWindow(rollout->getHandle());
        const LPARAM at = MAKELPARAM(rollout->scale(24), rollout->scale(14));
        PostMessageA(rollout->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(rollout->getHandle(), WM_LBUTTONUP, 0, at);
        kwtest::pumpMessages();
        UpdateWindow(rollout->getHandle());
        kwtest::pumpMessages();
    }
};

} // namespace

TEST(ContainersDpi, HeaderBandAndTitleScaleAndTheTitleFitsTheBand) {
    auto shell = frame();
    KWHeader* header = KWHeader::create(STYLE_DEFAULT, 0, 0, 400, 150, "Title Hg", KWColor(0, 128, 0, 255),
                                        KWColor(0, 128, 0, 255), KWColor(255, 255, 255, 255), shell.get(), 1);
    ASSERT_TRUE(header);
    const Pixels pixels(header->getHandle(), 380, 100);
    // Right of the title the band is plain green.
    const std::pair<int, int> band = pixels.rowsWith(bandGreen, 370, 371, 0, 100);
    EXPECT_EQ(0, band.first);
    EXPECT_SCALED(band.second + 1, 20);

    const std::pair<int, int> ink = pixels.rowsWith(titleWhite, 0, 300, 0, 100);
    ASSERT_GE(ink.first, 0) << "no title drawn";
    EXPECT_LE(ink.second, band.second) << "the title runs out of the band";
    // The title is written in the system font's face scaled to the display's DPI ("Hg" inks 14 rows at
    // 96 DPI), whole inside the band.
    EXPECT_NEAR(kwtest::atRunDpi(14), ink.second - ink.first + 1, 1);
    const std::pair<int, int> left = pixels.rowsWith(titleWhite, 0, kwtest::atRunDpi(5), 0, 100);
    EXPECT_EQ(-1, left.first) << "the title starts at its scaled offset";
}

TEST(ContainersDpi, TabStripAndNewPageDropScale) {
    auto shell = frame();
    KWTab* tab = KWTab::create(STYLE_DEFAULT, 0, 0, 400, 300, shell.get(), 1);
    ASSERT_TRUE(tab);
    EXPECT_SCALED(tab->getGlobalBounds().top, 20);
    KWWindow* page = tab->addTab(0, "Shape");
    ASSERT_TRUE(page);
    EXPECT_SCALED(kwtest::rectInParent(page->getHandle()).top, 43);
    tab->doAlignment();
    EXPECT_SCALED(kwtest::rectInParent(page->getHandle()).top, 20);
}

TEST(ContainersDpi, RolloutBarScalesAndAClickOnItsScaledBoxOpensAndClosesIt) {
    RolloutShell shell;
    const std::pair<int, int> bar = shell.barRows();
    EXPECT_SCALED(bar.first, 5);
    EXPECT_SCALED(bar.second - bar.first + 1, 18);
    // The bar's title, in the GUI font of the display's DPI, fits below the scaled text offset.
    const SIZE title =
        kwtest::textExtent(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), "Emission Hg");
    EXPECT_LE(kwtest::atRunDpi(2) + title.cy, bar.second - bar.first + 1);

    EXPECT_FALSE(IsWindowVisible(shell.button->getHandle()));
    shell.clickToggle();
    ASSERT_TRUE(IsWindowVisible(shell.button->getHandle())) << "the click missed the toggle box";
    EXPECT_NEAR(bar.second + 1 + kwtest::atRunDpi(5), kwtest::rectInParent(shell.button->getHandle()).top, 1);
    shell.clickToggle();
    EXPECT_FALSE(IsWindowVisible(shell.button->getHandle()));
}

TEST(ContainersDpi, RolloutFollowsAMoveToAnotherDisplay) {
    RolloutShell shell;
    shell.clickToggle();
    const int inkBefore = shell.titleInkHeight();
    ASSERT_GT(inkBefore, 0);
    const int newDpi = kwtest::runDpi() * 2;
    kwtest::moveToDpi(shell.shell.get(), newDpi);
    ASSERT_EQ(newDpi, shell.rollout->getDpi());
    const std::pair<int, int> bar = shell.barRows();
    EXPECT_NEAR(MulDiv(18, newDpi, 96), bar.second - bar.first + 1, 1);
    EXPECT_NEAR(bar.second + 1 + shell.rollout->scale(5), kwtest::rectInParent(shell.button->getHandle()).top,
                1)
        << "the section's gadget keeps its scaled place under the bar";
    EXPECT_NEAR(2 * inkBefore, shell.titleInkHeight(), 2)
        << "the title is written in the font of the new DPI";
    shell.clickToggle();
    EXPECT_FALSE(IsWindowVisible(shell.button->getHandle())) << "the click missed the rescaled toggle box";
}

TEST(ContainersDpi, TooltipsWrapAtAScaledWidthAndFollowDpiChanges) {
    auto shell = frame();
    KWButton* button = KWButton::create(STYLE_DEFAULT, "Tip", 10, 10, 80, 24, shell.get(), 1);
    const int tool = button->addTooltip("A tip");
    ASSERT_GE(tool, 0);
    // A popup's owner is always a top-level window.
    TipSearch search = {shell->getHandle(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findTip, reinterpret_cast<LPARAM>(&search));
    ASSERT_TRUE(search.tip);
    EXPECT_SCALED(static_cast<int>(SendMessageA(search.tip, TTM_GETMAXTIPWIDTH, 0, 0)), 250);

    const int fontBefore = kwtest::fontHeight(search.tip);
    kwtest::moveToDpi(shell.get(), 2 * kwtest::runDpi());
    EXPECT_NEAR(2 * fontBefore, kwtest::fontHeight(search.tip), 2);
    EXPECT_NEAR(2 * kwtest::atRunDpi(250), SendMessageA(search.tip, TTM_GETMAXTIPWIDTH, 0, 0), 1);
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = button->getHandle();
    info.uId = static_cast<UINT_PTR>(tool);
    ASSERT_TRUE(SendMessageA(search.tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(kwtest::clientSize(button->getHandle()).cx, info.rect.right) << "the tool covers the button";
}
