#ifndef PELMORA_CURVES_H
#define PELMORA_CURVES_H

#include <pelmora/Runtime.h>

#include <vector>

// Size curves and colour gradients evaluated as the editor's curve and gradient gadgets evaluate them,
// to the bit, so a particle looks the same in a program as in the editor.
namespace pelmora {
namespace detail {

struct SizeSample {
    float upper = 0.0f;
    float lower = 0.0f;
};

// Both sizes at x (0..100), linear between the neighbouring keys in x order (ties in vector order);
// beyond the outermost keys their values; NaN reads as 0; no keys: both 0.
SizeSample evaluateSize(const std::vector<SizeKey>& keys, float x);

// Both colours at position, linear between the neighbouring keys in position order, rounded half away
// from zero; beyond the outermost keys their colours. False for a non-finite position or no keys.
bool evaluateColor(const std::vector<ColorKey>& keys, float position, Color& upper, Color& lower);

} // namespace detail
} // namespace pelmora

#endif
