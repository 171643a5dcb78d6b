// draw.hpp -- the current drawing state and the drawing operations, all into
// the back buffer (through the frame's draw list).  A screen pixel is covered when its centre lies
// inside the transformed quad (top-left rule on edges).
#pragma once

#include <string>

#include "services/graphics/image.hpp"
#include "services/graphics/raster_blend.hpp"
#include "services/graphics/raster_quad.hpp"

struct TDrawState {
    int color_red = 255, color_green = 255, color_blue = 255;
    float color_alpha = 1.0f;
    int clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
    float line_width = 1.0f;
    float tform_rot = 0, tform_scale_x = 1.0f, tform_scale_y = 1.0f;
    float tform_ix = 1, tform_iy = 0, tform_jx = 0, tform_jy = 1;
    int viewport_x = 0, viewport_y = 0, viewport_w = 640, viewport_h = 480;
    float origin_x = 0, origin_y = 0;
    float handle_x = 0, handle_y = 0;
    int blend_mode = BLEND_MASK;
};
const TDrawState& DrawState();
TQuadMatrix DrawMatrix(const TDrawState& state);  // tform_ix .. tform_jy
void ResetDrawState();                            // the defaults above, viewport the whole screen

void SetColor(int red, int green, int blue);  // each clamped to 0..255
void GetColor(int* red, int* green, int* blue);
void SetAlpha(float alpha);  // clamped to 0..1
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetClsColor(int red, int green, int blue);
void SetDrawRotation(float degrees);
float GetDrawRotation();
void SetDrawScale(float sx, float sy);
void SetDrawTransform(float degrees, float sx, float sy);
void SetViewport(int x, int y, int width, int height);
void SetOrigin(float x, float y);

void Cls();  // the whole back buffer in the clear colour, whatever the viewport

void DrawImageFrame(const ImageRef& image, float x, float y, int frame);  // none draws nothing
void DrawLine(float x1, float y1, float x2, float y2, bool draw_last_pixel = true);
// A frame drawn as part of a text the observer was told of whole (a glyph).
void DrawGlyphFrame(const ImageRef& image, float x, float y, int frame);

// Draws are recorded and rasterised when the frame is presented or the back
// buffer read (BackBuffer()); the pixels are those of drawing each at once.
// Completes every draw made so far.
void CompleteDrawing();

// Told of every draw call as it is made, with the state in force (before any
// skipping): the runner's draw log.  Texts come whole, not glyph by glyph.
class TDrawObserver {
   public:
    virtual ~TDrawObserver() = default;
    virtual void OnImage(const TImage& image, int frame, float x, float y,
                         const TDrawState& state) = 0;
    virtual void OnText(const std::string& text, float x, float y, const TDrawState& state) = 0;
    virtual void OnLine(float x1, float y1, float x2, float y2, const TDrawState& state) = 0;
};
void SetDrawObserver(TDrawObserver* observer);  // none: nobody is told
TDrawObserver* DrawObserver();
