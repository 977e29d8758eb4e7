#include "controls/logic/SpinValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>

using namespace KW;

TEST(SpinValue, ClampsLowerBoundFirst) {
    EXPECT_EQ(spin::clampValue(7.0f, 0.0f, 5.0f), 5.0f);
    EXPECT_EQ(spin::clampValue(-1.0f, 0.0f, 5.0f), 0.0f);
    EXPECT_EQ(spin::clampValue(2.5f, 0.0f, 5.0f), 2.5f);
    EXPECT_EQ(spin::clampValue(0.0f, 0.0f, 5.0f), 0.0f);
    EXPECT_EQ(spin::clampValue(5.0f, 0.0f, 5.0f), 5.0f);
    // Inverted bounds: the upper bound, applied last, wins wherever the value lies.
    EXPECT_EQ(spin::clampValue(15.0f, 20.0f, 10.0f), 10.0f);
    EXPECT_EQ(spin::clampValue(5.0f, 20.0f, 10.0f), 10.0f);
    EXPECT_EQ(spin::clampValue(25.0f, 20.0f, 10.0f), 10.0f);
    const float infinity = std::numeric_limits<float>::infinity();
    EXPECT_EQ(spin::clampValue(infinity, 0.0f, 100.0f), 100.0f);
    EXPECT_EQ(spin::clampValue(-infinity, 0.0f, 100.0f), 0.0f);
}

TEST(SpinValue, FormatsFixedWithFiveDecimals) {
    EXPECT_EQ(spin::formatValue(1.0f), "1.00000");
    EXPECT_EQ(spin::formatValue(0.001f), "0.00100");
    EXPECT_EQ(spin::formatValue(-2.5f), "-2.50000");
    EXPECT_EQ(spin::formatValue(5000.0f), "5000.00000");
    EXPECT_EQ(spin::formatValue(0.0f), "0.00000");
    EXPECT_EQ(spin::formatValue(0.01f), "0.01000");
    // No grouping, no exponent, even for large magnitudes; the float's own digits show.
    EXPECT_EQ(spin::formatValue(1234567.0f), "1234567.00000");
    EXPECT_EQ(spin::formatValue(1e10f), "10000000000.00000");
    EXPECT_EQ(spin::formatValue(0.000004f), "0.00000");
    EXPECT_EQ(spin::formatValue(0.000006f), "0.00001");
    EXPECT_EQ(spin::formatValue(0.1f), "0.10000");
}

