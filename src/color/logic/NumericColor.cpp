#include "color/logic/NumericColor.h"

#include "color/logic/Hsv.h"

#include <cstdio>

namespace KW {
namespace numeric {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The number a field's text spells, stopping once it is beyond maximum so that it cannot overflow.
bool readNumber(const std::string& text, int maximum, long long& number) {
    const bool negative = !text.empty() && text[0] == '-';
    size_t at = negative ? 1 : 0;
    if (at == text.size()) {
        return false;
    }
    number = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
        if (number <= maximum) {
            number = number * 10 + (text[at] - '0');
        }
    }
    if (negative) {
        number = -number;
    }
    return true;
}

} // namespace

State fromColor(const KWColor& color) {
    const hsv::HsvColor converted = hsv::fromRgb(color.r, color.g, color.b);
    State state;
    state.color = color;
    state.hue = hsv::roundHalfAway(converted.hue * 360.0f) % 360;
    state.saturation = hsv::roundHalfAway(converted.saturation * 100.0f);
    state.value = hsv::roundHalfAway(converted.brightness * 100.0f);
    return state;
}

int maximumOf(Field field) {
    switch (field) {
    case FIELD_HUE:
        return 359;
    case FIELD_SATURATION:
    case FIELD_VALUE:
        return 100;
    case FIELD_HEX:
    case FIELD_COUNT:
        return 0;
    default:
        return 255;
    }
}

bool parseNumber(const std::string& text, int maximum, int& value) {
    long long number = 0;
    if (!readNumber(text, maximum, number)) {
        return false;
    }
    value = static_cast<int>(number < 0 ? 0 : (number > maximum ? maximum : number));
    return true;
}

std::string hexText(const KWColor& color) {
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "#%02X%02X%02X%02X", color.r & 0xFF, color.g & 0xFF, color.b & 0xFF,
                  color.a & 0xFF);
    return buffer;
}

bool parseHex(const std::string& text, KWColor& color) {
    const size_t start = !text.empty() && text[0] == '#' ? 1 : 0;
    if (text.size() - start != 8) {
        return false;
    }
    int components[4];
    for (int i = 0; i < 4; ++i) {
        const int high = hexDigit(text[start + 2 * i]);
        const int low = hexDigit(text[start + 2 * i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        components[i] = high * 16 + low;
    }
    color = KWColor(components[0], components[1], components[2], components[3]);
    return true;
}

std::string fieldText(Field field, const State& state) {
    switch (field) {
    case FIELD_RED:
        return std::to_string(state.color.r);
    case FIELD_GREEN:
        return std::to_string(state.color.g);
    case FIELD_BLUE:
        return std::to_string(state.color.b);
    case FIELD_ALPHA:
        return std::to_string(state.color.a);
    case FIELD_HUE:
        return std::to_string(state.hue);
    case FIELD_SATURATION:
        return std::to_string(state.saturation);
    case FIELD_VALUE:
        return std::to_string(state.value);
    default:
        return hexText(state.color);
    }
}

bool applyTyped(State& state, Field field, const std::string& text, bool& held) {
    held = false;
    if (field == FIELD_HEX) {
        KWColor color;
        if (!parseHex(text, color)) {
            return false;
        }
        state = fromColor(color);
        return true;
    }
    long long raw = 0;
    int number = 0;
    if (!readNumber(text, maximumOf(field), raw) || !parseNumber(text, maximumOf(field), number)) {
        return false;
    }
    held = raw != number;
    KWColor color = state.color;
    switch (field) {
    case FIELD_RED:
        color.r = number;
        break;
    case FIELD_GREEN:
        color.g = number;
        break;
    case FIELD_BLUE:
        color.b = number;
        break;
    case FIELD_ALPHA:
        color.a = number;
        break;
    default: {
        State next = state;
        (field == FIELD_HUE ? next.hue : field == FIELD_SATURATION ? next.saturation : next.value) = number;
        const KWColor converted =
            hsv::toRgb(static_cast<float>(next.hue) / 360.0f, static_cast<float>(next.saturation) / 100.0f,
                       static_cast<float>(next.value) / 100.0f);
        next.color = KWColor(converted.r, converted.g, converted.b, state.color.a);
        state = next;
        return true;
    }
    }
    // Red, green, blue: hue, saturation and value follow the colour, unless it has no hue to give.
    State next = fromColor(color);
    if (next.saturation == 0 || next.value == 0) {
        next.hue = state.hue;
        if (next.value == 0) {
            next.saturation = state.saturation;
        }
    }
    state = next;
    return true;
}

} // namespace numeric
} // namespace KW
