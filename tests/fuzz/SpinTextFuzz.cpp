// Any text a user can put into a spin box's edit: reading it back must never crash, and whatever value
// comes out must be shown and read back again consistently.
#include "FuzzRequire.h"
#include "controls/logic/SpinValue.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace KW;

namespace {

float floatAt(const std::uint8_t* data, std::size_t size, std::size_t offset) {
    float value = 0.0f;
    if (size >= offset + sizeof(value)) {
        std::memcpy(&value, data + offset, sizeof(value));
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::string readable = spin::readableText(typed);
    require(readable.size() <= static_cast<std::size_t>(spin::readLimit));
    require(typed.compare(0, readable.size(), readable) == 0);

    // The edit stops at the first NUL, as a window text does.
    const std::string windowText(readable.c_str());
    const float fallback = -7.25f;
    const float value = spin::parseValue(windowText, fallback);
    require(!std::isnan(value));

    // Bounds and a step taken from the input too, so that odd ones (NaN, infinities) are covered.
    const float minValue = floatAt(data, size, 0);
    const float maxValue = floatAt(data, size, 4);
    const float step = floatAt(data, size, 8);
    const float clamped = spin::clampValue(value, minValue, maxValue);
    if (!std::isnan(minValue) && !std::isnan(maxValue) && minValue <= maxValue) {
        require(clamped >= minValue && clamped <= maxValue);
    }

    const float stepped = spin::steppedValue(
        clamped, step, spin::dragSteps(static_cast<std::int16_t>(size), 0, (size & 1) != 0));
    const std::string shown = spin::formatValue(stepped);
    // A finite value is always shown as a number that reads back; NaN and infinities do not read.
    const float readBack = spin::parseValue(spin::readableText(shown), std::nanf(""));
    if (std::isfinite(stepped)) {
        require(shown.size() >= 7 && shown[shown.size() - 6] == '.');
        require(!std::isnan(readBack));
        if (std::fabs(stepped) < 1e20f) {
            require(std::fabs(readBack - stepped) <= 0.000005f + std::fabs(stepped) * 1e-6f);
        }
    } else {
        require(std::isnan(readBack));
    }
    return 0;
}
