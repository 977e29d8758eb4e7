#include "ContainerHelpers.h"

#include <gtest/gtest.h>

using namespace KW;

namespace {

const COLORREF panelColor = RGB(210, 208, 212);

bool missingParentRefused(const std::string& text) {
    const auto& boxes = kwtest::messageBoxes();
    return boxes.size() == 1 && boxes[0].caption == "KW Error" && boxes[0].text == text;
}

// Creates a header 300 x 100 in client size (the sunken edge takes 2 pixels on each side).
KWHeader* sceneHeader(KWObject* parent, int clientHeight = 100, int topAlpha = 255) {
    return KWHeader::create(STYLE_DEFAULT, 10, 10, 304, clientHeight + 4,
                            "Scene :", KWColor(230, 230, 230, topAlpha), KWColor(180, 180, 180, 255),
                            KWColor(40, 40, 40, 255), parent, 7);
}

} // namespace

TEST(Panel, IsAFramedChildInThePanelColour) {
    auto host = kwtest::hostWindow();
    KWPanel* panel = KWPanel::create(STYLE_SIZABLE, 10, 20, 200, 100, host.get(), 3);
    ASSERT_TRUE(panel && panel->getHandle());
    HWND window = panel->getHandle();
    EXPECT_EQ(kwtest::windowClassName(window), "KWPANEL");
    EXPECT_EQ(GetParent(window), host->getHandle());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x50000000u);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(panel->getType(), GADGET_PANEL);
    EXPECT_EQ(panel->getId(), 3);
    const KWBound placed = kwtest::rectInParent(window);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(placed.right - placed.left, 200);
    EXPECT_EQ(placed.bottom - placed.top, 100);
    EXPECT_EQ(kwtest::pixelAt(window, 30, 30), panelColor);
}

TEST(Panel, ChildrenFollowItsSize) {
    auto host = kwtest::hostWindow();
    KWPanel* panel = KWPanel::create(STYLE_DEFAULT, 0, 0, 200, 100, host.get(), 0);
    KWPanel* inner = KWPanel::create(STYLE_DEFAULT, 10, 10, 20, 20, panel, 0);
    inner->lockToParent(LOCK_STRETCH_BOTH);
    SetWindowPos(panel->getHandle(), nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    const SIZE client = kwtest::clientSize(panel->getHandle());
    const KWBound placed = inner->getLocalBounds();
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.right, client.cx - 10);
    EXPECT_EQ(placed.bottom, client.cy);
}

TEST(GroupBox, IsAStandardGroupFrameWithTheDefaultFont) {
    auto host = kwtest::hostWindow();
    KWGroupBox* group = KWGroupBox::create(STYLE_DEFAULT, "Emitter", 5, 5, 180, 90, host.get(), 4);
    ASSERT_TRUE(group && group->getHandle());
    HWND window = group->getHandle();
    EXPECT_EQ(kwtest::windowClassName(window), "Button");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF000Fu, 0x50000007u);
    EXPECT_EQ(group->getText(), "Emitter");
    EXPECT_EQ(group->getType(), GADGET_GROUPBOX);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
    group->setText("Particles");
    EXPECT_EQ(kwtest::windowText(window), "Particles");
}

TEST(Containers, RefuseAMissingParent) {
    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWPanel::create(STYLE_DEFAULT, 0, 0, 10, 10, nullptr, 0), nullptr);
    EXPECT_TRUE(missingParentRefused("KWPanel cannot be created without a parent.Creation failed"));

    kwtest::clearMessageBoxes();
    EXPECT_EQ(KWGroupBox::create(STYLE_DEFAULT, "x", 0, 0, 10, 10, nullptr, 0), nullptr);
    EXPECT_TRUE(missingParentRefused("KWGroupBox cannot be created without a parent.Creation failed"));

    kwtest::clearMessageBoxes();
    EXPECT_EQ(sceneHeader(nullptr), nullptr);
    EXPECT_TRUE(missingParentRefused("KWHeader cannot be created without a parent.Creation failed"));
    kwtest::clearMessageBoxes();
}

TEST(Header, IsASunkenPaneTitledByItsWindowText) {
    auto host = kwtest::hostWindow();
    kwtest::clearMessageBoxes();
    KWHeader* header = sceneHeader(host.get());
    ASSERT_TRUE(header && header->getHandle());
    EXPECT_TRUE(kwtest::messageBoxes().empty());
    HWND window = header->getHandle();
    EXPECT_EQ(kwtest::windowClassName(window), "KWWINDOW");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0xFFFF0000u, 0x50000000u);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(header->getType(), GADGET_HEADER);
    EXPECT_EQ(header->getText(), "Scene :");
    EXPECT_EQ(kwtest::clientSize(window).cx, 300);
}

