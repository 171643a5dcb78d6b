// raster_blend.hpp -- one source texel onto one back-buffer pixel, per blend
// mode, in integers (identical on every machine, so captured frames compare).
#pragma once

#include <cstdint>

// The blend modes a draw asks for (the game's numbers).
enum : int { BLEND_MASK = 1, BLEND_SOLID = 2, BLEND_ALPHA = 3, BLEND_LIGHT = 4, BLEND_SHADE = 5 };

namespace raster {

// round(x / 255) exactly, for x in 0..65535.
inline std::uint32_t Div255(std::uint32_t x) {
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// The draw colour and alpha as bytes; white and opaque skip their multiplies.
struct TTint {
    std::uint32_t r = 255, g = 255, b = 255, a = 255;
    bool white = true;
};

// The texel tinted by the draw colour: 0x00RRGGBB, and its alpha x draw alpha.
inline std::uint32_t TintRgb(std::uint32_t texel, const TTint& t) {
    if (t.white) return texel & 0xFFFFFFu;
    const std::uint32_t r = Div255(((texel >> 16) & 255) * t.r);
    const std::uint32_t g = Div255(((texel >> 8) & 255) * t.g);
    const std::uint32_t b = Div255((texel & 255) * t.b);
    return (r << 16) | (g << 8) | b;
}

// Mask: the texel counts when its alpha x draw alpha is above one half.
inline bool PassesAlphaTest(std::uint32_t texel, const TTint& t) {
    return (texel >> 24) * t.a * 2 > 255u * 255u;
}

// The four channels of a pixel as 16-bit lanes of one word (B, R, G, A), so
// that one multiply scales them all; lanes hold up to 65535.
inline std::uint64_t Spread(std::uint32_t c) {
    return (c & 0x00FF00FFull) | (std::uint64_t(c & 0xFF00FF00u) << 24);
}
inline std::uint32_t Gather(std::uint64_t lanes) {
    return std::uint32_t(lanes & 0x00FF00FFu) | std::uint32_t((lanes >> 24) & 0xFF00FF00u);
}
// Div255 in every lane, for lanes up to 65025.
inline std::uint64_t Div255Lanes(std::uint64_t x) {
    constexpr std::uint64_t kLow = 0x00FF00FF00FF00FFull;
    x += 0x0080008000800080ull;
    return ((x + ((x >> 8) & kLow)) >> 8) & kLow;
}

// src x a + dst x (1 - a) per channel; a in 1..254.
inline std::uint32_t Mix(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    return 0xFF000000u | Gather(Div255Lanes(Spread(src) * a + Spread(dst) * (255 - a)));
}

// dst + src x a per channel, saturating at 255; a in 1..255.
inline std::uint32_t AddScaled(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    std::uint64_t s = Spread(src);
    if (a != 255) s = Div255Lanes(s * a);
    std::uint64_t sum = s + Spread(dst);
    sum |= ((sum >> 8) & 0x0001000100010001ull) * 0xFF;  // lanes past 255 become 255
    return 0xFF000000u | Gather(sum & 0x00FF00FF00FF00FFull);
}

// src x dst per channel.
inline std::uint32_t Multiply(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t r = Div255(((src >> 16) & 255) * ((dst >> 16) & 255));
    const std::uint32_t g = Div255(((src >> 8) & 255) * ((dst >> 8) & 255));
    const std::uint32_t b = Div255((src & 255) * (dst & 255));
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Light from a frame made ready for it (FrameLit): each texel already holds
// what light adds, Div255(channel x alpha), with alpha 255, or 0 where clear.
// Not a game blend mode: the rasteriser picks it for nearest light draws at a
// white opaque tint, where it gives exactly the pixels of BLEND_LIGHT.
constexpr int kBlendLit = 100;

// A texel as light adds it at a white opaque tint (see kBlendLit).
inline std::uint32_t LitTexel(std::uint32_t texel) {
    const std::uint32_t a = texel >> 24;
    if (a == 0) return 0;
    return 0xFF000000u | Div255(((texel >> 16) & 255) * a) << 16 |
           Div255(((texel >> 8) & 255) * a) << 8 | Div255((texel & 255) * a);
}

// A lit texel onto *dst: bytes added with saturation (a clear one adds nothing).
inline void PlotLit(std::uint32_t* dst, std::uint32_t lit) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t sum = ((*dst >> shift) & 255) + ((lit >> shift) & 255);
        out |= (sum > 255 ? 255 : sum) << shift;
    }
    *dst = out;
}

// Writes one texel (0xAARRGGBB) onto *dst by the blend mode.  The back buffer
// stays opaque: every write sets alpha 255.
template <int Mode>
inline void Plot(std::uint32_t* dst, std::uint32_t texel, const TTint& t) {
    if constexpr (Mode == BLEND_MASK) {
        if (PassesAlphaTest(texel, t)) *dst = 0xFF000000u | TintRgb(texel, t);
    } else if constexpr (Mode == BLEND_SOLID) {
        *dst = 0xFF000000u | TintRgb(texel, t);
    } else if constexpr (Mode == BLEND_SHADE) {
        *dst = Multiply(TintRgb(texel, t), *dst);
    } else {
        std::uint32_t a = texel >> 24;
        if (t.a != 255) a = Div255(a * t.a);
        if (a == 0) return;
        const std::uint32_t src = TintRgb(texel, t);
        if constexpr (Mode == BLEND_ALPHA) {
            *dst = a == 255 ? 0xFF000000u | src : Mix(src, *dst, a);
        } else {
            *dst = AddScaled(src, *dst, a);
        }
    }
}

}  // namespace raster
