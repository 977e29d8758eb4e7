#include "logic/BurstText.h"

#include <gtest/gtest.h>

using namespace KW::effect;

TEST(BurstText, ReadsEntriesWritesThemBackAndRefusesOtherText) {
    struct Case {
        const char* text;
        std::vector<pelmora::Burst> bursts; // when read
        const char* error;                  // the start of the refusal otherwise
    } const cases[] = {
        {"", {}, nullptr},
        {"0:50, 0.5:10x3/0.25", {{0.0f, 50, 0.0f, 1}, {0.5f, 10, 0.25f, 3}}, nullptr},
        {" 1.5 : 7 X 2 / 1 ", {{1.5f, 7, 1.0f, 2}}, nullptr},
        {"0:50,", {}, "burst 2 \"\": is not time:count"},
        {"soon:5", {}, "burst 1 \"soon:5\": the time is not a number"},
        {"0:5.5", {}, "burst 1 \"0:5.5\": the count is not a whole number"},
        {"0:5x3", {}, "burst 1 \"0:5x3\": a repeat needs its interval"},
        {"0:5x3/fast", {}, "burst 1 \"0:5x3/fast\": the interval is not a number"},
    };
    for (const Case& c : cases) {
        std::vector<pelmora::Burst> bursts = {{9.0f, 9, 9.0f, 9}};
        std::string error;
        EXPECT_EQ(parseBursts(c.text, bursts, error), c.error == nullptr) << c.text;
        if (c.error) {
            EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
            EXPECT_EQ(bursts.size(), 1u);
        } else {
            EXPECT_EQ(bursts, c.bursts) << c.text;
            std::vector<pelmora::Burst> again;
            EXPECT_TRUE(parseBursts(burstText(bursts), again, error));
            EXPECT_EQ(again, bursts) << burstText(bursts);
        }
    }
}
