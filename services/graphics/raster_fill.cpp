// raster_fill.cpp -- the inner loops of drawing, one instance per blend mode
// and sampling kind, integer arithmetic only inside a row.
#include "services/graphics/raster_fill.hpp"

#include <algorithm>
#include <cmath>

namespace raster {
namespace {

constexpr int kFracBits = 32;  // texel coordinates are 32.32 fixed point inside a row
constexpr double kOne = double(std::int64_t(1) << kFracBits);
constexpr double kStepLimit = double(std::int64_t(1) << 50);  // keeps sums far from overflow

// A per-pixel change of a texel coordinate in fixed point.
inline std::int64_t Step(double per_pixel) {
    return std::llround(std::clamp(per_pixel * kOne, -kStepLimit, kStepLimit));
}

inline int ClampIndex(std::int64_t i, int size) {
    return i < 0 ? 0 : (i >= size ? size - 1 : int(i));
}

// Bilinear mix of four texels per channel; fx, fy: the way toward p10, p01 in 256ths.
inline std::uint32_t Bilinear(std::uint32_t p00, std::uint32_t p10, std::uint32_t p01,
                              std::uint32_t p11, std::uint32_t fx, std::uint32_t fy) {
    const std::uint32_t gx = 256 - fx, gy = 256 - fy;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t top = ((p00 >> shift) & 255) * gx + ((p10 >> shift) & 255) * fx;
        const std::uint32_t bottom = ((p01 >> shift) & 255) * gx + ((p11 >> shift) & 255) * fx;
        out |= ((top * gy + bottom * fy + 32768) >> 16) << shift;
    }
    return out;
}

template <int Mode>
void BlitRows(const TTexture& tex, int sx, int sy, std::uint32_t* dst, int pitch, int w, int h,
              const TTint& tint) {
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* src = tex.texels + std::size_t(sy + y) * tex.w + sx;
        std::uint32_t* out = dst + std::size_t(y) * pitch;
        if constexpr (Mode == BLEND_SOLID) {
            if (tint.white) {
                for (int x = 0; x < w; ++x) out[x] = src[x] | 0xFF000000u;
                continue;
            }
        }
        for (int x = 0; x < w; ++x) Plot<Mode>(out + x, src[x], tint);
    }
}

template <int Mode, bool Filtered>
void FillRows(const TQuadMap& q, const TTexture& tex, const TTint& tint, const TTarget& t) {
    const double su = tex.w / q.width, sv = tex.h / q.height;  // frame texels to level texels
    const std::int64_t du = Step(q.du_dx * su), dv = Step(q.dv_dx * sv);
    const int y_begin = std::max(q.y0, t.y0), y_end = std::min(q.y1, t.y1);
    for (int py = y_begin; py < y_end; ++py) {
        int begin = 0, end = 0;
        if (!RowSpan(q, py, &begin, &end)) continue;
        begin = std::max(begin, t.x0);
        end = std::min(end, t.x1);
        if (begin >= end) continue;
        const double u = (q.u0 + q.du_dy * py + q.du_dx * begin) * su;
        const double v = (q.v0 + q.dv_dy * py + q.dv_dx * begin) * sv;
        // Bilinear samples sit half a texel back: texel centres are at k + 0.5.
        const double bias = Filtered ? 0.5 : 0.0;
        std::int64_t fu = std::int64_t(std::floor((u - bias) * kOne));
        std::int64_t fv = std::int64_t(std::floor((v - bias) * kOne));
        std::uint32_t* out = t.pixels + std::size_t(py) * t.pitch;
        for (int px = begin; px < end; ++px, fu += du, fv += dv) {
            const std::int64_t iu = fu >> kFracBits, iv = fv >> kFracBits;
            std::uint32_t texel;
            if constexpr (Filtered) {
                const int x0 = ClampIndex(iu, tex.w), x1 = ClampIndex(iu + 1, tex.w);
                const int y0 = ClampIndex(iv, tex.h), y1 = ClampIndex(iv + 1, tex.h);
                const std::uint32_t* r0 = tex.texels + std::size_t(y0) * tex.w;
                const std::uint32_t* r1 = tex.texels + std::size_t(y1) * tex.w;
                texel = Bilinear(r0[x0], r0[x1], r1[x0], r1[x1], std::uint32_t(fu >> 24) & 255,
                                 std::uint32_t(fv >> 24) & 255);
            } else {
                texel =
                    tex.texels[std::size_t(ClampIndex(iv, tex.h)) * tex.w + ClampIndex(iu, tex.w)];
            }
            Plot<Mode>(out + px, texel, tint);
        }
    }
}

