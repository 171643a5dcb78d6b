// png.cpp -- PNG pictures through libpng: decoding any colour type to RGBA,
// and writing RGB files of captured frames.
//
// libpng reports errors by longjmp back to the setjmp in the function that
// drives it; those functions hold no C++ objects of their own (buffers are
// owned by their callers), so nothing is skipped on the way out.
#include "services/graphics/png.hpp"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxSide = 8192;

struct TMemoryReader {
    const unsigned char* at;
    std::size_t left;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<TMemoryReader*>(png_get_io_ptr(png));
    if (count > reader->left) png_error(png, "truncated");
    std::memcpy(out, reader->at, count);
    reader->at += count;
    reader->left -= count;
}

// Quiet: a bad picture is reported by the result, not on stderr.
void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

bool DecodeInto(png_structp png, png_infop info, std::vector<unsigned char>& rgba, int* width,
                int* height, bool* has_alpha) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    const png_byte type = png_get_color_type(png, info);
    const png_byte depth = png_get_bit_depth(png, info);
    const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (trns) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_scale_16(png);
    if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    *has_alpha = trns || (type & PNG_COLOR_MASK_ALPHA) != 0;
    if (!*has_alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
    if (w <= 0 || h <= 0 || png_get_rowbytes(png, info) != std::size_t(w) * 4) return false;
    rgba.assign(std::size_t(w) * h * 4, 0);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < h; ++y)
            png_read_row(png, rgba.data() + std::size_t(y) * w * 4, nullptr);
    png_read_end(png, nullptr);
    *width = w;
    *height = h;
    return true;
}

bool WriteFrom(png_structp png, png_infop info, std::FILE* file, const std::uint32_t* pixels,
               int width, int height, std::vector<unsigned char>& row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* src = pixels + std::size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            row[std::size_t(x) * 3 + 0] = (unsigned char)(src[x] >> 16);
            row[std::size_t(x) * 3 + 1] = (unsigned char)(src[x] >> 8);
            row[std::size_t(x) * 3 + 2] = (unsigned char)(src[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool DecodePng(const unsigned char* bytes, std::size_t size, TPngPicture& out) {
    if (!bytes || size < 8 || png_sig_cmp(bytes, 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    TMemoryReader reader{bytes, size};
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    bool alpha = false;
    bool ok = false;
    if (info) {
        png_set_read_fn(png, &reader, ReadFromMemory);
        ok = DecodeInto(png, info, rgba, &w, &h, &alpha);
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (!ok) return false;

    out.width = w;
    out.height = h;
    out.has_alpha = alpha;
    out.pixels.resize(std::size_t(w) * h);
    for (std::size_t i = 0; i < out.pixels.size(); ++i) {
        const unsigned char* p = &rgba[i * 4];
        out.pixels[i] =
            std::uint32_t(p[3]) << 24 | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
    return true;
}

bool SavePng(std::FILE* file, const std::uint32_t* pixels, int width, int height) {
    if (!file || !pixels || width <= 0 || height <= 0) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<unsigned char> row(std::size_t(width) * 3);
    const bool ok = info && WriteFrom(png, info, file, pixels, width, height, row);
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    return ok;
}

bool SavePng(const std::string& path, const std::uint32_t* pixels, int width, int height) {
    if (!pixels || width <= 0 || height <= 0) return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = SavePng(file, pixels, width, height);
    const bool closed = std::fclose(file) == 0;
    return ok && closed;
}
