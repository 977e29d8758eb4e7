#ifndef PELMORA_TEXEL_BLEND_H
#define PELMORA_TEXEL_BLEND_H

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The per-pixel arithmetic of textured particles: a texel premultiplied by its opacity, tinted, and blended
// onto a canvas pixel. Every channel is a 16-bit integer lane, so the SSE2 code, which does four channels in
// one instruction, and the portable code give the same bytes; a seed gives the same picture everywhere.
namespace pelmora {
namespace texel {

// Texels are bytes red, green, blue, alpha; canvas pixels are 0xAARRGGBB (bytes blue, green, red, alpha).
// A tint holds the particle's colour times its opacity, and the opacity, 0..255, in texel order.
struct Tint {
    int r, g, b, a;
};

// x / 255 rounded, for 0 <= x <= 65025, in 16-bit arithmetic.
inline std::uint32_t divide255(std::uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// The portable arithmetic: a pixel's four channels in texel order.
struct Portable {
    struct Texel {
        std::uint32_t c[4];
    };
    typedef Tint Lanes;

    static Lanes tintLanes(const Tint& tint) { return tint; }

    static Texel premultiplied(const std::uint8_t* texel) {
        const std::uint32_t a = texel[3];
        return Texel{{divide255(texel[0] * a), divide255(texel[1] * a), divide255(texel[2] * a), a}};
    }

    // (from * (256 - weight) + to * weight) / 256 on each channel, weight 0..255.
    static Texel mix(const Texel& from, const Texel& to, int weight) {
        const std::uint32_t w = static_cast<std::uint32_t>(weight);
        Texel mixed;
        for (int i = 0; i < 4; ++i) {
            mixed.c[i] = (from.c[i] * (256 - w) + to.c[i] * w) >> 8;
        }
        return mixed;
    }

    // A premultiplied texel tinted and blended onto dst: over it (alpha) or added to it (additive).
    template <bool Additive>
    static std::uint32_t blend(std::uint32_t dst, const Texel& texel, const Lanes& tint) {
        const int tints[4] = {tint.r, tint.g, tint.b, tint.a};
        std::uint32_t source[4];
        for (int i = 0; i < 4; ++i) {
            source[i] = divide255(texel.c[i] * static_cast<std::uint32_t>(tints[i]));
        }
        const std::uint32_t alpha = source[3];
        const std::uint32_t keep = 256 - (alpha + (alpha >> 7));
        // Canvas channel order: blue, green, red, alpha.
        const std::uint32_t ordered[4] = {source[2], source[1], source[0], alpha};
        std::uint32_t out = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t channel = (dst >> (8 * i)) & 0xFF;
            const std::uint32_t value =
                Additive ? channel + ordered[i] : ((channel * keep + 128) >> 8) + ordered[i];
            out |= (value > 255 ? 255 : value) << (8 * i);
        }
        return out;
    }
};

#if defined(__SSE2__)

// The same arithmetic, four channels an instruction.
struct Sse2 {
    typedef __m128i Texel;
    typedef __m128i Lanes;

    static __m128i divide255(__m128i x) {
        x = _mm_add_epi16(x, _mm_set1_epi16(128));
        return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
    }

    static Lanes tintLanes(const Tint& tint) {
        return _mm_setr_epi16(static_cast<short>(tint.r), static_cast<short>(tint.g),
                              static_cast<short>(tint.b), static_cast<short>(tint.a), 0, 0, 0, 0);
    }

    static Texel premultiplied(const std::uint8_t* texel) {
        std::int32_t bytes;
        std::memcpy(&bytes, texel, 4);
        const __m128i lanes = _mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), _mm_setzero_si128());
        // The opacity in the colour lanes, 255 in its own: the opacity stays as it is.
        const __m128i by = _mm_insert_epi16(_mm_shufflelo_epi16(lanes, _MM_SHUFFLE(3, 3, 3, 3)), 255, 3);
        return divide255(_mm_mullo_epi16(lanes, by));
    }

    static Texel mix(Texel from, Texel to, int weight) {
        const __m128i sum =
            _mm_add_epi16(_mm_mullo_epi16(from, _mm_set1_epi16(static_cast<short>(256 - weight))),
                          _mm_mullo_epi16(to, _mm_set1_epi16(static_cast<short>(weight))));
        return _mm_srli_epi16(sum, 8);
    }

    template <bool Additive> static std::uint32_t blend(std::uint32_t dst, Texel texel, Lanes tint) {
        // Tinted, then in canvas order (blue, green, red, alpha).
        const __m128i source =
            _mm_shufflelo_epi16(divide255(_mm_mullo_epi16(texel, tint)), _MM_SHUFFLE(3, 0, 1, 2));
        const __m128i pixel = _mm_cvtsi32_si128(static_cast<int>(dst));
        __m128i out;
        if (Additive) {
            out = _mm_adds_epu8(pixel, _mm_packus_epi16(source, source));
        } else {
            const int alpha = _mm_extract_epi16(source, 3);
            const __m128i keep = _mm_set1_epi16(static_cast<short>(256 - (alpha + (alpha >> 7))));
            const __m128i lanes = _mm_unpacklo_epi8(pixel, _mm_setzero_si128());
            const __m128i kept =
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(lanes, keep), _mm_set1_epi16(128)), 8);
            const __m128i sum = _mm_add_epi16(kept, source);
            out = _mm_packus_epi16(sum, sum);
        }
        return static_cast<std::uint32_t>(_mm_cvtsi128_si32(out));
    }
};

typedef Sse2 Fastest;
#else
typedef Portable Fastest;
#endif

} // namespace texel
} // namespace pelmora

#endif
