// raster_fill.hpp -- the pixel loops: a placed frame's texels blended into the
// back buffer inside a clip rectangle.
#pragma once

#include <cstdint>

#include "services/graphics/raster_blend.hpp"
#include "services/graphics/raster_cache.hpp"
#include "services/graphics/raster_span.hpp"

namespace raster {

// The back buffer and the clip rectangle [x0, x1) x [y0, y1) inside it.
struct TTarget {
    std::uint32_t* pixels = nullptr;
    int pitch = 0;  // pixels per row
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The frame as a plain copy with its top-left texel at screen pixel (left, top):
// no rotation, scale 1, each pixel takes exactly one texel.
// visible, when given, lets clear texels be skipped (see TVisible).
// copies, when given with visible, are the frame's texels as FrameTinted gives
// them: copied instead of blended on the opaque runs of each row.  Only for
// mask and alpha at full draw alpha, where the two give the same pixels.
void BlitTexture(const TTexture& tex, int left, int top, int mode, const TTint& tint,
                 const TTarget& target, const TVisible* visible = nullptr,
                 const std::uint32_t* copies = nullptr);

// Any placement: every covered pixel samples the texture (one mip level of the
// frame, so u, v are scaled by tex size / frame size), nearest or bilinear.
// visible (for the frame itself, level 0) lets clear texels be skipped.
void FillQuad(const TQuadMap& quad, const TTexture& tex, bool filtered, int mode, const TTint& tint,
              const TTarget& target, const TVisible* visible = nullptr);

// A run of n pixels of one colour, as if from an opaque white texel tinted.
void FillRun(std::uint32_t* dst, int n, int mode, const TTint& tint);

}  // namespace raster