TEST(SpinValue, ParsesLikeAStreamWithFallback) {
    EXPECT_EQ(spin::parseValue("1.00000", -9.0f), 1.0f);
    EXPECT_EQ(spin::parseValue("-2.50000", -9.0f), -2.5f);
    EXPECT_EQ(spin::parseValue("  42", -9.0f), 42.0f);
    EXPECT_EQ(spin::parseValue("12abc", -9.0f), 12.0f);
    EXPECT_EQ(spin::parseValue("+3", -9.0f), 3.0f);
    EXPECT_EQ(spin::parseValue("1.5e2", -9.0f), 150.0f);
    EXPECT_EQ(spin::parseValue(".5", -9.0f), 0.5f);
    EXPECT_EQ(spin::parseValue("5.", -9.0f), 5.0f);
    EXPECT_EQ(spin::parseValue("1.2.3", -9.0f), 1.2f);
    EXPECT_EQ(spin::parseValue("3-4", -9.0f), 3.0f);
    // Nothing to extract: the fallback.
    EXPECT_EQ(spin::parseValue("", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue("   ", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue("-", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue(".", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue("-.", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue("abc", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue("nan", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue("inf", -9.0f), -9.0f);
    // Out of float range is a failed extraction, not an infinity.
    EXPECT_EQ(spin::parseValue("1e39", -9.0f), -9.0f);
    EXPECT_EQ(spin::parseValue("-1e39", -9.0f), -9.0f);
}

TEST(SpinValue, FormatParsesBackToTheValueAtFiveDecimals) {
    for (float value : {1.0f, 0.001f, -2.5f, 5000.0f, 123.45678f, -0.00001f, 99999.99f}) {
        const float back = spin::parseValue(spin::formatValue(value), -9.0f);
        EXPECT_NEAR(back, value, 0.000005f + std::fabs(value) * 1e-6f) << value;
    }
}

TEST(SpinValue, ReadsOnlyTheFirst29Characters) {
    EXPECT_EQ(spin::readableText("12"), "12");
    EXPECT_EQ(spin::readableText(std::string(40, '7')), std::string(29, '7'));
    EXPECT_EQ(spin::readableText(std::string(1 << 20, '1')).size(), 29u);

    // 23 integer digits and five decimals: 29 characters exactly.
    const std::string fits = spin::formatValue(2e22f);
    EXPECT_EQ(fits, "19999999556392616722432.00000");
    EXPECT_EQ(spin::readableText(fits), fits);
    // From 24 digits on (10^23 and more) the last decimal goes; the value survives.
    const std::string longer = spin::formatValue(2e23f);
    EXPECT_EQ(longer.size(), 30u);
    EXPECT_EQ(spin::parseValue(spin::readableText(longer), 0.0f), 2e23f);
    // Negative: the sign pushes a decimal out from 23 digits on.
    EXPECT_EQ(spin::formatValue(-1e22f).size(), 29u);
    EXPECT_EQ(spin::formatValue(-2e22f).size(), 30u);
    // 31 integer digits: two are cut, so the value read back is a hundredth.
    const std::string tooLong = spin::formatValue(1e30f);
    EXPECT_EQ(tooLong.size(), 37u);
    EXPECT_FLOAT_EQ(spin::parseValue(spin::readableText(tooLong), 0.0f), 1e28f);
    EXPECT_FLOAT_EQ(spin::parseValue(spin::readableText(spin::formatValue(-1e30f)), 0.0f), -1e27f);
}

TEST(SpinValue, ArrowAndDragSteps) {
    // Up or right arrow: negative delta, one step up.
    EXPECT_EQ(spin::arrowSteps(-1), 1);
    EXPECT_EQ(spin::arrowSteps(-5), 1);
    EXPECT_EQ(spin::arrowSteps(1), -1);
    EXPECT_EQ(spin::arrowSteps(0), 0);

    // Vertical: moving up (smaller y) increases.
    EXPECT_EQ(spin::dragSteps(15, 5, true), 10);
    EXPECT_EQ(spin::dragSteps(5, 15, true), -10);
    // Horizontal: moving right increases.
    EXPECT_EQ(spin::dragSteps(5, 15, false), 10);
    EXPECT_EQ(spin::dragSteps(-3, -8, false), -5);
    EXPECT_EQ(spin::dragSteps(-32768, 32767, false), 65535);

    EXPECT_FLOAT_EQ(spin::steppedValue(1.0f, 0.01f, 10), 1.1f);
    EXPECT_FLOAT_EQ(spin::steppedValue(1.0f, 0.5f, -3), -0.5f);
    EXPECT_EQ(spin::steppedValue(2.0f, 1.0f, 0), 2.0f);

    EXPECT_TRUE(spin::isDragMove(0x0001));
    EXPECT_FALSE(spin::isDragMove(0x0001 | 0x0004)); // with Shift
    EXPECT_FALSE(spin::isDragMove(0x0001 | 0x0008)); // with Control
    EXPECT_FALSE(spin::isDragMove(0x0001 | 0x0002)); // with the right button
    EXPECT_FALSE(spin::isDragMove(0));
}

TEST(SpinValue, TypedCharacters) {
    for (char c : std::string("0123456789.-")) {
        EXPECT_EQ(spin::charAction(static_cast<unsigned char>(c)), spin::CharAction::Pass) << c;
    }
    // Backspace, Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z.
    for (unsigned c : {0x08u, 0x01u, 0x03u, 0x16u, 0x18u, 0x1Au}) {
        EXPECT_EQ(spin::charAction(c), spin::CharAction::Pass) << c;
    }
    EXPECT_EQ(spin::charAction('\r'), spin::CharAction::Commit);
    for (unsigned c : {unsigned('a'), unsigned('e'), unsigned('+'), unsigned(','), unsigned(' '), 0x09u,
                       0x1Bu, 0x0Au, 0x7Fu, 0xB0u, 0xE9u}) {
        EXPECT_EQ(spin::charAction(c), spin::CharAction::Swallow) << c;
    }
    // The whole UTF-16 unit is judged: letters whose low byte is a digit, a sign or a point are swallowed.
    for (unsigned c : {0x135u, 0x435u, 0x42Du, 0x4E2Eu, 0x5B30u, 0x100u + 'x'}) {
        EXPECT_EQ(spin::charAction(c), spin::CharAction::Swallow) << c;
    }
}
