// Themes as a client sees them: one call repaints every gadget in the theme's colours.
#include "TestSupport.h"

#include <KW.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

using namespace KW;

namespace {

struct Row {
    const char* name;
    // Makes the gadget in the frame and returns the window to capture (the frame when it returns null).
    std::function<KWObject*(KWWindow*)> make;
    COLORREF KWTheme::*background; // the colour most of the captured pixels have
    COLORREF KWTheme::*ink;        // a colour some pixels have (text, markers), or null
    int captureHeight;
};

const Row rows[] = {
    {"window", [](KWWindow*) -> KWObject* { return nullptr; }, &KWTheme::window, nullptr, 120},
    {"panel", [](KWWindow* f) -> KWObject* { return KWPanel::create(STYLE_DEFAULT, 0, 0, 200, 120, f, 1); },
     &KWTheme::panel, nullptr, 100},
    {"header",
     [](KWWindow* f) -> KWObject* {
         return KWHeader::create(STYLE_DEFAULT, 0, 0, 200, 120, "Hg Hg Hg", KWColor(0, 128, 0, 255),
                                 KWColor(0, 128, 0, 255), KWColor(255, 255, 0, 255), f, 1);
     },
     &KWTheme::headerBand, &KWTheme::headerText, 18},
    {"rollout",
     [](KWWindow* f) -> KWObject* {
         KWRollout* rollout = KWRollout::create(STYLE_DEFAULT, 0, 0, 200, 120, f, 1);
         rollout->addRollout(1, "Hg Hg Hg");
         return rollout;
     },
     &KWTheme::rolloutBar, &KWTheme::text, 14},
    {"curve editor",
     [](KWWindow* f) -> KWObject* {
         KWFloatGraph* graph = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, 200, 120, f, 1);
         graph->frameKeys();
         return graph;
     },
     &KWTheme::graphBackground, &KWTheme::marker, 100},
    {"gradient editor",
     [](KWWindow* f) -> KWObject* { return KWColorEdit::create(STYLE_DEFAULT, 0, 0, 200, 120, f, nullptr); },
     &KWTheme::graphBackground, &KWTheme::graphGrid, 60},
    {"edit",
     [](KWWindow* f) -> KWObject* { return KWEdit::create(STYLE_DEFAULT, "Hg Hg Hg", 0, 0, 200, 30, f, 1); },
     &KWTheme::editBackground, &KWTheme::text, 25},
    {"text",
     [](KWWindow* f) -> KWObject* {
         return KWText::create(STYLE_DEFAULT, "Hg Hg Hg", 0, 0, 200, 30, ALIGN_LEFT, f, 1);
     },
     &KWTheme::window, &KWTheme::text, 25},
    {"check box",
     [](KWWindow* f) -> KWObject* {
         return KWCheckBox::create(STYLE_DEFAULT, "Hg Hg Hg", 0, 0, 200, 30, f, 1);
     },
     &KWTheme::window, &KWTheme::text, 25},
    {"list box",
     [](KWWindow* f) -> KWObject* {
         KWListBox* list = KWListBox::create(STYLE_DEFAULT, 0, 0, 200, 120, f, 1);
         list->addItem(1, "Hg Hg Hg");
         return list;
     },
     &KWTheme::editBackground, &KWTheme::text, 100},
    {"tree",
     [](KWWindow* f) -> KWObject* {
         KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 0, 0, 200, 120, f, 1);
         tree->addItem(-1, -1, 0, "Hg Hg Hg");
         return tree;
     },
     &KWTheme::editBackground, &KWTheme::text, 100},
    {"property grid",
     [](KWWindow* f) -> KWObject* {
         KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 0, 0, 200, 120, f, 1);
         grid->addGroup("Hg Hg Hg");
         return grid;
     },
     &KWTheme::editBackground, &KWTheme::text, 100},
    {"status bar",
     [](KWWindow* f) -> KWObject* {
         KWStatus* status = KWStatus::create(f, 1);
         status->setText("Hg Hg Hg");
         return status;
     },
     &KWTheme::window, &KWTheme::text, 0},
};

bool similar(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

struct Shown {
    std::unique_ptr<KWWindow> frame;
    HWND captured;
    int height;

    explicit Shown(const Row& row)
        : frame(KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 40, 40, 240, 200, "Theme", nullptr, 0)) {
        KWObject* gadget = row.make(frame.get());
        captured = gadget ? gadget->getHandle() : frame->getHandle();
        ShowWindow(frame->getHandle(), SW_SHOWNOACTIVATE);
        height = row.captureHeight ? row.captureHeight : kwtest::clientSize(captured).cy;
    }
    std::vector<COLORREF> pixels() const { return kwtest::captureClient(captured, 180, height); }
};