template <int Mode>
void FillRunAs(std::uint32_t* dst, int n, const TTint& tint) {
    for (int i = 0; i < n; ++i) Plot<Mode>(dst + i, 0xFFFFFFFFu, tint);
}

}  // namespace

void BlitTexture(const TTexture& tex, int left, int top, int mode, const TTint& tint,
                 const TTarget& t) {
    const int x0 = std::max(left, t.x0), y0 = std::max(top, t.y0);
    const int x1 = int(std::min<std::int64_t>(std::int64_t(left) + tex.w, t.x1));
    const int y1 = int(std::min<std::int64_t>(std::int64_t(top) + tex.h, t.y1));
    if (x0 >= x1 || y0 >= y1) return;
    std::uint32_t* dst = t.pixels + std::size_t(y0) * t.pitch + x0;
    const int sx = x0 - left, sy = y0 - top, w = x1 - x0, h = y1 - y0;
    switch (mode) {
        case BLEND_SOLID:
            return BlitRows<BLEND_SOLID>(tex, sx, sy, dst, t.pitch, w, h, tint);
        case BLEND_ALPHA:
            return BlitRows<BLEND_ALPHA>(tex, sx, sy, dst, t.pitch, w, h, tint);
        case BLEND_LIGHT:
            return BlitRows<BLEND_LIGHT>(tex, sx, sy, dst, t.pitch, w, h, tint);
        case BLEND_SHADE:
            return BlitRows<BLEND_SHADE>(tex, sx, sy, dst, t.pitch, w, h, tint);
        default:
            return BlitRows<BLEND_MASK>(tex, sx, sy, dst, t.pitch, w, h, tint);
    }
}

void FillQuad(const TQuadMap& q, const TTexture& tex, bool filtered, int mode, const TTint& tint,
              const TTarget& t) {
    if (!tex.texels) return;
    if (filtered) {
        switch (mode) {
            case BLEND_SOLID:
                return FillRows<BLEND_SOLID, true>(q, tex, tint, t);
            case BLEND_ALPHA:
                return FillRows<BLEND_ALPHA, true>(q, tex, tint, t);
            case BLEND_LIGHT:
                return FillRows<BLEND_LIGHT, true>(q, tex, tint, t);
            case BLEND_SHADE:
                return FillRows<BLEND_SHADE, true>(q, tex, tint, t);
            default:
                return FillRows<BLEND_MASK, true>(q, tex, tint, t);
        }
    }
    switch (mode) {
        case BLEND_SOLID:
            return FillRows<BLEND_SOLID, false>(q, tex, tint, t);
        case BLEND_ALPHA:
            return FillRows<BLEND_ALPHA, false>(q, tex, tint, t);
        case BLEND_LIGHT:
            return FillRows<BLEND_LIGHT, false>(q, tex, tint, t);
        case BLEND_SHADE:
            return FillRows<BLEND_SHADE, false>(q, tex, tint, t);
        default:
            return FillRows<BLEND_MASK, false>(q, tex, tint, t);
    }
}

void FillRun(std::uint32_t* dst, int n, int mode, const TTint& tint) {
    switch (mode) {
        case BLEND_SOLID:
            return FillRunAs<BLEND_SOLID>(dst, n, tint);
        case BLEND_ALPHA:
            return FillRunAs<BLEND_ALPHA>(dst, n, tint);
        case BLEND_LIGHT:
            return FillRunAs<BLEND_LIGHT>(dst, n, tint);
        case BLEND_SHADE:
            return FillRunAs<BLEND_SHADE>(dst, n, tint);
        default:
            return FillRunAs<BLEND_MASK>(dst, n, tint);
    }
}

}  // namespace raster
