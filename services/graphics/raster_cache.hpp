// raster_cache.hpp -- what the rasteriser keeps beside an image's frames (in
// TImage::cache): the smaller mip levels of frames drawn minified.
#pragma once

#include <cstdint>
#include <vector>

#include "services/graphics/image.hpp"

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
struct TVisible {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::vector<std::uint16_t> first, end;
};
const TVisible* FrameVisible(TImage& image, int frame);  // none for a bad frame

// Number of levels below the frame itself for a w x h frame.
int MipLevelCount(int w, int h);

// Forgets what was built from the frame (call after its pixels change).
void ForgetFrame(TImage& image, int frame);

}  // namespace raster
