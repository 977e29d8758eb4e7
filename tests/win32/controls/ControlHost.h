#ifndef KW_CONTROL_HOST_H
#define KW_CONTROL_HOST_H

#include "ProbeGadget.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kwtest {

// A shown top-level gadget of 400 x 300 client pixels that runs the library's default handling, as
// the parent of the controls under test. Message boxes are cleared before each test.
struct ControlHost : testing::Test {
    std::unique_ptr<ProbeGadget> host{ProbeGadget::create(nullptr, 40, 40, 400, 300)};
    KW::KWObject* parent() { return host.get(); }
    HWND parentWindow() { return host->getHandle(); }
    void SetUp() override {
        pumpMessages();
        clearMessageBoxes();
    }
};

inline LONG styleOf(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

inline LONG exStyleOf(HWND window) {
    return GetWindowLongA(window, GWL_EXSTYLE);
}

// One MiB of text, long enough to overflow any fixed buffer.
inline const std::string& megabyteText() {
    static const std::string text = [] {
        std::string t(1 << 20, 'm');
        t[0] = 'A';
        t[t.size() - 1] = 'Z';
        return t;
    }();
    return text;
}

inline void expectSingleError(const std::string& text) {
    ASSERT_EQ(messageBoxes().size(), 1u);
    EXPECT_EQ(messageBoxes()[0].caption, "KW Error");
    EXPECT_EQ(messageBoxes()[0].text, text);
    clearMessageBoxes();
}

inline void expectRect(const KW::KWBound& b, int left, int right, int top, int bottom) {
    EXPECT_EQ(b.left, left);
    EXPECT_EQ(b.right, right);
    EXPECT_EQ(b.top, top);
    EXPECT_EQ(b.bottom, bottom);
}

} // namespace kwtest

#endif
