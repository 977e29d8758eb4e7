#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace KW;
using kwtest::ProbeGadget;

namespace {

struct TopLevel {
    std::unique_ptr<ProbeGadget> window;
    explicit TopLevel(int width = 400, int height = 300)
        : window(ProbeGadget::create(nullptr, 50, 50, width, height)) {
        kwtest::pumpMessages();
    }
};

void expectRect(const KWBound& b, int left, int right, int top, int bottom) {
    EXPECT_EQ(b.left, left);
    EXPECT_EQ(b.right, right);
    EXPECT_EQ(b.top, top);
    EXPECT_EQ(b.bottom, bottom);
}

} // namespace

TEST(Startup, SecondInitFailsWithItsMessageAndClassesExist) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    for (const char* name : {"KWWINDOW", "KWWHITE", "KWPANEL"}) {
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), name, &info)) << name;
        EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS)) << name;
    }
    kwtest::clearMessageBoxes();
    EXPECT_FALSE(Kwadro::init());
    ASSERT_EQ(kwtest::messageBoxes().size(), 1u);
    EXPECT_EQ(kwtest::messageBoxes()[0].caption, "KW_Error");
    EXPECT_EQ(kwtest::messageBoxes()[0].text, "Failed to register the Window Class !");
    kwtest::clearMessageBoxes();
}

