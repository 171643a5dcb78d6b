// overlap.cpp -- pixel-accurate overlap of two drawn frames: placed as drawing
// would place them, they overlap where one screen pixel is solid in both.
#include "services/graphics/overlap.hpp"

#include <algorithm>
#include <cmath>

#include "services/graphics/back_buffer.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"
#include "services/graphics/raster_span.hpp"

namespace {

// Overlaps are looked for this far around the screen at most, so that two
// absurdly scaled frames cannot keep the test busy for seconds.
constexpr int kReach = 4096;

struct TPlaced {
    TQuadMap quad;
    const std::uint32_t* texels = nullptr;
    int w = 0, h = 0;
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;  // corners' bounding box
};

bool Place(const ImageRef& image, float x, float y, int frame, TPlaced& out) {
    if (!image || frame < 0 || frame >= image->Frames()) return false;
    const std::vector<std::uint32_t>& pixmap = image->pixmaps[std::size_t(frame)];
    if (pixmap.size() != std::size_t(image->width) * std::size_t(image->height)) return false;
    const TDrawState& st = DrawState();
    if (!PlaceQuad(DrawMatrix(st), image->width, image->height, image->handle_x, image->handle_y,
                   x + st.origin_x, y + st.origin_y, out.quad))
        return false;
    out.texels = pixmap.data();
    out.w = image->width;
    out.h = image->height;
    const auto [lx, hx] = std::minmax_element(out.quad.corner_x, out.quad.corner_x + 4);
    const auto [ly, hy] = std::minmax_element(out.quad.corner_y, out.quad.corner_y + 4);
    out.min_x = *lx;
    out.max_x = *hx;
    out.min_y = *ly;
    out.max_y = *hy;
    return true;
}

// The texel covering screen pixel (px, py) is solid.
bool SolidAt(const TPlaced& p, int px, int py) {
    const TQuadMap& q = p.quad;
    const double u = q.u0 + q.du_dx * px + q.du_dy * py;
    const double v = q.v0 + q.dv_dx * px + q.dv_dy * py;
    const int tx = int(std::clamp(std::floor(u), 0.0, double(p.w - 1)));
    const int ty = int(std::clamp(std::floor(v), 0.0, double(p.h - 1)));
    return (p.texels[std::size_t(ty) * p.w + tx] >> 24) >= 128;
}

}  // namespace

bool ImagesOverlap(const ImageRef& image1, float x1, float y1, int frame1, const ImageRef& image2,
                   float x2, float y2, int frame2) {
    TPlaced a, b;
    if (!Place(image1, x1, y1, frame1, a) || !Place(image2, x2, y2, frame2, b)) return false;
    // Boxes that only touch still go on to the pixel test.
    if (a.max_x < b.min_x || b.max_x < a.min_x || a.max_y < b.min_y || b.max_y < a.min_y)
        return false;
    const int y_begin = std::max({a.quad.y0, b.quad.y0, -kReach});
    const int y_end = std::min({a.quad.y1, b.quad.y1, ScreenHeight() + kReach});
    for (int py = y_begin; py < y_end; ++py) {
        int a0 = 0, a1 = 0, b0 = 0, b1 = 0;
        if (!RowSpan(a.quad, py, &a0, &a1) || !RowSpan(b.quad, py, &b0, &b1)) continue;
        const int x_begin = std::max({a0, b0, -kReach});
        const int x_end = std::min({a1, b1, ScreenWidth() + kReach});
        for (int px = x_begin; px < x_end; ++px)
            if (SolidAt(a, px, py) && SolidAt(b, px, py)) return true;
    }
    return false;
}
