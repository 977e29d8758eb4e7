#include "TestSupport.h"

#include <gtest/gtest.h>

namespace kwtest {
void installMessageBoxCatcher();
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // A message box must never wait for a user: every one is recorded and closed.
    kwtest::installMessageBoxCatcher();
    if (!KW::Kwadro::init()) {
        return 1;
    }
    kwtest::clearMessageBoxes();
    return RUN_ALL_TESTS();
}