double luminance(COLORREF color) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(color)) + 0.7152 * channel(GetGValue(color)) +
           0.0722 * channel(GetBValue(color));
}

double contrast(COLORREF a, COLORREF b) {
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

} // namespace

TEST(Themes, DarkPaintsEveryGadgetMadeBeforeOrAfterTheSwitch) {
    const KWTheme dark = KWTheme::dark();
    for (const bool madeBefore : {true, false}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (madeBefore ? ", made before the switch" : ", made after"));
            Kwadro::setTheme(madeBefore ? KWTheme::light() : dark);
            Shown shown(row);
            Kwadro::setTheme(dark);
            const std::vector<COLORREF> pixels = shown.pixels();
            std::map<COLORREF, int> counts;
            int inked = 0;
            for (COLORREF pixel : pixels) {
                ++counts[pixel];
                inked += row.ink && similar(pixel, dark.*row.ink, 20) ? 1 : 0;
            }
            const auto most =
                std::max_element(counts.begin(), counts.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
            EXPECT_TRUE(similar(most->first, dark.*row.background, 6)) << std::hex << most->first;
            if (row.ink) {
                EXPECT_GE(inked, 3);
            }
        }
    }
    Kwadro::setTheme(KWTheme::light());
}

TEST(Themes, LightAfterDarkGivesTodaysPicturesPixelForPixel) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Shown shown(row);
        const std::vector<COLORREF> before = shown.pixels();
        Kwadro::setTheme(KWTheme::dark());
        Kwadro::setTheme(KWTheme::light());
        EXPECT_TRUE(before == shown.pixels());
    }
}

TEST(Themes, DarkTextKeepsAContrastOfFourAndAHalfToOne) {
    {
        const KWTheme theme = KWTheme::dark();
        const std::pair<COLORREF, COLORREF> pairs[] = {
            {theme.text, theme.window},           {theme.text, theme.panel},
            {theme.text, theme.editBackground},   {theme.text, theme.rolloutBar},
            {theme.headerText, theme.headerBand}, {theme.selectionText, theme.selection}};
        for (const auto& pair : pairs) {
            EXPECT_GE(contrast(pair.first, pair.second), 4.5)
                << std::hex << pair.first << " on " << pair.second;
        }
    }
}

TEST(Themes, DarkMenusDrawTheirItemsInTheThemesColoursAndKeepTheirTexts) {
    std::unique_ptr<KWWindow> frame(
        KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 40, 40, 300, 200, "Menus", nullptr, 0));
    std::unique_ptr<KWContext> menu(KWContext::create());
    menu->addItem(1, -1, "&Open\tCtrl+O", false);
    frame->addMenu("Hg Hg Hg", menu.get());
    ShowWindow(frame->getHandle(), SW_SHOWNOACTIVATE);
    const KWTheme dark = KWTheme::dark();
    Kwadro::setTheme(dark);
    RedrawWindow(frame->getHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    kwtest::pumpMessages();

    HMENU bar = GetMenu(frame->getHandle());
    RECT item = {};
    RECT window = {};
    ASSERT_TRUE(GetMenuItemRect(frame->getHandle(), bar, 0, &item));
    GetWindowRect(frame->getHandle(), &window);
    HDC dc = GetWindowDC(frame->getHandle());
    int background = 0;
    int inked = 0;
    for (LONG y = item.top; y < item.bottom; ++y) {
        for (LONG x = item.left; x < item.right; ++x) {
            const COLORREF pixel = GetPixel(dc, x - window.left, y - window.top);
            background += similar(pixel, dark.window, 6) ? 1 : 0;
            inked += similar(pixel, dark.text, 40) ? 1 : 0;
        }
    }
    // The bar beyond its items too.
    MENUBARINFO barInfo = {};
    barInfo.cbSize = sizeof(barInfo);
    ASSERT_TRUE(GetMenuBarInfo(frame->getHandle(), OBJID_MENU, 0, &barInfo));
    const COLORREF rest = GetPixel(dc, barInfo.rcBar.right - 4 - window.left,
                                   (barInfo.rcBar.top + barInfo.rcBar.bottom) / 2 - window.top);
    ReleaseDC(frame->getHandle(), dc);
    EXPECT_TRUE(similar(rest, dark.window, 6)) << std::hex << rest;
    EXPECT_GT(background, (item.right - item.left) * (item.bottom - item.top) / 2);
    EXPECT_GE(inked, 3);

    // Clients still read the texts, under both themes.
    for (const bool light : {false, true}) {
        Kwadro::setTheme(light ? KWTheme::light() : dark);
        wchar_t text[32] = {};
        EXPECT_GT(GetMenuStringW(menu->getHandle(), 0, text, 32, MF_BYPOSITION), 0);
        EXPECT_STREQ(L"&Open\tCtrl+O", text);
    }
}
