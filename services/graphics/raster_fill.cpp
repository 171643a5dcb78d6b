// raster_fill.cpp -- the inner loops of drawing, one instance per blend mode
// and sampling kind, integer arithmetic only inside a row.
#include "services/graphics/raster_fill.hpp"

#include <algorithm>
#include <cmath>

#include "services/graphics/raster_runs.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {
namespace {

constexpr int kFracBits = 32;  // texel coordinates are 32.32 fixed point inside a row
constexpr double kOne = double(std::int64_t(1) << kFracBits);
constexpr double kStepLimit = double(std::int64_t(1) << 50);  // keeps sums far from overflow

// A texel coordinate, or its change per pixel, in fixed point.  Both round
// upwards, so the stepping errs only upwards and a pixel whose exact
// coordinate is a whole texel (or a whole 1/256 for filtering) gets it.
inline std::int64_t Fixed(double value) {
    // ceil without a library call: truncation is the ceiling below zero.
    const double x = std::clamp(value * kOne, -kStepLimit, kStepLimit);
    const std::int64_t i = std::int64_t(x);
    return i + (x > double(i));
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

constexpr int kChunk = 64;  // texels fetched per blend

// True when every index a run of n steps visits lies in [0, size): the
// stepping is linear, so its two ends decide.
inline bool RunInside(std::int64_t f, std::int64_t d, int n, int size) {
    const std::int64_t first = f >> kFracBits, last = (f + d * (n - 1)) >> kFracBits;
    return first >= 0 && first < size && last >= 0 && last < size;
}

// Nearest texels of one texel row, every index inside it.  Four at a time
// are stored as one vector, so the blend's vector loads of them read back
// whole stores instead of waiting on four narrow ones.
inline void FetchRow(std::uint32_t* out, const std::uint32_t* row, std::int64_t fu, std::int64_t du,
                     int n) {
    int i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= n; i += 4, fu += 4 * du) {
        const __m128i four = _mm_set_epi32(
            int(row[(fu + 3 * du) >> kFracBits]), int(row[(fu + 2 * du) >> kFracBits]),
            int(row[(fu + du) >> kFracBits]), int(row[fu >> kFracBits]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), four);
    }
#endif
    for (; i < n; ++i, fu += du) out[i] = row[fu >> kFracBits];
}

// Nearest texels along a row; Level: the texel row is the same for the whole
// run (no rotation), so only u steps.
template <bool Level>
void NearestRun(int mode, std::uint32_t* out, int n, const TTexture& tex, std::int64_t fu,
                std::int64_t fv, std::int64_t du, std::int64_t dv, const TTint& tint) {
    std::uint32_t texels[kChunk];
    const std::uint32_t* row = tex.texels + std::size_t(ClampIndex(fv >> kFracBits, tex.h)) * tex.w;
    for (int done = 0; done < n; done += kChunk) {
        const int count = std::min(kChunk, n - done);
        const bool inside =
            RunInside(fu, du, count, tex.w) && (Level || RunInside(fv, dv, count, tex.h));
        if (Level && inside) {
            FetchRow(texels, row, fu, du, count);
            fu += du * count;
        } else if (Level) {
            for (int i = 0; i < count; ++i, fu += du)
                texels[i] = row[ClampIndex(fu >> kFracBits, tex.w)];
        } else if (inside) {
            for (int i = 0; i < count; ++i, fu += du, fv += dv)
                texels[i] =
                    tex.texels[std::size_t(fv >> kFracBits) * tex.w + std::size_t(fu >> kFracBits)];
        } else {
            for (int i = 0; i < count; ++i, fu += du, fv += dv)
                texels[i] = tex.texels[std::size_t(ClampIndex(fv >> kFracBits, tex.h)) * tex.w +
                                       ClampIndex(fu >> kFracBits, tex.w)];
        }
        BlendRun(mode, out + done, texels, count, tint);
    }
}

void BilinearRun(int mode, std::uint32_t* out, int n, const TTexture& tex, std::int64_t fu,
                 std::int64_t fv, std::int64_t du, std::int64_t dv, const TTint& tint) {
    std::uint32_t texels[kChunk];
    for (int done = 0; done < n; done += kChunk) {
        const int count = std::min(kChunk, n - done);
        for (int i = 0; i < count; ++i, fu += du, fv += dv) {
            const std::int64_t iu = fu >> kFracBits, iv = fv >> kFracBits;
            const int x0 = ClampIndex(iu, tex.w), x1 = ClampIndex(iu + 1, tex.w);
            const int y0 = ClampIndex(iv, tex.h), y1 = ClampIndex(iv + 1, tex.h);
            const std::uint32_t* r0 = tex.texels + std::size_t(y0) * tex.w;
            const std::uint32_t* r1 = tex.texels + std::size_t(y1) * tex.w;
            texels[i] = Bilinear(r0[x0], r0[x1], r1[x0], r1[x1], std::uint32_t(fu >> 24) & 255,
                                 std::uint32_t(fv >> 24) & 255);
        }
        BlendRun(mode, out + done, texels, count, tint);
    }
}

// An unrotated frame at any scale, nearest texels: the columns it covers and
// its first texel column are the same on every row, so they are found once;
// screen rows that fall on the same texel row blend the same fetched texels.
// Same arithmetic as the general rows, so the pixels are identical.
constexpr int kLineMax = 1024;  // widest run whose texels are kept across rows

void FillLevelRows(int mode, const TQuadMap& q, const TTexture& tex, const TTint& tint,
                   const TTarget& t, const TVisible* vis) {
    const double su = tex.w / q.width, sv = tex.h / q.height;
    const std::int64_t du = Fixed(q.du_dx * su);
    const bool trim_box = vis && (vis->x0 > 0 || vis->y0 > 0 || vis->x1 < tex.w || vis->y1 < tex.h);
    // The columns along u, as RowSpan and NarrowSpan find them on any row.
    long long lo = q.x0, hi = q.x1;
    raster_span::Limit(q.u0, q.du_dx, q.inv_du_dx, q.width, q.u_lo_in, q.u_hi_in, &lo, &hi);
    if (lo >= hi) return;
    int span_begin = std::max(int(lo), t.x0), span_end = std::min(int(hi), t.x1);
    if (span_begin >= span_end) return;
    if (trim_box) {
        lo = span_begin;
        hi = span_end;
        raster_span::Limit(q.u0 - vis->x0, q.du_dx, q.inv_du_dx, double(vis->x1 - vis->x0), true,
                           true, &lo, &hi);
        span_begin = int(lo);
        span_end = int(std::max(hi, lo));
    }
    const double box_v0 = trim_box ? vis->y0 : 0.0, box_v1 = trim_box ? vis->y1 : 0.0;
    std::uint32_t line[kLineMax];
    std::size_t line_row = std::size_t(-1), line_vrow = 0;  // texel row the line holds
    bool have_cols = false, cols_inside = false;  // columns found for visible [first, end)
    int cols_first = 0, cols_end = 0;
    std::int64_t fu_begin = 0;  // texel column of the first covered pixel
    int begin = 0, end = 0;
    const int y_begin = std::max(q.y0, t.y0), y_end = std::min(q.y1, t.y1);
    for (int py = y_begin; py < y_end; ++py) {
        const double vc = q.v0 + q.dv_dy * py;
        if (!(q.v_lo_in ? vc >= 0 : vc > 0) || !(q.v_hi_in ? vc <= q.height : vc < q.height))
            continue;
        if (trim_box) {
            const double c = vc - box_v0;
            if (!(c >= 0 && c <= box_v1 - box_v0)) continue;
        }
        if (span_begin >= span_end) continue;
        const double v = (q.v0 + q.dv_dy * py + q.dv_dx * span_begin) * sv;
        // One conversion gives the fetched row (Fixed rounds up) and floor(v):
        // v lies inside the frame here, so the clamp never cuts it.
        const double x = std::clamp(v * kOne, -kStepLimit, kStepLimit);
        const std::int64_t whole = std::int64_t(x);
        const std::int64_t fixed_v = whole + (x > double(whole));
        const std::size_t row = std::size_t(ClampIndex(fixed_v >> kFracBits, tex.h));
        // The visible columns go by floor(v), which can differ from the fetched row
        // just below a whole texel: both belong to the key.
        const std::int64_t floor_v = (whole - (x < double(whole))) >> kFracBits;
        const std::size_t vrow = vis ? std::size_t(ClampIndex(floor_v, tex.h)) : row;
        if (row != line_row || vrow != line_vrow) {
            line_row = row;
            line_vrow = vrow;
            // Texel rows with the same visible columns cover the same pixels.
            const int first = vis ? vis->first[vrow] : 0, last = vis ? vis->end[vrow] : tex.w;
            if (!have_cols || first != cols_first || last != cols_end) {
                have_cols = true;
                cols_first = first;
                cols_end = last;
                begin = span_begin;
                end = span_end;
                if (first > 0 || last < tex.w) NarrowSpanU(q, py, first, last, &begin, &end);
                if (begin < end) {
                    fu_begin = Fixed((q.u0 + q.du_dy * py + q.du_dx * begin) * su);
                    cols_inside = RunInside(fu_begin, du, end - begin, tex.w);
                }
            }
            if (begin < end && end - begin <= kLineMax) {
                const std::uint32_t* texels = tex.texels + row * tex.w;
                const int n = end - begin;
                if (cols_inside) {
                    FetchRow(line, texels, fu_begin, du, n);
                } else {
                    std::int64_t fu = fu_begin;
                    for (int i = 0; i < n; ++i, fu += du)
                        line[i] = texels[ClampIndex(fu >> kFracBits, tex.w)];
                }
            }
        }
        if (begin >= end) continue;
        std::uint32_t* out = t.pixels + std::size_t(py) * t.pitch + begin;
        if (end - begin <= kLineMax) {
            BlendRun(mode, out, line, end - begin, tint);
        } else {
            NearestRun<true>(mode, out, end - begin, tex, fu_begin, fixed_v, du, 0, tint);
        }
    }
}

template <bool Filtered>
void FillRows(int mode, const TQuadMap& q, const TTexture& tex, const TTint& tint, const TTarget& t,
              const TVisible* vis) {
    const double su = tex.w / q.width, sv = tex.h / q.height;  // frame texels to level texels
    const std::int64_t du = Fixed(q.du_dx * su), dv = Fixed(q.dv_dx * sv);
    // Bilinear samples sit half a texel back: texel centres are at k + 0.5.
    const double bias = Filtered ? 0.5 : 0.0;
    // A bilinear sample reaches one texel past the visible box.
    const double reach = Filtered ? 1.0 : 0.0;
    const bool trim_box = vis && (vis->x0 > 0 || vis->y0 > 0 || vis->x1 < tex.w || vis->y1 < tex.h);
    const int y_begin = std::max(q.y0, t.y0), y_end = std::min(q.y1, t.y1);
    for (int py = y_begin; py < y_end; ++py) {
        int begin = 0, end = 0;
        if (!RowSpan(q, py, &begin, &end)) continue;
        begin = std::max(begin, t.x0);
        end = std::min(end, t.x1);
        if (trim_box && begin < end)
            NarrowSpan(q, py, vis->x0 - reach, vis->x1 + reach, vis->y0 - reach, vis->y1 + reach,
                       &begin, &end);
        if (begin >= end) continue;
        double u = (q.u0 + q.du_dy * py + q.du_dx * begin) * su;
        const double v = (q.v0 + q.dv_dy * py + q.dv_dx * begin) * sv;
        if (!Filtered && vis && dv == 0) {
            // One texel row for the whole run: only its visible columns matter.
            const std::size_t row = std::size_t(std::clamp(int(std::floor(v)), 0, tex.h - 1));
            if (vis->first[row] > 0 || vis->end[row] < tex.w) {
                NarrowSpanU(q, py, vis->first[row], vis->end[row], &begin, &end);
                if (begin >= end) continue;
                u = (q.u0 + q.du_dy * py + q.du_dx * begin) * su;
            }
        }
        const std::int64_t fu = Fixed(u - bias), fv = Fixed(v - bias);
        std::uint32_t* out = t.pixels + std::size_t(py) * t.pitch + begin;
        if constexpr (Filtered) {
            BilinearRun(mode, out, end - begin, tex, fu, fv, du, dv, tint);
        } else if (dv == 0) {
            NearestRun<true>(mode, out, end - begin, tex, fu, fv, du, dv, tint);
        } else {
            NearestRun<false>(mode, out, end - begin, tex, fu, fv, du, dv, tint);
        }
    }
}

}  // namespace

