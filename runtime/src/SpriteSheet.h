#ifndef PELMORA_SPRITE_SHEET_H
#define PELMORA_SPRITE_SHEET_H

#include <pelmora/Runtime.h>

// Which frame of a sprite sheet a particle shows.
namespace pelmora {
namespace detail {

// The frame a particle shows at `age` of its `lifetime`, starting on `startFrame`.
int spriteFrame(const SpriteSheet& sheet, float age, float lifetime, int startFrame);

// The part of the texture (0..1, v downwards) that shows a frame.
struct FrameRect {
    float u0, v0, u1, v1;
};
FrameRect frameRect(const SpriteSheet& sheet, int frame);

} // namespace detail
} // namespace pelmora

#endif
