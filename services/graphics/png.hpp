// png.hpp -- decoding PNG pictures held in memory, and writing captured frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct TPngPicture {
    int width = 0, height = 0;
    bool has_alpha = false;             // an alpha channel or a transparency chunk
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB row by row; alpha 255 without alpha
};

// Any colour type and depth becomes 8-bit RGBA.  False for missing, truncated
// or garbage data, or pictures past 8192 pixels a side.
bool DecodePng(const unsigned char* bytes, std::size_t size, TPngPicture& out);

// PNG files for captured frames (runner shots, asset tools): 0xAARRGGBB row by
// row, written opaque; false when the file cannot be written.
bool SavePng(const std::string& path, const std::uint32_t* pixels, int width, int height);
// The same into a file already open for writing, which stays open (the
// caller's close may still fail); false when a write failed.
bool SavePng(std::FILE* file, const std::uint32_t* pixels, int width, int height);
