// raster_cache.hpp -- what the rasteriser keeps beside an image's frames (in
// TImage::cache): the smaller mip levels of frames drawn minified.
#pragma once

#include <cstdint>
#include <vector>

#include "services/graphics/image.hpp"
#include "services/graphics/raster_blend.hpp"

namespace raster {

// A view of one level of a frame: w x h texels, row by row.
struct TTexture {
    const std::uint32_t* texels = nullptr;
    int w = 0, h = 0;
};

// Level 0 is the frame itself; level n halves it n times (at least 1x1),
// built on first use and kept until the frame changes.  Levels past the
// smallest give the smallest.  Empty texture for a bad frame.
TTexture FrameLevel(TImage& image, int frame, int level);

// Where a frame has texels that are not fully transparent: their bounding box
// [x0, x1) x [y0, y1) and, per texel row, the columns [first, end) (empty
// rows first == end).  Drawing may skip everything else when the blend leaves
// pixels under clear texels untouched (mask, alpha, light).
// Per texel row also the longest run [opaque_first, opaque_end) of fully
// opaque texels (empty: equal): at full draw alpha, mask and alpha drawing
// write the tinted texel there whatever lies below, so it can be copied.
struct TVisible {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int min_alpha = 0;  // the smallest alpha of any texel of the frame
    std::vector<std::uint16_t> first, end;
    std::vector<std::uint16_t> opaque_first, opaque_end;
    // For frames at most 64 texels wide, each row's [opaque_first,
    // opaque_end) as bits (bit x: column x); empty for wider frames.
    std::vector<std::uint64_t> opaque_bits;
};
const TVisible* FrameVisible(TImage& image, int frame);  // none for a bad frame

// The frame's texels with the draw colour and alpha already applied: each
// TintRgb(texel) with alpha Div255(texel alpha x draw alpha).  Drawn nearest
// with a white opaque tint in mask, alpha or light, they give exactly the
// pixels of the frame drawn with the tint; where the draw alpha is full, the
// opaque ones are what lands on the screen.  Built when the same tint is asked
// for twice in a row (a fading flame asks for a new one at every draw, and is
// cheaper blended as it is) and kept for the last two; null otherwise.
const std::uint32_t* FrameTinted(TImage& image, int frame, const TTint& tint);

// The frame's texels as light adds them (LitTexel), for drawing with
// kBlendLit: of the frame itself when tinted is null, else of the copy
// FrameTinted gave (null when that copy is no longer kept).  Built on first
// use and kept like the tinted copies.
const std::uint32_t* FrameLit(TImage& image, int frame, const std::uint32_t* tinted);

// Number of levels below the frame itself for a w x h frame.
int MipLevelCount(int w, int h);

// Forgets what was built from the frame (call after its pixels change).
void ForgetFrame(TImage& image, int frame);

// What was built and then replaced is kept until this is called: the draws
// of a frame, made ready one after another, all point into it until the
// frame is rasterised.
void ReleaseRetired();

}  // namespace raster
