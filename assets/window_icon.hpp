// window_icon.hpp -- the game's 64-pixel icon as PNG bytes, built into the
// desktop game so its window shows the same icon as its desktop entry.
#pragma once

#include <cstddef>

extern const unsigned char window_icon_png[];
extern const std::size_t window_icon_png_size;
