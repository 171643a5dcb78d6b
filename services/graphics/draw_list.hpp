// draw_list.hpp -- the frame as a list: every draw is recorded with the state
// in force and rasterised when the frame is presented or the back buffer is
// read, in the order made.  Draws that later opaque draws hide entirely are
// skipped, and the rest is rasterised in horizontal bands on every core; each
// pixel sees exactly the operations immediate drawing would give it.
#pragma once

#include <cstdint>

#include "services/graphics/image.hpp"
#include "services/graphics/raster_blend.hpp"
#include "services/graphics/raster_quad.hpp"

namespace draw_list {

// The clip rectangle [x0, x1) x [y0, y1), already inside the back buffer.
struct TClip {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// One draw as it was made.
struct TCommand {
    enum class Kind : std::uint8_t { Image, Line, Clear };
    Kind kind = Kind::Image;
    int mode = BLEND_MASK;
    raster::TTint tint;
    TClip clip;
    TQuadMatrix matrix;
    // Image: the frame (the list holds the image alive), its handle and flags
    // when drawn, the position with the origin added.
    TImage* image = nullptr;
    int frame = 0;
    int flags = 0;
    float handle_x = 0, handle_y = 0;
    float x = 0, y = 0;
    // Line: (x, y) to (x2, y2) as given, the origin in handle_x, handle_y
    // (added to the ends in doubles when placed).
    float x2 = 0, y2 = 0;
    bool last_pixel = true;
    std::uint32_t colour = 0;  // Clear: the whole buffer in this colour
};

// Records a draw; `image` is held until the draw is rasterised.
void Record(TCommand&& command, const ImageRef& image = nullptr);
// Rasterises every pending draw into the back buffer and empties the list.
void Flush();
bool Pending();  // draws are waiting

// A list longer than this is rasterised at once: drawing in a loop without
// presenting never grows memory without bound.
constexpr int kMaxPending = 8192;

struct TOptions {
    bool deferred = true;  // false: every draw rasterised as it is made
    bool skipping = true;  // skip what later opaque draws hide
    int threads = 0;       // drawing threads, the caller's included; 0: one per core
};
void SetOptions(const TOptions& options);
const TOptions& Options();

// Counts since the program started, for tests and benchmarks.
struct TCounts {
    long long recorded = 0, skipped = 0, flushes = 0;
};
const TCounts& Counts();

}  // namespace draw_list
