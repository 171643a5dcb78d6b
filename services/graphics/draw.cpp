// draw.cpp -- the current drawing state, and drawing image frames and lines
// into the back buffer with it.
#include "services/graphics/draw.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "services/graphics/back_buffer.hpp"
#include "services/graphics/raster_fill.hpp"

namespace {

TDrawState& State() {
    static TDrawState state;
    return state;
}

// Sine and cosine of degrees, exact at quarter turns so that a sprite turned
// by 90 degrees is still a plain grid of texels.
void SinCosDeg(double degrees, double* s, double* c) {
    const double turn = std::fmod(degrees, 360.0);
    if (std::fmod(turn, 90.0) == 0) {
        const int quarter = int(turn / 90.0 + 4) % 4;
        const double sines[4] = {0, 1, 0, -1};
        *s = sines[quarter];
        *c = sines[(quarter + 1) % 4];
        return;
    }
    const double rad = degrees * (std::numbers::pi / 180.0);
    *s = std::sin(rad);
    *c = std::cos(rad);
}

void UpdateMatrix() {
    TDrawState& st = State();
    double s = 0, c = 1;
    SinCosDeg(st.tform_rot, &s, &c);
    st.tform_ix = float(c * st.tform_scale_x);
    st.tform_iy = float(-s * st.tform_scale_y);
    st.tform_jx = float(s * st.tform_scale_x);
    st.tform_jy = float(c * st.tform_scale_y);
}

raster::TTint CurrentTint() {
    const TDrawState& st = State();
    raster::TTint t;
    t.r = std::uint32_t(st.color_red);
    t.g = std::uint32_t(st.color_green);
    t.b = std::uint32_t(st.color_blue);
    t.a = std::uint32_t(st.color_alpha * 255.0f);  // truncated, as the alpha byte
    t.white = t.r == 255 && t.g == 255 && t.b == 255;
    return t;
}

// The back buffer clipped to the viewport.
raster::TTarget CurrentTarget() {
    const TDrawState& st = State();
    raster::TTarget t;
    t.pixels = BackBuffer();
    t.pitch = ScreenWidth();
    const long long vx = st.viewport_x, vy = st.viewport_y;
    t.x0 = int(std::clamp<long long>(vx, 0, ScreenWidth()));
    t.y0 = int(std::clamp<long long>(vy, 0, ScreenHeight()));
    t.x1 = int(std::clamp<long long>(vx + std::max(st.viewport_w, 0), t.x0, ScreenWidth()));
    t.y1 = int(std::clamp<long long>(vy + std::max(st.viewport_h, 0), t.y0, ScreenHeight()));
    return t;
}

bool IsWhole(double v) {
    return v == std::floor(v);
}

// Mip level for a placement: how many texels one screen pixel steps over.
int MipLevelFor(const TQuadMap& q) {
    const double rho = std::max(std::hypot(q.du_dx, q.dv_dx), std::hypot(q.du_dy, q.dv_dy));
    if (!(rho > 1.0)) return 0;
    return int(std::min(std::floor(std::log2(rho) + 0.5), 30.0));
}

void PlotPixel(const raster::TTarget& t, long long x, long long y, int mode,
               const raster::TTint& tint) {
    if (x < t.x0 || x >= t.x1 || y < t.y0 || y >= t.y1) return;
    raster::FillRun(t.pixels + y * t.pitch + x, 1, mode, tint);
}

// floor(a / b) for b > 0.
long long FloorDiv(long long a, long long b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

const TDrawState& DrawState() {
    return State();
}

TQuadMatrix DrawMatrix(const TDrawState& st) {
    return TQuadMatrix{st.tform_ix, st.tform_iy, st.tform_jx, st.tform_jy};
}

void ResetDrawState() {
    State() = TDrawState{};
    State().viewport_w = ScreenWidth();
    State().viewport_h = ScreenHeight();
}

void SetColor(int red, int green, int blue) {
    State().color_red = std::clamp(red, 0, 255);
    State().color_green = std::clamp(green, 0, 255);
    State().color_blue = std::clamp(blue, 0, 255);
}

void GetColor(int* red, int* green, int* blue) {
    if (red) *red = State().color_red;
    if (green) *green = State().color_green;
    if (blue) *blue = State().color_blue;
}

void SetAlpha(float alpha) {
    State().color_alpha = alpha > 1.0f ? 1.0f : (alpha > 0.0f ? alpha : 0.0f);  // NaN gives 0
}

float GetAlpha() {
    return State().color_alpha;
}
void SetBlend(int mode) {
    State().blend_mode = mode;
}
int GetBlend() {
    return State().blend_mode;
}

void SetClsColor(int red, int green, int blue) {
    State().clscolor_red = std::clamp(red, 0, 255);
    State().clscolor_green = std::clamp(green, 0, 255);
    State().clscolor_blue = std::clamp(blue, 0, 255);
}

void SetDrawRotation(float degrees) {
    State().tform_rot = degrees;
    UpdateMatrix();
}

float GetDrawRotation() {
    return State().tform_rot;
}

void SetDrawScale(float sx, float sy) {
    State().tform_scale_x = sx;
    State().tform_scale_y = sy;
    UpdateMatrix();
}

void SetDrawTransform(float degrees, float sx, float sy) {
    State().tform_rot = degrees;
    State().tform_scale_x = sx;
    State().tform_scale_y = sy;
    UpdateMatrix();
}

void SetViewport(int x, int y, int width, int height) {
    TDrawState& st = State();
    st.viewport_x = x;
    st.viewport_y = y;
    st.viewport_w = width;
    st.viewport_h = height;
}

void SetOrigin(float x, float y) {
    State().origin_x = x;
    State().origin_y = y;
}

void Cls() {
    const TDrawState& st = State();
    const std::uint32_t colour = 0xFF000000u | std::uint32_t(st.clscolor_red) << 16 |
                                 std::uint32_t(st.clscolor_green) << 8 |
                                 std::uint32_t(st.clscolor_blue);
    std::uint32_t* pixels = BackBuffer();
    std::fill(pixels, pixels + std::size_t(ScreenWidth()) * std::size_t(ScreenHeight()), colour);
}

void DrawImageFrame(const ImageRef& image, float x, float y, int frame) {
    if (!image || frame < 0 || frame >= image->Frames()) return;
    const TDrawState& st = State();
    const raster::TTarget target = CurrentTarget();
    if (target.x0 >= target.x1 || target.y0 >= target.y1) return;
    const float px = x + st.origin_x, py = y + st.origin_y;
    const bool filtered = (image->flags & IMAGE_FILTERED) != 0;
    // Clear texels leave the pixels under them alone except in solid and shade.
    const raster::TVisible* visible = st.blend_mode != BLEND_SOLID && st.blend_mode != BLEND_SHADE
                                          ? raster::FrameVisible(*image, frame)
                                          : nullptr;
    if (visible && visible->x0 >= visible->x1) return;

    // Mask, alpha and light drawing of nearest texels can take the frame with
    // the tint already applied, and then blend it untinted.
    raster::TTint tint = CurrentTint();
    int mode = st.blend_mode;
    const bool plain_tint = tint.white && tint.a == 255;
    const std::uint32_t* tinted = nullptr;
    if (visible && !plain_tint &&
        (mode == BLEND_MASK || mode == BLEND_ALPHA || mode == BLEND_LIGHT))
        tinted = raster::FrameTinted(*image, frame, tint);
    // Light of nearest texels at a white opaque tint (the frame itself, or its
    // tinted copy) adds the same bytes at every draw: the star field's glows
    // and the flames take them ready-made.
    const std::uint32_t* lit = nullptr;
    if (mode == BLEND_LIGHT && visible && (plain_tint || tinted))
        lit = raster::FrameLit(*image, frame, tinted);

    if (IsIdentityMatrix(DrawMatrix(st))) {
        // The frame's top-left corner; a pixel is covered when its centre is inside.
        const double left = double(px) - image->handle_x, top = double(py) - image->handle_y;
        if (!std::isfinite(left) || !std::isfinite(top)) return;
        if (!filtered || (IsWhole(left) && IsWhole(top))) {
            raster::TTexture tex = raster::FrameLevel(*image, frame, 0);
            if (!tex.texels) return;
            // At full alpha the opaque texels of mask and alpha drawing hide
            // what lies below: the ground's cells become plain copies.
            const std::uint32_t* copies = nullptr;
            if (visible && tint.a == 255 && (mode == BLEND_ALPHA || mode == BLEND_MASK))
                copies = plain_tint ? tex.texels : tinted;
            if (lit) {
                tex.texels = lit;
                tint = raster::TTint{};
                mode = raster::kBlendLit;
            } else if (tinted) {
                tex.texels = tinted;
                tint = raster::TTint{};
            }
            const double far = double(1 << 24);
            raster::BlitTexture(tex, int(std::clamp(std::ceil(left - 0.5), -far, far)),
                                int(std::clamp(std::ceil(top - 0.5), -far, far)), mode, tint,
                                target, visible, copies);
            return;
        }
    }
    TQuadMap quad;
    if (!PlaceQuad(DrawMatrix(st), image->width, image->height, image->handle_x, image->handle_y,
                   px, py, quad))
        return;
    const int level = (image->flags & IMAGE_MIPMAPPED) ? MipLevelFor(quad) : 0;
    raster::TTexture tex = raster::FrameLevel(*image, frame, level);
    if (lit && level == 0 && !filtered) {
        tex.texels = lit;
        tint = raster::TTint{};
        mode = raster::kBlendLit;
    } else if (tinted && level == 0 && !filtered) {
        tex.texels = tinted;
        tint = raster::TTint{};
    }
    raster::FillQuad(quad, tex, filtered, mode, tint, target, level == 0 ? visible : nullptr);
}

void DrawLine(float x1, float y1, float x2, float y2, bool draw_last_pixel) {
    const TDrawState& st = State();
    const raster::TTarget t = CurrentTarget();
    if (t.x0 >= t.x1 || t.y0 >= t.y1) return;
    // Ends sit on pixel centres; the end point goes through the matrix.
    const double ax = double(x1) + st.origin_x + 0.5, ay = double(y1) + st.origin_y + 0.5;
    const double ex = double(x2) - x1, ey = double(y2) - y1;
    const double bx = ax + ex * st.tform_ix + ey * st.tform_iy;
    const double by = ay + ex * st.tform_jx + ey * st.tform_jy;
    constexpr double kFar = double(1 << 28);
    for (double v : {ax, ay, bx, by})
        if (!(std::fabs(v) < kFar)) return;  // also NaN
    const long long X0 = (long long)std::floor(ax), Y0 = (long long)std::floor(ay);
    const long long X1 = (long long)std::floor(bx), Y1 = (long long)std::floor(by);
    const long long dx = X1 - X0, dy = Y1 - Y0;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    const raster::TTint tint = CurrentTint();
    const int mode = st.blend_mode;
    const long long last = draw_last_pixel ? n : n - 1;  // last step plotted
    if (n == 0) {
        if (draw_last_pixel) PlotPixel(t, X0, Y0, mode, tint);
        return;
    }
    if (dy == 0) {  // a scan line: one run
        long long lo = dx > 0 ? X0 : X0 - last, hi = dx > 0 ? X0 + last : X0;
        lo = std::max<long long>(lo, t.x0);
        hi = std::min<long long>(hi, t.x1 - 1);
        if (Y0 >= t.y0 && Y0 < t.y1 && lo <= hi)
            raster::FillRun(t.pixels + Y0 * t.pitch + lo, int(hi - lo + 1), mode, tint);
        return;
    }
    // Step along the major axis; the minor coordinate is rounded, ties upwards.
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const long long major0 = x_major ? X0 : Y0, dmajor = x_major ? dx : dy;
    const long long minor0 = x_major ? Y0 : X0, dminor = x_major ? dy : dx;
    const long long step = dmajor > 0 ? 1 : -1;
    const long long clip_lo = x_major ? t.x0 : t.y0, clip_hi = (x_major ? t.x1 : t.y1) - 1;
    long long i0 = step > 0 ? clip_lo - major0 : major0 - clip_hi;
    long long i1 = step > 0 ? clip_hi - major0 : major0 - clip_lo;
    i0 = std::max(i0, 0LL);
    i1 = std::min(i1, last);
    for (long long i = i0; i <= i1; ++i) {
        const long long major = major0 + i * step;
        const long long minor = minor0 + FloorDiv(2 * i * dminor + n, 2 * n);
        if (x_major)
            PlotPixel(t, major, minor, mode, tint);
        else
            PlotPixel(t, minor, major, mode, tint);
    }
}
