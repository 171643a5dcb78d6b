// raster_runs.hpp -- blending a run of texels onto a run of back-buffer pixels,
// four at a time where the processor has 128-bit integer vectors.  The result
// is bit for bit the one Plot gives for each pixel alone.
#pragma once

#include <cstdint>

#include "services/graphics/raster_blend.hpp"

namespace raster {

// dst[i] = texels[i] blended by the mode (BLEND_* or kBlendLit; others as
// mask), i < n.
void BlendRun(int mode, std::uint32_t* dst, const std::uint32_t* texels, int n, const TTint& tint);

// The same, one pixel at a time with Plot (the reference the vectors follow).
void BlendRunScalar(int mode, std::uint32_t* dst, const std::uint32_t* texels, int n,
                    const TTint& tint);

}  // namespace raster
