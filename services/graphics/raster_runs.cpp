// raster_runs.cpp -- the blend of a run of pixels.  With SSE2 (every x86-64)
// four pixels go through one set of 16-bit lane operations; the arithmetic is
// the same rounding division by 255 as Plot's, so the pixels are identical.
#include "services/graphics/raster_runs.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {
namespace {

template <int Mode>
void ScalarRun(std::uint32_t* dst, const std::uint32_t* texels, int n, const TTint& t) {
    for (int i = 0; i < n; ++i) Plot<Mode>(dst + i, texels[i], t);
}

#if defined(__SSE2__)

// Div255 in every 16-bit lane (lanes up to 65025).
inline __m128i Div255x8(__m128i x) {
    x = _mm_add_epi16(x, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

template <int Mode>
void VectorRun(std::uint32_t* dst, const std::uint32_t* texels, int n, const TTint& t) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
    // Lanes of a pixel in memory order: blue, green, red, alpha.
    const __m128i tint = _mm_set_epi16(255, short(t.r), short(t.g), short(t.b), 255, short(t.r),
                                       short(t.g), short(t.b));
    const __m128i draw_alpha32 = _mm_set1_epi32(int(t.a));
    const bool faded = t.a != 255;
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i tex = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels + i));
        const __m128i texel_alpha = _mm_srli_epi32(tex, 24);
        if constexpr (Mode != BLEND_SOLID && Mode != BLEND_SHADE) {
            // Four clear texels change nothing.
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(texel_alpha, zero)) == 0xFFFF) continue;
        }
        __m128i* out = reinterpret_cast<__m128i*>(dst + i);
        __m128i lo = _mm_unpacklo_epi8(tex, zero), hi = _mm_unpackhi_epi8(tex, zero);
        if (!t.white) {
            lo = Div255x8(_mm_mullo_epi16(lo, tint));
            hi = Div255x8(_mm_mullo_epi16(hi, tint));
        }
        if constexpr (Mode == BLEND_SOLID) {
            _mm_storeu_si128(out, _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
        } else if constexpr (Mode == BLEND_SHADE) {
            const __m128i d = _mm_loadu_si128(out);
            lo = Div255x8(_mm_mullo_epi16(lo, _mm_unpacklo_epi8(d, zero)));
            hi = Div255x8(_mm_mullo_epi16(hi, _mm_unpackhi_epi8(d, zero)));
            _mm_storeu_si128(out, _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
        } else if constexpr (Mode == BLEND_ALPHA || Mode == BLEND_LIGHT) {
            // Alpha x draw alpha per pixel (32-bit lanes), then in all four of its 16-bit lanes.
            __m128i a = texel_alpha;
            if (faded) a = Div255x8(_mm_mullo_epi16(a, draw_alpha32));
            if constexpr (Mode == BLEND_ALPHA) {
                // Four opaque texels replace the pixels: no need to read them.
                if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, _mm_set1_epi32(255))) == 0xFFFF) {
                    _mm_storeu_si128(out, _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
                    continue;
                }
            }
            const __m128i d = _mm_loadu_si128(out);
            const __m128i a2 = _mm_or_si128(a, _mm_slli_epi32(a, 16));
            const __m128i a_lo = _mm_unpacklo_epi32(a2, a2), a_hi = _mm_unpackhi_epi32(a2, a2);
            const __m128i clear = _mm_cmpeq_epi32(a, zero);
            if constexpr (Mode == BLEND_LIGHT) {
                // Bytes add with saturation; a clear texel adds nothing and
                // leaves even the pixel's alpha alone.
                const __m128i add = _mm_packus_epi16(Div255x8(_mm_mullo_epi16(lo, a_lo)),
                                                     Div255x8(_mm_mullo_epi16(hi, a_hi)));
                _mm_storeu_si128(
                    out, _mm_or_si128(_mm_adds_epu8(d, add), _mm_andnot_si128(clear, opaque)));
                continue;
            }
            const __m128i d_lo = _mm_unpacklo_epi8(d, zero), d_hi = _mm_unpackhi_epi8(d, zero);
            const __m128i full = _mm_set1_epi16(255);
            lo = Div255x8(_mm_add_epi16(_mm_mullo_epi16(lo, a_lo),
                                        _mm_mullo_epi16(d_lo, _mm_sub_epi16(full, a_lo))));
            hi = Div255x8(_mm_add_epi16(_mm_mullo_epi16(hi, a_hi),
                                        _mm_mullo_epi16(d_hi, _mm_sub_epi16(full, a_hi))));
            // Pixels whose alpha came to 0 keep their old value untouched.
            const __m128i blended = _mm_or_si128(_mm_packus_epi16(lo, hi), opaque);
            _mm_storeu_si128(
                out, _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, blended)));
        } else {
            const __m128i d = _mm_loadu_si128(out);
            // Alpha test: texel alpha x draw alpha above 255 x 255 / 2.
            const __m128i product = _mm_mullo_epi16(texel_alpha, _mm_set1_epi32(int(t.a)));
            const __m128i pass = _mm_cmpgt_epi32(product, _mm_set1_epi32(32512));
            const __m128i colour = _mm_or_si128(_mm_packus_epi16(lo, hi), opaque);
            _mm_storeu_si128(out,
                             _mm_or_si128(_mm_and_si128(pass, colour), _mm_andnot_si128(pass, d)));
        }
    }
    ScalarRun<Mode>(dst + i, texels + i, n - i, t);
}

