// raster_span.hpp -- the run of pixels a placed frame covers on one screen
// row.  Inline: it runs once per row of every draw.
#pragma once

#include <algorithm>

#include "services/graphics/raster_quad.hpp"

namespace raster_span {

// Edge crossings past this are clamped before rounding (any screen is far inside).
constexpr double kLimit = double(1 << 30);

inline double Bounded(double t) {
    return t >= -kLimit ? (t <= kLimit ? t : kLimit) : -kLimit;
}
inline long long Floor(double t) {
    t = Bounded(t);
    const long long i = (long long)t;
    return i - (t < double(i));
}
inline long long Ceil(double t) {
    t = Bounded(t);
    const long long i = (long long)t;
    return i + (t > double(i));
}

// Narrows [*lo, *hi) to the pixels px with value(px) = c + k * px inside
// [0, size], each end open or closed as the edge rule says; inv is 1 / k.
inline void Limit(double c, double k, double inv, double size, bool lo_in, bool hi_in,
                  long long* lo, long long* hi) {
    long long a = *lo, b = *hi;
    if (k > 0) {
        const double t = -c * inv, t2 = (size - c) * inv;
        a = lo_in ? Ceil(t) : Floor(t) + 1;
        b = hi_in ? Floor(t2) + 1 : Ceil(t2);
    } else if (k < 0) {
        const double t = -c * inv, t2 = (size - c) * inv;
        b = lo_in ? Floor(t) + 1 : Ceil(t);
        a = hi_in ? Ceil(t2) : Floor(t2) + 1;
    } else {
        const bool inside = (lo_in ? c >= 0 : c > 0) && (hi_in ? c <= size : c < size);
        if (!inside) b = a;
    }
    *lo = std::max(*lo, a);
    *hi = std::min(*hi, b);
}

}  // namespace raster_span

// The covered pixels of screen row py as [*begin, *end); false when none.
inline bool RowSpan(const TQuadMap& q, int py, int* begin, int* end) {
    if (py < q.y0 || py >= q.y1) return false;
    long long lo = q.x0, hi = q.x1;
    raster_span::Limit(q.u0 + q.du_dy * py, q.du_dx, q.inv_du_dx, q.width, q.u_lo_in, q.u_hi_in,
                       &lo, &hi);
    raster_span::Limit(q.v0 + q.dv_dy * py, q.dv_dx, q.inv_dv_dx, q.height, q.v_lo_in, q.v_hi_in,
                       &lo, &hi);
    if (lo >= hi) return false;
    *begin = int(lo);
    *end = int(hi);
    return true;
}

// Narrows [*begin, *end) of row py to the pixels whose u lies in [u_lo, u_hi]
// and v in [v_lo, v_hi], both closed (a superset of the texels inside).
inline void NarrowSpan(const TQuadMap& q, int py, double u_lo, double u_hi, double v_lo,
                       double v_hi, int* begin, int* end) {
    long long lo = *begin, hi = *end;
    raster_span::Limit(q.u0 + q.du_dy * py - u_lo, q.du_dx, q.inv_du_dx, u_hi - u_lo, true, true,
                       &lo, &hi);
    raster_span::Limit(q.v0 + q.dv_dy * py - v_lo, q.dv_dx, q.inv_dv_dx, v_hi - v_lo, true, true,
                       &lo, &hi);
    *begin = int(lo);
    *end = int(std::max(hi, lo));
}

// The same for u alone.
inline void NarrowSpanU(const TQuadMap& q, int py, double u_lo, double u_hi, int* begin, int* end) {
    long long lo = *begin, hi = *end;
    raster_span::Limit(q.u0 + q.du_dy * py - u_lo, q.du_dx, q.inv_du_dx, u_hi - u_lo, true, true,
                       &lo, &hi);
    *begin = int(lo);
    *end = int(std::max(hi, lo));
}
