#ifndef KW_NUMERIC_COLOR_H
#define KW_NUMERIC_COLOR_H

#include "KWTypes.h"

#include <string>

// The colour picker's number fields: red, green, blue and alpha (0 to 255), hue (0 to 359), saturation
// and value (0 to 100) and a hex field "#RRGGBBAA".
namespace KW {
namespace numeric {

enum Field {
    FIELD_RED,
    FIELD_GREEN,
    FIELD_BLUE,
    FIELD_ALPHA,
    FIELD_HUE,
    FIELD_SATURATION,
    FIELD_VALUE,
    FIELD_HEX,
    FIELD_COUNT
};

// What the fields hold. Hue, saturation and value are kept as typed: a grey has no hue of its own, and
// typing one must not be lost.
struct State {
    KWColor color;
    int hue;
    int saturation;
    int value;
};

State fromColor(const KWColor& color);

// The largest number a field takes (the hex field: 0).
int maximumOf(Field field);

// A number field's text: an optional minus, then digits. Held to 0 .. maximum; false (value untouched)
// for text that is no number yet, such as "" or "-".
bool parseNumber(const std::string& text, int maximum, int& value);

// Upper-case "#RRGGBBAA".
std::string hexText(const KWColor& color);
// "#RRGGBBAA" or "RRGGBBAA" in either case; false (color untouched) for anything else.
bool parseHex(const std::string& text, KWColor& color);

// The text a field shows for a state.
std::string fieldText(Field field, const State& state);

// Applies the text typed into a field. False, state untouched, while the text is not valid. held tells
// whether a number lay outside its range and was held to it, so that the field should show the number.
bool applyTyped(State& state, Field field, const std::string& text, bool& held);

} // namespace numeric
} // namespace KW

#endif
