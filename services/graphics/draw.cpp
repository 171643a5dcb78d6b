// draw.cpp -- the current drawing state, and drawing image frames and lines
// with it: each draw recorded in the frame's list with the state in force.
#include "services/graphics/draw.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "services/graphics/back_buffer.hpp"
#include "services/graphics/draw_list.hpp"

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

// The viewport clipped to the back buffer.
draw_list::TClip CurrentClip() {
    const TDrawState& st = State();
    draw_list::TClip t;
    const long long vx = st.viewport_x, vy = st.viewport_y;
    t.x0 = int(std::clamp<long long>(vx, 0, ScreenWidth()));
    t.y0 = int(std::clamp<long long>(vy, 0, ScreenHeight()));
    t.x1 = int(std::clamp<long long>(vx + std::max(st.viewport_w, 0), t.x0, ScreenWidth()));
    t.y1 = int(std::clamp<long long>(vy + std::max(st.viewport_h, 0), t.y0, ScreenHeight()));
    return t;
}

TDrawObserver*& Observer() {
    static TDrawObserver* observer = nullptr;
    return observer;
}

// A command of the given kind with the state in force; false when the
// viewport leaves nothing to draw into.
bool BeginCommand(draw_list::TCommand& c, draw_list::TCommand::Kind kind, const TDrawState& st) {
    c.clip = CurrentClip();
    if (c.clip.x0 >= c.clip.x1 || c.clip.y0 >= c.clip.y1) return false;
    c.kind = kind;
    c.mode = st.blend_mode;
    c.tint = CurrentTint();
    c.matrix = DrawMatrix(st);
    return true;
}

// Records a frame drawn with the state in force, as it is now: the image's
// handle and flags are taken at once.
void RecordFrame(const ImageRef& image, float x, float y, int frame) {
    if (!image || frame < 0 || frame >= image->Frames()) return;
    const TDrawState& st = State();
    draw_list::TCommand c;
    if (!BeginCommand(c, draw_list::TCommand::Kind::Image, st)) return;
    c.image = image.get();
    c.frame = frame;
    c.flags = image->flags;
    c.handle_x = image->handle_x;
    c.handle_y = image->handle_y;
    c.x = x + st.origin_x;
    c.y = y + st.origin_y;
    draw_list::Record(std::move(c), image);
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
    draw_list::TCommand c;
    c.kind = draw_list::TCommand::Kind::Clear;
    c.colour = 0xFF000000u | std::uint32_t(st.clscolor_red) << 16 |
               std::uint32_t(st.clscolor_green) << 8 | std::uint32_t(st.clscolor_blue);
    draw_list::Record(std::move(c));
}

void DrawImageFrame(const ImageRef& image, float x, float y, int frame) {
    if (image && Observer()) Observer()->OnImage(*image, frame, x, y, State());
    RecordFrame(image, x, y, frame);
}

void DrawGlyphFrame(const ImageRef& image, float x, float y, int frame) {
    RecordFrame(image, x, y, frame);
}

void DrawLine(float x1, float y1, float x2, float y2, bool draw_last_pixel) {
    const TDrawState& st = State();
    if (Observer()) Observer()->OnLine(x1, y1, x2, y2, st);
    draw_list::TCommand c;
    if (!BeginCommand(c, draw_list::TCommand::Kind::Line, st)) return;
    c.x = x1;
    c.y = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.handle_x = st.origin_x;  // a line keeps the origin apart: its ends add it in doubles
    c.handle_y = st.origin_y;
    c.last_pixel = draw_last_pixel;
    draw_list::Record(std::move(c));
}

void CompleteDrawing() {
    draw_list::Flush();
}

void SetDrawObserver(TDrawObserver* observer) {
    Observer() = observer;
}

TDrawObserver* DrawObserver() {
    return Observer();
}
