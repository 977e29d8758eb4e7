#include "controls/logic/SpinValue.h"

#include <iomanip>
#include <sstream>

namespace KW {
namespace spin {

float clampValue(float value, float minValue, float maxValue) {
    if (minValue > value) {
        value = minValue;
    }
    if (maxValue < value) {
        value = maxValue;
    }
    return value;
}

std::string formatValue(float value) {
    std::ostringstream stream;
    stream << std::fixed << std::setprecision(5) << static_cast<double>(value);
    return stream.str();
}

std::string readableText(const std::string& text) {
    return text.substr(0, readLimit);
}

float parseValue(const std::string& text, float fallback) {
    std::istringstream stream(text);
    float value = 0.0f;
    if (!(stream >> value)) {
        return fallback;
    }
    return value;
}

float steppedValue(float value, float step, int count) {
    return value + step * static_cast<float>(count);
}

int arrowSteps(int delta) {
    if (delta < 0) {
        return 1;
    }
    if (delta > 0) {
        return -1;
    }
    return 0;
}

int dragSteps(int anchor, int position, bool vertical) {
    return vertical ? anchor - position : position - anchor;
}

CharAction charAction(std::uintptr_t charCode) {
    // The whole UTF-16 unit: a letter such as U+0435 must not pass for the '5' in its low byte.
    if (charCode > 0x7F) {
        return CharAction::Swallow;
    }
    const char c = static_cast<char>(charCode);
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') {
        return CharAction::Pass;
    }
    switch (c) {
    case 0x08: // Backspace
    case 0x01: // Ctrl+A
    case 0x03: // Ctrl+C
    case 0x16: // Ctrl+V
    case 0x18: // Ctrl+X
    case 0x1A: // Ctrl+Z
        return CharAction::Pass;
    case '\r':
        return CharAction::Commit;
    default:
        return CharAction::Swallow;
    }
}

} // namespace spin
} // namespace KW
