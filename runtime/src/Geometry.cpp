#include "EffectData.h"
#include "Engine.h"
#include "SpriteSheet.h"

#include <pelmora/Runtime.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pelmora {

namespace {

// A particle's four corners: top left, top right, bottom left, bottom right before its turn.
struct Quad {
    float x[4];
    float y[4];
};

Quad quadOf(const Particle& particle) {
    const float half = particle.size * 0.5f;
    // Unturned particles skip the trigonometry: cos 0 and sin 0 are exact.
    float c = half;
    float s = 0.0f;
    if (particle.rotation != 0.0f) {
        c = std::cos(particle.rotation) * half;
        s = std::sin(particle.rotation) * half;
    }
    const float dx[4] = {-1.0f, 1.0f, -1.0f, 1.0f};
    const float dy[4] = {1.0f, 1.0f, -1.0f, -1.0f};
    Quad quad;
    if (particle.stretch > 0.0f) {
        // Longer along the rotation's direction only.
        const float along = (particle.size + particle.stretch) / particle.size;
        const float cl =
            particle.size > 0.0f ? c * along : std::cos(particle.rotation) * particle.stretch * 0.5f;
        const float sl =
            particle.size > 0.0f ? s * along : std::sin(particle.rotation) * particle.stretch * 0.5f;
        for (int k = 0; k < 4; ++k) {
            quad.x[k] = particle.x + dx[k] * cl - dy[k] * s;
            quad.y[k] = particle.y + dx[k] * sl + dy[k] * c;
        }
        return quad;
    }
    for (int k = 0; k < 4; ++k) {
        quad.x[k] = particle.x + dx[k] * c - dy[k] * s;
        quad.y[k] = particle.y + dx[k] * s + dy[k] * c;
    }
    return quad;
}

std::uint32_t packColor(const Particle& particle) {
    const std::uint8_t bytes[4] = {particle.r, particle.g, particle.b, particle.a};
    std::uint32_t color;
    std::memcpy(&color, bytes, sizeof(color));
    return color;
}

} // namespace

void Geometry::clear() {
    vertices.clear();
    indices.clear();
    draws.clear();
}

Bounds Geometry::boundsSince(const Mark& mark) const {
    Bounds box = {0.0f, 0.0f, 0.0f, 0.0f, true};
    for (std::size_t i = mark.vertices; i < vertices.size(); ++i) {
        const Vertex& corner = vertices[i];
        if (box.empty) {
            box = Bounds{corner.x, corner.y, corner.x, corner.y, false};
        }
        box.left = std::min(box.left, corner.x);
        box.right = std::max(box.right, corner.x);
        box.bottom = std::min(box.bottom, corner.y);
        box.top = std::max(box.top, corner.y);
    }
    return box;
}

void Geometry::truncate(const Mark& mark) {
    vertices.resize(std::min(vertices.size(), mark.vertices));
    indices.resize(std::min(indices.size(), mark.indices));
    draws.resize(std::min(draws.size(), mark.draws));
}

std::vector<std::uint8_t> roundSprite(int size) {
    std::vector<std::uint8_t> image;
    if (size < 1) {
        return image;
    }
    image.assign(static_cast<std::size_t>(size) * size * 4, 0);
    // The raster's disc: pixel centres within the radius.
    const float radius = static_cast<float>(size) * 0.5f;
    for (int y = 0; y < size; ++y) {
        const float dy = static_cast<float>(y) + 0.5f - radius;
        for (int x = 0; x < size; ++x) {
            const float dx = static_cast<float>(x) + 0.5f - radius;
            if (dx * dx + dy * dy <= radius * radius) {
                std::uint8_t* pixel = &image[(static_cast<std::size_t>(y) * size + x) * 4];
                pixel[0] = pixel[1] = pixel[2] = pixel[3] = 255;
            }
        }
    }
    return image;
}