TEST(Header, PaintsAGradientBandWithTheTitle) {
    auto host = kwtest::hostWindow();
    KWHeader* header = sceneHeader(host.get());
    const kwtest::PixelGrab grab(header->getHandle(), 300, 30);

    // Left of the title the band fades from light grey down to mid grey at row 19.
    EXPECT_TRUE(kwtest::closeTo(grab.at(2, 0), RGB(230, 230, 230), 4)) << std::hex << grab.at(2, 0);
    EXPECT_TRUE(kwtest::closeTo(grab.at(2, 19), RGB(180, 180, 180), 4)) << std::hex << grab.at(2, 19);
    EXPECT_TRUE(kwtest::closeTo(grab.at(299, 10), grab.at(2, 10), 2));
    for (int y = 1; y < 20; ++y) {
        EXPECT_LE(GetRValue(grab.at(2, y)), GetRValue(grab.at(2, y - 1))) << "row " << y;
        EXPECT_EQ(GetRValue(grab.at(2, y)), GetBValue(grab.at(2, y))) << "row " << y;
    }
    // Below the band the window class background shows.
    EXPECT_EQ(grab.at(2, 25), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(grab.at(150, 25), GetSysColor(COLOR_BTNFACE));

    // The title is written in the text colour from (5, 2), inside the band.
    int left = grab.width;
    int top = grab.height;
    int bottom = -1;
    int exact = 0;
    for (int y = 0; y < grab.height; ++y) {
        for (int x = 0; x < grab.width; ++x) {
            if (GetRValue(grab.at(x, y)) < 120) {
                left = std::min(left, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                exact += grab.at(x, y) == RGB(40, 40, 40);
            }
        }
    }
    EXPECT_GT(exact, 10);
    EXPECT_GE(left, 5);
    EXPECT_LE(left, 7);
    EXPECT_GE(top, 2);
    EXPECT_LE(top, 6);
    EXPECT_LT(bottom, 20);
}

TEST(Header, AlphaHasNoEffectAndTheBandKeepsItsHeight) {
    auto host = kwtest::hostWindow();
    KWHeader* opaqueHeader = sceneHeader(host.get());
    KWHeader* clearHeader = sceneHeader(host.get(), 100, 0);
    SetWindowPos(clearHeader->getHandle(), nullptr, 10, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const kwtest::PixelGrab opaque(opaqueHeader->getHandle(), 4, 20);
    const kwtest::PixelGrab clear(clearHeader->getHandle(), 4, 20);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(clear.at(2, y), opaque.at(2, y)) << "row " << y;
    }

    // A header 8 pixels high in client size shows only the top of the same 20-pixel band.
    KWHeader* low = sceneHeader(host.get(), 8);
    SetWindowPos(low->getHandle(), nullptr, 10, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const kwtest::PixelGrab top(low->getHandle(), 4, 8);
    for (int y = 0; y < 8; ++y) {
        EXPECT_TRUE(kwtest::closeTo(top.at(2, y), opaque.at(2, y), 2)) << "row " << y;
    }
    EXPECT_GT(GetRValue(top.at(2, 7)), 200);
}

TEST(Header, ResizingRealignsItsChildren) {
    auto host = kwtest::hostWindow();
    KWHeader* header = sceneHeader(host.get());
    KWPanel* body = KWPanel::create(STYLE_DEFAULT, 0, 20, 50, 50, header, 0);
    body->lockToParent(LOCK_STRETCH_BOTH);
    SetWindowPos(header->getHandle(), nullptr, 0, 0, 404, 304, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    const KWBound placed = body->getLocalBounds();
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(placed.right, 400);
    EXPECT_EQ(placed.bottom, 300);

    // A filling child covers the band as well.
    body->lockToParent(LOCK_FILL);
    header->doAlignment();
    const KWBound filled = body->getLocalBounds();
    EXPECT_EQ(filled.top, 0);
    EXPECT_EQ(filled.bottom, 300);
}

TEST(Header, RepaintingLeavesNoGdiObjectBehind) {
    auto host = kwtest::hostWindow();
    KWHeader* header = sceneHeader(host.get());
    kwtest::pumpMessages();
    const unsigned before = kwtest::gdiObjectCount();
    const size_t committed = kwtest::committedMemory();
    for (int i = 0; i < 200; ++i) {
        InvalidateRect(header->getHandle(), nullptr, TRUE);
        UpdateWindow(header->getHandle());
    }
    // GDI+ bitmaps are plain memory: 200 band bitmaps of 300 x 20 pixels kept alive would take 4.8 MB.
    EXPECT_LT(kwtest::committedMemory(), committed + 1024 * 1024);
    EXPECT_EQ(kwtest::gdiObjectCount(), before);
}