// Lit texels (kBlendLit): one saturating byte add per pixel.
void LitRun(std::uint32_t* dst, const std::uint32_t* lit, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i add = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lit + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(add, _mm_setzero_si128())) == 0xFFFF) continue;
        __m128i* out = reinterpret_cast<__m128i*>(dst + i);
        _mm_storeu_si128(out, _mm_adds_epu8(_mm_loadu_si128(out), add));
    }
    for (; i < n; ++i) PlotLit(dst + i, lit[i]);
}

#else

void LitRun(std::uint32_t* dst, const std::uint32_t* lit, int n) {
    for (int i = 0; i < n; ++i) PlotLit(dst + i, lit[i]);
}

template <int Mode>
void VectorRun(std::uint32_t* dst, const std::uint32_t* texels, int n, const TTint& t) {
    ScalarRun<Mode>(dst, texels, n, t);
}

#endif

}  // namespace

void BlendRun(int mode, std::uint32_t* dst, const std::uint32_t* texels, int n, const TTint& tint) {
    switch (mode) {
        case BLEND_SOLID:
            return VectorRun<BLEND_SOLID>(dst, texels, n, tint);
        case BLEND_ALPHA:
            return VectorRun<BLEND_ALPHA>(dst, texels, n, tint);
        case BLEND_LIGHT:
            return VectorRun<BLEND_LIGHT>(dst, texels, n, tint);
        case BLEND_SHADE:
            return VectorRun<BLEND_SHADE>(dst, texels, n, tint);
        case kBlendLit:
            return LitRun(dst, texels, n);
        default:
            return VectorRun<BLEND_MASK>(dst, texels, n, tint);
    }
}

void BlendRunScalar(int mode, std::uint32_t* dst, const std::uint32_t* texels, int n,
                    const TTint& tint) {
    switch (mode) {
        case BLEND_SOLID:
            return ScalarRun<BLEND_SOLID>(dst, texels, n, tint);
        case BLEND_ALPHA:
            return ScalarRun<BLEND_ALPHA>(dst, texels, n, tint);
        case BLEND_LIGHT:
            return ScalarRun<BLEND_LIGHT>(dst, texels, n, tint);
        case BLEND_SHADE:
            return ScalarRun<BLEND_SHADE>(dst, texels, n, tint);
        case kBlendLit:
            for (int i = 0; i < n; ++i) PlotLit(dst + i, texels[i]);
            return;
        default:
            return ScalarRun<BLEND_MASK>(dst, texels, n, tint);
    }
}

}  // namespace raster