namespace {

// Makes room for this many more quads, so appending them does not reallocate.
template <typename T> void reserveMore(std::vector<T>& values, std::size_t more) {
    const std::size_t needed = values.size() + more;
    if (needed > values.capacity()) {
        // Geometric growth: many instances appending to one buffer must not copy it each time.
        values.reserve(std::max(needed, 2 * values.capacity()));
    }
}

void reserveQuads(Geometry& out, std::size_t quads) {
    reserveMore(out.vertices, 4 * quads);
    reserveMore(out.indices, 6 * quads);
}

// Quads gathered on the stack and appended to the geometry a batch at a time.
class QuadBatch {
public:
    QuadBatch(Geometry& out, std::size_t firstDraw) : out(out), firstDraw(firstDraw) {}
    ~QuadBatch() { flush(); }
    QuadBatch(const QuadBatch&) = delete;
    QuadBatch& operator=(const QuadBatch&) = delete;

    void add(const Particle& particle);
    // Appends the quads gathered so far; before anything else is appended to the geometry.
    void flush();

private:
    static const std::size_t kQuads = 64;
    Geometry& out;
    const std::size_t firstDraw;
    std::size_t count = 0;
    Vertex vertices[4 * kQuads];
    std::uint32_t indices[6 * kQuads];
};

void QuadBatch::add(const Particle& particle) {
    if (count == kQuads) {
        flush();
    }
    const Quad quad = quadOf(particle);
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
    if (particle.texture >= 0 && (particle.columns > 1 || particle.rows > 1)) {
        SpriteSheet sheet;
        sheet.columns = particle.columns;
        sheet.rows = particle.rows;
        const detail::FrameRect rect = detail::frameRect(sheet, particle.frame);
        u0 = rect.u0;
        v0 = rect.v0;
        u1 = rect.u1;
        v1 = rect.v1;
    }
    const std::uint32_t color = packColor(particle);
    const std::uint32_t base = static_cast<std::uint32_t>(out.vertices.size() + 4 * count);
    const std::uint32_t first = static_cast<std::uint32_t>(out.indices.size() + 6 * count);
    Vertex* corner = &vertices[4 * count];
    corner[0] = Vertex{quad.x[0], quad.y[0], u0, v0, color};
    corner[1] = Vertex{quad.x[1], quad.y[1], u1, v0, color};
    corner[2] = Vertex{quad.x[2], quad.y[2], u0, v1, color};
    corner[3] = Vertex{quad.x[3], quad.y[3], u1, v1, color};
    std::uint32_t* index = &indices[6 * count];
    index[0] = base;
    index[1] = base + 1;
    index[2] = base + 2;
    index[3] = base + 2;
    index[4] = base + 1;
    index[5] = base + 3;
    ++count;
    if (out.draws.size() == firstDraw || out.draws.back().texture != particle.texture ||
        out.draws.back().blend != particle.blend) {
        out.draws.push_back(DrawCall{particle.texture, particle.blend, first, 0});
    }
    out.draws.back().indexCount += 6;
}

void QuadBatch::flush() {
    out.vertices.insert(out.vertices.end(), vertices, vertices + 4 * count);
    out.indices.insert(out.indices.end(), indices, indices + 6 * count);
    count = 0;
}

} // namespace

void appendGeometry(const std::vector<Particle>& particles, Geometry& out) {
    reserveQuads(out, particles.size());
    QuadBatch quads(out, out.draws.size());
    for (const Particle& particle : particles) {
        quads.add(particle);
    }
}