void BlitTexture(const TTexture& tex, int left, int top, int mode, const TTint& tint,
                 const TTarget& t, const TVisible* vis, const std::uint32_t* copies) {
    // Texel rectangle [tx0, tx1) x [ty0, ty1) inside the clip.
    std::int64_t tx0 = std::max<std::int64_t>(0, std::int64_t(t.x0) - left);
    std::int64_t ty0 = std::max<std::int64_t>(0, std::int64_t(t.y0) - top);
    std::int64_t tx1 = std::min<std::int64_t>(tex.w, std::int64_t(t.x1) - left);
    std::int64_t ty1 = std::min<std::int64_t>(tex.h, std::int64_t(t.y1) - top);
    if (vis) {
        ty0 = std::max<std::int64_t>(ty0, vis->y0);
        ty1 = std::min<std::int64_t>(ty1, vis->y1);
    }
    for (std::int64_t ty = ty0; ty < ty1; ++ty) {
        std::int64_t a = tx0, b = tx1;
        if (vis) {
            a = std::max<std::int64_t>(a, vis->first[std::size_t(ty)]);
            b = std::min<std::int64_t>(b, vis->end[std::size_t(ty)]);
        }
        if (a >= b) continue;
        // The screen pixel of texel column c, as an index: the frame's row may
        // start left of the buffer, so a pointer is only formed at a pixel inside.
        const std::int64_t line = (top + ty) * std::int64_t(t.pitch) + left;
        auto out = [&](std::int64_t c) { return t.pixels + std::size_t(line + c); };
        const std::size_t row = std::size_t(ty) * tex.w;
        if (copies) {
            // Blend before the opaque run, copy it, blend after it.
            const std::int64_t c0 =
                std::clamp<std::int64_t>(vis->opaque_first[std::size_t(ty)], a, b);
            const std::int64_t c1 =
                std::clamp<std::int64_t>(vis->opaque_end[std::size_t(ty)], c0, b);
            if (c0 < c1) {
                if (a < c0) BlendRun(mode, out(a), tex.texels + row + a, int(c0 - a), tint);
                std::copy(copies + row + c0, copies + row + c1, out(c0));
                a = c1;
                if (a >= b) continue;
            }
        }
        BlendRun(mode, out(a), tex.texels + row + a, int(b - a), tint);
    }
}

void FillQuad(const TQuadMap& q, const TTexture& tex, bool filtered, int mode, const TTint& tint,
              const TTarget& t, const TVisible* vis) {
    if (!tex.texels) return;
    if (!filtered && q.du_dy == 0 && q.dv_dx == 0 && Fixed(q.dv_dx * (tex.h / q.height)) == 0)
        FillLevelRows(mode, q, tex, tint, t, vis);
    else if (filtered)
        FillRows<true>(mode, q, tex, tint, t, vis);
    else
        FillRows<false>(mode, q, tex, tint, t, vis);
}

void FillRun(std::uint32_t* dst, int n, int mode, const TTint& tint) {
    const std::uint32_t colour = 0xFF000000u | TintRgb(0xFFFFFFFFu, tint);
    if (mode == BLEND_SOLID || (mode == BLEND_MASK && PassesAlphaTest(0xFFFFFFFFu, tint))) {
        std::fill(dst, dst + n, colour);
        return;
    }
    std::uint32_t white[kChunk];
    std::fill(white, white + kChunk, 0xFFFFFFFFu);
    for (int done = 0; done < n; done += kChunk)
        BlendRun(mode, dst + done, white, std::min(kChunk, n - done), tint);
}

}  // namespace raster
