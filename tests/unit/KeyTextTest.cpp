#include "graphs/logic/KeyText.h"

#include <gtest/gtest.h>

using namespace KW;
using namespace KW::keytext;

namespace {

KWGraphPoint curveKey(float x, float y1, float y2) {
    KWGraphPoint key;
    key.x = x;
    key.y1 = y1;
    key.y2 = y2;
    return key;
}

} // namespace

TEST(KeyText, CurveTextShowsValuesAndReadsBackTheSameKeys) {
    std::vector<KWGraphPoint> keys = {curveKey(0, 0, 0), curveKey(33.3333f, -0.1f, -0.05f),
                                      curveKey(100, -70.5f, 0)};
    keys[0].fixed = keys[2].fixed = true;
    keys[1].selected = true;
    const std::string text = curveToText(keys);
    EXPECT_EQ(text.substr(0, 7), "0\t0\t0\r\n");
    EXPECT_EQ(text.substr(text.size() - 12), "100\t70.5\t0\r\n");
    std::vector<KWGraphPoint> read;
    ASSERT_TRUE(curveFromText(text, read));
    ASSERT_EQ(read.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read[i].x, keys[i].x);
        EXPECT_EQ(read[i].y1, keys[i].y1);
        EXPECT_EQ(read[i].y2, keys[i].y2);
        EXPECT_EQ(read[i].fixed, i != 1);
        EXPECT_FALSE(read[i].selected);
    }
}

TEST(KeyText, CurveTextIsRefusedWithoutChangingTheKeys) {
    const char* refused[] = {
        "",                                 // no keys
        "0 0 0\n",                          // one key
        "0 0 0\n100 0\n",                   // a missing value
        "0 0 0\n100 0 0 0\n",               // one too many
        "0 0 0\n100 0 0x\n",                // trailing characters
        "0 0 0\n100 nan 0\n",               // not finite
        "0 0 0\n100 1e99 0\n",              // beyond float
        "0 0 0\n50 1 2\n100 0 0\n",         // lower above upper
        "0 0 0\n50 -1 -1\n100 0 0\n",       // below the axis
        "0 0 0\n60 1 1\n50 1 1\n100 0 0\n", // out of order
        "1 0 0\n100 0 0\n",                 // not starting at 0
        "0 0 0\n99 0 0\n",                  // not ending at 100
    };
    for (const char* text : refused) {
        std::vector<KWGraphPoint> keys = {curveKey(0, -1, -1)};
        EXPECT_FALSE(curveFromText(text, keys)) << text;
        ASSERT_EQ(keys.size(), 1u);
        EXPECT_EQ(keys[0].y1, -1.0f);
    }
    std::vector<KWGraphPoint> keys;
    EXPECT_TRUE(curveFromText("  0\t 5  2 \n\n50 3 3\r\n100 0 0", keys)) << "spaces, LF and no last line end";
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].y1, -5.0f);
    EXPECT_EQ(keys[0].y2, -2.0f);
}

TEST(KeyText, GradientTextCarriesBothColoursAndIsChecked) {
    std::vector<KWColorPoint> keys = {
        KWColorPoint(0.0f, KWColor(1, 2, 3, 4), KWColor(5, 6, 7, 8), true),
        KWColorPoint(12.5f, KWColor(255, 0, 128, 0), KWColor(9, 9, 9, 9)),
        KWColorPoint(100.0f, KWColor(0, 0, 0, 255), KWColor(10, 20, 30, 40), true)};
    const std::string text = gradientToText(keys);
    EXPECT_EQ(text.substr(0, 19), "0\t1\t2\t3\t4\t5\t6\t7\t8\r\n");
    std::vector<KWColorPoint> read;
    ASSERT_TRUE(gradientFromText(text, read));
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[1].position, 12.5f);
    EXPECT_EQ(read[1].color1.b, 128);
    EXPECT_EQ(read[2].color2.a, 40);
    EXPECT_TRUE(read[0].fixed && read[2].fixed && !read[1].fixed);

    const char* refused[] = {
        "0 1 2 3 4 5 6 7 8\n",                        // one key
        "0 1 2 3 4 5 6 7 8\n100 1 2 3 4 5 6 7\n",     // a missing component
        "0 1 2 3 4 5 6 7 8\n100 1 2 3 4 5 6 7 256\n", // out of range
        "0 1 2 3 4 5 6 7 8\n100 1 2 3 4 5 6 7 -1\n",  // negative
        "0 1 2 3 4 5 6 7 8\n100 1 2 3 4 5 6 7 2.5\n", // not whole
        "0 1 2 3 4 5 6 7 8\n101 1 2 3 4 5 6 7 8\n",   // beyond 100
        "0 0 0\n100 0 0\n",                           // a curve
    };
    for (const char* bad : refused) {
        std::vector<KWColorPoint> untouched;
        EXPECT_FALSE(gradientFromText(bad, untouched)) << bad;
        EXPECT_TRUE(untouched.empty());
    }
}