namespace {

// A ribbon through the particle's centre and its trail's points (newest first), narrowing to nothing at
// the tail; it takes the particle's texture (its frame's middle column) and blend.
void writeTrail(const Particle& particle, const Trail& trail, const std::vector<float>& points, Geometry& out,
                std::size_t firstDraw) {
    const std::size_t count = points.size() / 2 + 1;
    if (count < 2 || trail.width <= 0.0f) {
        return;
    }
    float u = 0.5f, v0 = 0.0f, v1 = 1.0f;
    if (particle.texture >= 0) {
        SpriteSheet sheet;
        sheet.columns = particle.columns;
        sheet.rows = particle.rows;
        const detail::FrameRect rect = detail::frameRect(sheet, particle.frame);
        u = 0.5f * (rect.u0 + rect.u1);
        v0 = rect.v0;
        v1 = rect.v1;
    }
    reserveMore(out.vertices, 2 * count);
    reserveMore(out.indices, 6 * (count - 1));
    const std::uint32_t base = static_cast<std::uint32_t>(out.vertices.size());
    const std::uint32_t first = static_cast<std::uint32_t>(out.indices.size());
    const float halfWidth = 0.5f * trail.width * particle.size;
    for (std::size_t k = 0; k < count; ++k) {
        const float x = k == 0 ? particle.x : points[2 * k - 2];
        const float y = k == 0 ? particle.y : points[2 * k - 1];
        // The direction along the trail at this point, from its neighbours.
        const std::size_t before = k == 0 ? 0 : k - 1, after = k + 1 < count ? k + 1 : k;
        const float bx = before == 0 ? particle.x : points[2 * before - 2];
        const float by = before == 0 ? particle.y : points[2 * before - 1];
        const float ax = after == 0 ? particle.x : points[2 * after - 2];
        const float ay = after == 0 ? particle.y : points[2 * after - 1];
        float tx = bx - ax, ty = by - ay;
        const float length = std::sqrt(tx * tx + ty * ty);
        tx = length > 0.0f ? tx / length : 1.0f;
        ty = length > 0.0f ? ty / length : 0.0f;
        const float left = 1.0f - static_cast<float>(k) / static_cast<float>(count - 1);
        const float w = halfWidth * left;
        Particle shade = particle;
        if (trail.fade) {
            shade.a = static_cast<std::uint8_t>(static_cast<float>(particle.a) * left + 0.5f);
        }
        const std::uint32_t color = packColor(shade);
        out.vertices.push_back(Vertex{x - ty * w, y + tx * w, u, v0, color});
        out.vertices.push_back(Vertex{x + ty * w, y - tx * w, u, v1, color});
    }
    for (std::uint32_t k = 0; k + 1 < count; ++k) {
        const std::uint32_t at = base + 2 * k;
        const std::uint32_t quad[6] = {at, at + 1, at + 2, at + 2, at + 1, at + 3};
        out.indices.insert(out.indices.end(), quad, quad + 6);
    }
    if (out.draws.size() == firstDraw || out.draws.back().texture != particle.texture ||
        out.draws.back().blend != particle.blend) {
        out.draws.push_back(DrawCall{particle.texture, particle.blend, first, 0});
    }
    out.draws.back().indexCount += static_cast<std::uint32_t>(6 * (count - 1));
}

} // namespace

void Instance::appendGeometry(Geometry& out) const {
    const std::size_t count = engine->count();
    const std::size_t firstDraw = out.draws.size();
    const bool trails = engine->anyTrail();
    if (!trails) {
        reserveQuads(out, count);
    }
    // Particles are made a batch at a time, on the stack, and written out.
    const std::size_t kBatch = 64;
    Particle batch[kBatch];
    const bool moved = turn != 0.0f || scale != 1.0f;
    std::vector<float> points;
    QuadBatch quads(out, firstDraw);
    for (std::size_t first = 0; first < count; first += kBatch) {
        const std::size_t n = std::min(kBatch, count - first);
        engine->appearances(first, n, batch, effect->emitterTexture);
        for (std::size_t k = 0; k < n; ++k) {
            if (moved) {
                batch[k] = placed(batch[k]);
            }
            const Particle& particle = batch[k];
            if (trails && engine->hasTrail(first + k)) {
                // Each trail goes under its particle, so the two are written in turn.
                quads.flush();
                engine->trailOf(first + k, points);
                for (std::size_t p = 0; p < points.size(); p += 2) {
                    placePoint(points[p], points[p + 1]);
                }
                writeTrail(particle, engine->emitter(engine->sourceOf(first + k)).trail, points, out,
                           firstDraw);
            }
            quads.add(particle);
        }
    }
}

Bounds Instance::bounds() const {
    Geometry quads;
    appendGeometry(quads);
    return quads.boundsSince(Geometry::Mark{0, 0, 0});
}

std::size_t Instance::particleCount() const {
    return engine->count();
}

} // namespace pelmora