TEST(Startup, PanelClassPaintsItsGrey) {
    HWND panel = CreateWindowExA(WS_EX_TOPMOST, "KWPANEL", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(panel);
    kwtest::pumpMessages();
    EXPECT_EQ(kwtest::pixelAt(panel, 30, 30), RGB(210, 208, 212));
    DestroyWindow(panel);
}

TEST(EventQueue, KeepsThirtyThreeEventsThenAcceptsAfterPop) {
    while (!Kwadro::events.empty()) {
        Kwadro::events.pop();
    }
    TopLevel top;
    for (int i = 0; i < 40; ++i) {
        Kwadro::registerEvent(static_cast<eEventType>(i), top.window.get());
    }
    ASSERT_EQ(Kwadro::events.size(), 33u);
    EXPECT_EQ(Kwadro::events.front().type, static_cast<eEventType>(0));
    EXPECT_EQ(Kwadro::events.front().object, top.window.get());
    Kwadro::events.pop();
    Kwadro::registerEvent(EVENT_CLICKED, nullptr);
    EXPECT_EQ(Kwadro::events.size(), 33u);
    EXPECT_EQ(Kwadro::events.back().type, EVENT_CLICKED);
    while (!Kwadro::events.empty()) {
        Kwadro::events.pop();
    }
}

TEST(Ownership, ChildrenDieInCreationOrderBeforeTheParentWindow) {
    ProbeGadget::destructionOrder().clear();
    ProbeGadget::windowAliveAtDestruction().clear();
    ProbeGadget* top = ProbeGadget::create(nullptr, 0, 0, 200, 200, 100);
    ProbeGadget* first = ProbeGadget::create(top, 0, 0, 10, 10, 1);
    ProbeGadget::create(top, 0, 0, 10, 10, 2);
    ProbeGadget::create(top, 0, 0, 10, 10, 3);
    ProbeGadget::create(first, 0, 0, 5, 5, 11);
    EXPECT_EQ(top->getChildCount(), 3);
    EXPECT_EQ(top->getChild(0), first);
    EXPECT_EQ(top->getChild(3), nullptr);
    EXPECT_EQ(top->getChild(-1), nullptr);
    HWND topWindow = top->getHandle();
    delete top;
    // The probe records itself in its own destructor, which runs before the base deletes its children.
    EXPECT_EQ(ProbeGadget::destructionOrder(), (std::vector<int>{100, 1, 11, 2, 3}));
    for (bool alive : ProbeGadget::windowAliveAtDestruction()) {
        EXPECT_TRUE(alive);
    }
    EXPECT_FALSE(IsWindow(topWindow));
}

TEST(Ownership, DeletingAWindowTheUserClosedIsSafe) {
    ProbeGadget* top = ProbeGadget::create(nullptr, 0, 0, 200, 200, 1);
    ProbeGadget* child = ProbeGadget::create(top, 0, 0, 10, 10, 2);
    const HWND childWindow = child->getHandle();
    DestroyWindow(top->getHandle());
    kwtest::pumpMessages();
    ASSERT_FALSE(IsWindow(childWindow));
    ProbeGadget::destructionOrder().clear();
    ProbeGadget::windowAliveAtDestruction().clear();
    delete top;
    // Both gadgets go, the parent's own part first, each finding its window already gone.
    EXPECT_EQ(ProbeGadget::destructionOrder(), (std::vector<int>{1, 2}));
    EXPECT_EQ(ProbeGadget::windowAliveAtDestruction(), (std::vector<bool>{false, false}));
}

TEST(Ownership, UserDataCarriesTheGadget) {
    TopLevel top;
    ProbeGadget* child = ProbeGadget::create(top.window.get(), 0, 0, 10, 10, 7);
    EXPECT_EQ(reinterpret_cast<KWObject*>(GetWindowLongPtrA(child->getHandle(), GWLP_USERDATA)), child);
    EXPECT_EQ(child->getId(), 7);
    EXPECT_EQ(child->getType(), GADGET_PANEL);
    child->setName("named");
    EXPECT_EQ(child->getName(), "named");
}

TEST(Geometry, PlacementConvertsTheCallersRecordAndBoundsTakeSizes) {
    TopLevel top;
    ProbeGadget* child = ProbeGadget::create(top.window.get(), 0, 0, 10, 10);
    KWBound edges(10, 110, 20, 220);
    child->setPlacement(edges);
    expectRect(edges, 10, 100, 20, 200);
    expectRect(child->getLocalBounds(), 10, 110, 20, 220);
    // The same record a second time now reads as edges 10..100 x 20..200.
    child->setPlacement(edges);
    expectRect(child->getLocalBounds(), 10, 100, 20, 200);

    child->setBounds(KWBound(10, 110, 20, 220));
    expectRect(child->getLocalBounds(), 10, 120, 20, 240);
    expectRect(child->getGlobalBounds(), 0, 110, 0, 220);

    child->setPosition(KWBound(3, 999, 4, 999));
    expectRect(child->getLocalBounds(), 3, 113, 4, 224);
    child->setPosition(30, 40);
    expectRect(child->getLocalBounds(), 30, 140, 40, 260);
    expectRect(top.window->getGlobalBounds(), 0, 400, 0, 300);
}

TEST(Geometry, TextIsCutAtNinetyNineCharacters) {
    TopLevel top;
    ProbeGadget* child = ProbeGadget::create(top.window.get(), 0, 0, 10, 10);
    const std::string longText(150, 'x');
    child->setText(longText);
    EXPECT_EQ(kwtest::windowText(child->getHandle()), longText);
    EXPECT_EQ(child->getText(), std::string(99, 'x'));
    child->setText("short");
    EXPECT_EQ(child->getText(), "short");
}

TEST(Geometry, VisibilityAndEnabling) {
    TopLevel top;
    ProbeGadget* child = ProbeGadget::create(top.window.get(), 0, 0, 10, 10);
    child->setVisible(false);
    EXPECT_FALSE(child->isVisible());
    EXPECT_FALSE(IsWindowVisible(child->getHandle()));
    child->setVisible(true);
    EXPECT_TRUE(IsWindowVisible(child->getHandle()));
    child->setActive(false);
    EXPECT_FALSE(child->isActive());
    child->setActive(true);
    EXPECT_TRUE(child->isActive());
}

TEST(Alignment, EveryLockTypeFollowsTheParent) {
    TopLevel top(400, 300);
    ProbeGadget* right = ProbeGadget::create(top.window.get(), 5, 10, 40, 40);
    right->lockToParent(LOCK_STRETCH_RIGHT);
    ProbeGadget* both = ProbeGadget::create(top.window.get(), 10, 20, 100, 50);
    both->lockToParent(LOCK_STRETCH_BOTH);
    ProbeGadget* dockRight = ProbeGadget::create(top.window.get(), 17, 0, 100, 10);
    dockRight->lockToParent(LOCK_RIGHT);
    ProbeGadget* bottomRight = ProbeGadget::create(top.window.get(), 10, 0, 50, 30);
    bottomRight->lockToParent(LOCK_BOTTOM_STRETCH_RIGHT);
    ProbeGadget* stretchBottom = ProbeGadget::create(top.window.get(), 10, 5, 50, 30);
    stretchBottom->lockToParent(LOCK_STRETCH_BOTTOM);
    ProbeGadget* untouched = ProbeGadget::create(top.window.get(), 1, 2, 3, 4);

    // Nothing moves until the parent aligns.
    expectRect(right->getLocalBounds(), 5, 45, 10, 50);
    top.window->doAlignment();
    expectRect(right->getLocalBounds(), 5, 395, 10, 50);
    expectRect(both->getLocalBounds(), 10, 390, 20, 300);
    expectRect(dockRight->getLocalBounds(), 300, 400, 0, 10);
    expectRect(bottomRight->getLocalBounds(), 10, 400, 270, 300);
    expectRect(stretchBottom->getLocalBounds(), 10, 60, 5, 300);
    expectRect(untouched->getLocalBounds(), 1, 4, 2, 6);

    // A resize of the parent re-aligns through its WM_SIZE.
    SetWindowPos(top.window->getHandle(), nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    kwtest::pumpMessages();
    expectRect(right->getLocalBounds(), 5, 595, 10, 50);
    expectRect(both->getLocalBounds(), 10, 590, 20, 500);
    expectRect(dockRight->getLocalBounds(), 500, 600, 0, 10);
}

TEST(Alignment, StatusBarIsLeftOutOfTheAreaAndToldToDock) {
    TopLevel top(400, 300);
    ProbeGadget* fill = ProbeGadget::create(top.window.get(), 0, 0, 10, 10);
    fill->lockToParent(LOCK_FILL);
    ProbeGadget* status = ProbeGadget::create(top.window.get(), 0, 0, 400, 22, 0, GADGET_STATUS);
    top.window->doAlignment();
    expectRect(fill->getLocalBounds(), 0, 400, 0, 278);
    // The status bar itself is given the area: a real status bar re-docks itself from there.
    expectRect(status->getLocalBounds(), 0, 400, 0, 278);
}

namespace {

std::vector<UINT> recordedMessages;

LRESULT CALLBACK recordingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    recordedMessages.push_back(msg);
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace

TEST(DefaultHandling, CommandsStopHereOtherMessagesGoOn) {
    WNDCLASSEXA recorder = {};
    recorder.cbSize = sizeof(recorder);
    recorder.lpfnWndProc = recordingProc;
    recorder.hInstance = GetModuleHandleA(nullptr);
    recorder.lpszClassName = "KWTestRecorder";
    RegisterClassExA(&recorder);

    TopLevel top;
    ProbeGadget* probe =
        ProbeGadget::create(top.window.get(), 0, 0, 50, 50, 0, GADGET_PANEL, "KWTestRecorder");
    recordedMessages.clear();
    EXPECT_EQ(SendMessageA(probe->getHandle(), WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), 0), 0);
    EXPECT_TRUE(recordedMessages.empty());
    SendMessageA(probe->getHandle(), WM_USER + 5, 0, 0);
    ASSERT_EQ(recordedMessages.size(), 1u);
    EXPECT_EQ(recordedMessages[0], static_cast<UINT>(WM_USER + 5));
}

TEST(DefaultHandling, PressingAButtonGivesTheGadgetFocus) {
    TopLevel top;
    ProbeGadget* a = ProbeGadget::create(top.window.get(), 0, 0, 50, 50);
    ProbeGadget* b = ProbeGadget::create(top.window.get(), 60, 0, 50, 50);
    SetForegroundWindow(top.window->getHandle());
    SetFocus(a->getHandle());
    ASSERT_EQ(GetFocus(), a->getHandle());
    SendMessageA(b->getHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), b->getHandle());
    SendMessageA(a->getHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), a->getHandle());
}

TEST(DefaultHandling, StyleMapping) {
    EXPECT_EQ(ProbeGadget::createStyle(STYLE_DEFAULT), 0x50000000u);
    EXPECT_EQ(ProbeGadget::createStyle(STYLE_SIZABLE), 0x50040000u);
    EXPECT_EQ(ProbeGadget::createStyle(static_cast<eStyles>(1)), 0x50000000u);
}

TEST(Dpi, AProcessThatIsNotDpiAwareSees96AndUnscaledLengths) {
    std::unique_ptr<ProbeGadget> frame(ProbeGadget::create(nullptr, 10, 10, 200, 100));
    KWButton* button = KWButton::create(STYLE_DEFAULT, "b", 5, 5, 40, 20, frame.get(), 1);
    for (const KWObject* gadget :
         {static_cast<const KWObject*>(frame.get()), static_cast<const KWObject*>(button)}) {
        EXPECT_EQ(96, gadget->getDpi());
        EXPECT_EQ(7, gadget->scale(7));
        EXPECT_EQ(-3, gadget->scale(-3));
    }
}
