#include "SpriteSheet.h"

#include <algorithm>
#include <cmath>

namespace pelmora {

int SpriteSheet::frameCount() const {
    return std::max(1, columns) * std::max(1, rows);
}

bool operator==(const SpriteSheet& a, const SpriteSheet& b) {
    return a.columns == b.columns && a.rows == b.rows && a.frameRate == b.frameRate &&
           a.randomStart == b.randomStart;
}

namespace detail {

int spriteFrame(const SpriteSheet& sheet, float age, float lifetime, int startFrame) {
    const int frames = sheet.frameCount();
    if (frames == 1) {
        return 0;
    }
    int advanced = 0;
    if (sheet.frameRate > 0.0f) {
        advanced = static_cast<int>(std::floor(std::max(0.0f, age) * sheet.frameRate));
    } else if (lifetime > 0.0f) {
        const float life = std::min(1.0f, std::max(0.0f, age / lifetime));
        advanced = std::min(frames - 1, static_cast<int>(std::floor(life * static_cast<float>(frames))));
    }
    const int start = ((startFrame % frames) + frames) % frames;
    return (start + advanced % frames) % frames;
}

FrameRect frameRect(const SpriteSheet& sheet, int frame) {
    const int columns = std::max(1, sheet.columns);
    const int rows = std::max(1, sheet.rows);
    const int index = ((frame % sheet.frameCount()) + sheet.frameCount()) % sheet.frameCount();
    const float w = 1.0f / static_cast<float>(columns);
    const float h = 1.0f / static_cast<float>(rows);
    const float u = static_cast<float>(index % columns) * w;
    const float v = static_cast<float>(index / columns) * h;
    return {u, v, u + w, v + h};
}

} // namespace detail
} // namespace pelmora
