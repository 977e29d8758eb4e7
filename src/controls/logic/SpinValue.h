#ifndef KW_SPIN_VALUE_H
#define KW_SPIN_VALUE_H

#include <cstdint>
#include <string>

namespace KW {
namespace spin {

// The spin box keeps its value as text in its edit control; these rules turn values into that text
// and back, and decide what typing, arrows and drags do to it.

// How many characters of the edit's text are read back as a value.
constexpr int readLimit = 29;

// Lower bound first, then the upper one: with minValue > maxValue the result is maxValue.
float clampValue(float value, float minValue, float maxValue);

// Fixed notation with five decimals, in the stream's global locale: 1 gives "1.00000".
std::string formatValue(float value);

// The part of an edit's text that is read back: its first readLimit characters.
std::string readableText(const std::string& text);

// One float extracted by a stream (leading blanks skipped, trailing characters ignored); fallback when
// no number can be extracted.
float parseValue(const std::string& text, float fallback);

// The value after count steps (negative count: steps down); step * count is computed in float.
float steppedValue(float value, float step, int count);

// Steps of one arrow notification: its iDelta is negative for the up or right arrow under the
// up-down control's default range.
int arrowSteps(int delta);

// Steps of a drag from anchor to position (signed 16-bit mouse coordinates): moving up (vertical) or
// right (horizontal) increases.
int dragSteps(int anchor, int position, bool vertical);

// A drag step needs exactly the left button: no other button, no modifier key.
constexpr std::uint32_t leftButtonOnly = 0x0001;
inline bool isDragMove(std::uintptr_t mouseKeys) {
    return mouseKeys == leftButtonOnly;
}

// What the edit does with a typed character.
enum class CharAction {
    Pass,    // digits, '.', '-', Backspace and the clipboard/undo/select-all control characters
    Commit,  // Enter: the typed text becomes the value at once
    Swallow, // anything else
};
CharAction charAction(std::uintptr_t charCode);

} // namespace spin
} // namespace KW

#endif
