// Every container hands its gadgets' commands and screen-reader questions on the same way; only the
// rollout leaves its locked children where they are.
#include "ContainerHelpers.h"

#include <KW.h>

#include <gtest/gtest.h>

#include <oleacc.h>

#include <functional>

using namespace KW;

namespace {

struct Container {
    const char* kind;
    std::function<KWObject*(KWWindow*)> make;
    // Puts a gadget created with the container as parent where the container shows it.
    std::function<void(KWObject*, KWObject*)> adopt;
    bool alignsLockedChildren;
};

long roleOf(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object) {
        return -1;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    VariantInit(&role);
    const long result = object->get_accRole(self, &role) == S_OK && role.vt == VT_I4 ? role.lVal : -1;
    object->Release();
    return result;
}

} // namespace

TEST(Routing, GadgetsInsideEveryContainerGetTheirCommandsAndScreenReaderTheSameWay) {
    const auto nothing = [](KWObject*, KWObject*) {};
    const Container containers[] = {
        {"window",
         [](KWWindow* host) {
             return KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, 0, 0, 300, 300, "", host, 1);
         },
         nothing, true},
        {"header",
         [](KWWindow* host) {
             return KWHeader::create(STYLE_DEFAULT, 0, 0, 300, 300, "Header", KWColor(90, 90, 90, 255),
                                     KWColor(60, 60, 60, 255), KWColor(255, 255, 255, 255), host, 1);
         },
         nothing, true},
        {"rollout", [](KWWindow* host) { return KWRollout::create(STYLE_DEFAULT, 0, 0, 300, 300, host, 1); },
         [](KWObject* container, KWObject* gadget) {
             auto* rollout = static_cast<KWRollout*>(container);
             if (rollout->getChildCount() == 1) {
                 rollout->addRollout(5, "Section");
             }
             rollout->addObject(5, 10, 10 + 30 * (rollout->getChildCount() - 1), gadget);
         },
         false},
        {"dock", [](KWWindow* host) { return KWDock::create(STYLE_DEFAULT, 0, 0, 300, 300, host, 1); },
         nothing, true},
    };
    for (const Container& c : containers) {
        SCOPED_TRACE(c.kind);
        auto host = kwtest::hostWindow();
        KWObject* container = c.make(host.get());
        ASSERT_TRUE(container);

        KWButton* button = KWButton::create(STYLE_DEFAULT, "Go", 0, 0, 60, 24, container, 7);
        c.adopt(container, button);
        int clicks = 0;
        button->setHandler([&clicks](const KWEvent& event) { clicks += event.type == EVENT_CLICKED; });
        KWSpinBox* spin = KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 40, 80, 22, 0.0f, 10.0f, 1.0f, false,
                                            true, container, 8);
        c.adopt(container, spin);
        KWButton* locked = KWButton::create(STYLE_DEFAULT, "Locked", 20, 200, 60, 24, container, 9);
        locked->lockToParent(LOCK_RIGHT);
        kwtest::pumpMessages();

        SendMessageW(button->getHandle(), BM_CLICK, 0, 0);
        kwtest::pumpMessages();
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(roleOf(spin->getHandle()), ROLE_SYSTEM_SPINBUTTON);

        const KWBound before = kwtest::rectInParent(locked->getHandle());
        SetWindowPos(container->getHandle(), nullptr, 0, 0, 400, 320, SWP_NOZORDER | SWP_NOMOVE);
        kwtest::pumpMessages();
        const KWBound after = kwtest::rectInParent(locked->getHandle());
        EXPECT_EQ(after.left != before.left, c.alignsLockedChildren);
    }
}
