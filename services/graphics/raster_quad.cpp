// raster_quad.cpp -- placing a frame through the drawing matrix and finding the
// pixels it covers, row by row, by the pixel-centre and top-left rules.
#include "services/graphics/raster_quad.hpp"

#include <algorithm>
#include <cmath>

namespace {

// Screen positions past this are clamped: far beyond any screen, still exact ints.
constexpr double kFar = double(1 << 24);

}  // namespace

bool IsIdentityMatrix(const TQuadMatrix& m) {
    return m.ix == 1.0f && m.jy == 1.0f && m.iy == 0.0f && m.jx == 0.0f;
}

bool PlaceQuad(const TQuadMatrix& m, int width, int height, float hx, float hy, float x, float y,
               TQuadMap& q) {
    if (width <= 0 || height <= 0) return false;
    const double ix = m.ix, iy = m.iy, jx = m.jx, jy = m.jy;
    const double det = ix * jy - iy * jx;
    if (!std::isfinite(det) || det == 0 || !std::isfinite(x) || !std::isfinite(y) ||
        !std::isfinite(hx) || !std::isfinite(hy))
        return false;

    const double lx[4] = {-double(hx), width - double(hx), width - double(hx), -double(hx)};
    const double ly[4] = {-double(hy), -double(hy), height - double(hy), height - double(hy)};
    double min_x = kFar, max_x = -kFar, min_y = kFar, max_y = -kFar;
    for (int i = 0; i < 4; ++i) {
        const double cx = x + lx[i] * ix + ly[i] * iy;
        const double cy = y + lx[i] * jx + ly[i] * jy;
        if (!std::isfinite(cx) || !std::isfinite(cy)) return false;
        q.corner_x[i] = float(cx);
        q.corner_y[i] = float(cy);
        min_x = std::min(min_x, cx);
        max_x = std::max(max_x, cx);
        min_y = std::min(min_y, cy);
        max_y = std::max(max_y, cy);
    }
    // Pixels whose centres may lie inside the corners' box (a superset).
    q.x0 = int(std::clamp(std::floor(min_x - 0.5), -kFar, kFar));
    q.x1 = int(std::clamp(std::ceil(max_x - 0.5) + 1, -kFar, kFar));
    q.y0 = int(std::clamp(std::floor(min_y - 0.5), -kFar, kFar));
    q.y1 = int(std::clamp(std::ceil(max_y - 0.5) + 1, -kFar, kFar));
    if (q.x0 >= q.x1 || q.y0 >= q.y1) return false;

    // Inverse matrix: screen offsets back to frame offsets.
    q.du_dx = jy / det;
    q.du_dy = -iy / det;
    q.dv_dx = -jx / det;
    q.dv_dy = ix / det;
    q.inv_du_dx = q.du_dx != 0 ? 1 / q.du_dx : 0;
    q.inv_dv_dx = q.dv_dx != 0 ? 1 / q.dv_dx : 0;
    q.u0 = hx + q.du_dx * (0.5 - x) + q.du_dy * (0.5 - y);
    q.v0 = hy + q.dv_dx * (0.5 - x) + q.dv_dy * (0.5 - y);
    q.width = width;
    q.height = height;
    // An edge owns the centres lying on it when it is a left edge (the inside
    // is to its right) or a flat top edge (the inside is below it).
    q.u_lo_in = q.du_dx > 0 || (q.du_dx == 0 && q.du_dy > 0);
    q.u_hi_in = q.du_dx < 0 || (q.du_dx == 0 && q.du_dy < 0);
    q.v_lo_in = q.dv_dx > 0 || (q.dv_dx == 0 && q.dv_dy > 0);
    q.v_hi_in = q.dv_dx < 0 || (q.dv_dx == 0 && q.dv_dy < 0);
    return true;
}
