// font.cpp -- TrueType faces through FreeType, glyph images made on first
// use, and the text drawing and measuring of the current font.
#include "services/graphics/font.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "services/graphics/draw.hpp"
#include "services/graphics/embedded.hpp"
#include "services/system/files.hpp"

namespace {

// The library is started once; every face holds it, so it is closed only
// after the last face, whatever order the program's globals go away in.
struct Library {
    FT_Library handle = nullptr;
    ~Library() {
        if (handle) FT_Done_FreeType(handle);
    }
};

std::shared_ptr<Library> SharedLibrary() {
    static const std::shared_ptr<Library> library = [] {
        auto lib = std::make_shared<Library>();
        if (FT_Init_FreeType(&lib->handle) != 0) {
            lib->handle = nullptr;
            lib.reset();
        }
        return lib;
    }();
    return library;
}

struct Face {
    std::shared_ptr<Library> library;
    FT_Face handle = nullptr;
    ~Face() {
        if (handle) FT_Done_Face(handle);
    }
};

FT_Face FaceOf(const TImageFont& font) {
    return font._src_font ? static_cast<Face*>(font._src_font.get())->handle : nullptr;
}

FontRef& Current() {
    static FontRef current;
    return current;
}

// Top row first, whichever way the bitmap's rows run in memory.
const unsigned char* BitmapRow(const FT_Bitmap& bitmap, unsigned y) {
    const unsigned char* base = bitmap.buffer;
    if (bitmap.pitch < 0) base -= std::ptrdiff_t(bitmap.pitch) * (bitmap.rows - 1);
    return base + std::ptrdiff_t(bitmap.pitch) * y;
}

// Coverage 0..255 of every pixel of a rendered glyph, row by row; one-bit
// bitmaps become 0 or 255.
std::vector<std::uint8_t> Coverage(FT_Library library, const FT_Bitmap& bitmap) {
    const unsigned w = bitmap.width, h = bitmap.rows;
    std::vector<std::uint8_t> out(std::size_t(w) * h);
    auto at = [&](unsigned x, unsigned y) -> std::uint8_t& { return out[std::size_t(y) * w + x]; };
    switch (bitmap.pixel_mode) {
        case FT_PIXEL_MODE_MONO:
            for (unsigned y = 0; y < h; ++y) {
                const unsigned char* row = BitmapRow(bitmap, y);
                for (unsigned x = 0; x < w; ++x)
                    at(x, y) = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
            }
            return out;
        case FT_PIXEL_MODE_BGRA:
            for (unsigned y = 0; y < h; ++y) {
                const unsigned char* row = BitmapRow(bitmap, y);
                for (unsigned x = 0; x < w; ++x) at(x, y) = row[4 * x + 3];
            }
            return out;
        default:
            break;
    }
    // Grey levels, in whatever depth the face renders them.
    FT_Bitmap grey;
    FT_Bitmap_Init(&grey);
    const FT_Bitmap* src = &bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        if (FT_Bitmap_Convert(library, &bitmap, &grey, 1) != 0 || grey.width != w) {
            FT_Bitmap_Done(library, &grey);
            return {};
        }
        src = &grey;
    }
    const unsigned levels = src->num_grays > 1 ? src->num_grays - 1 : 1;
    for (unsigned y = 0; y < h; ++y) {
        const unsigned char* row = BitmapRow(*src, y);
        for (unsigned x = 0; x < w; ++x)
            at(x, y) = std::uint8_t(std::min(255u, row[x] * 255u / levels));
    }
    FT_Bitmap_Done(library, &grey);
    return out;
}

// Renders one glyph of the face into its entry; a glyph that cannot be
// rendered stays blank with no advance.
void RenderGlyph(const TImageFont& font, FT_UInt index, TImageGlyph& glyph) {
    glyph.loaded = true;
    const FT_Face face = FaceOf(font);
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
        return;
    }
    glyph._advance = float(slot->advance.x >> 6);
    glyph._x = slot->bitmap_left;
    glyph._y = font.ascender - slot->bitmap_top;
    const int w = int(slot->bitmap.width), h = int(slot->bitmap.rows);
    if (w <= 0 || h <= 0) return;  // a space: advance only
    const std::vector<std::uint8_t> cover =
        Coverage(static_cast<Face*>(font._src_font.get())->library->handle, slot->bitmap);
    if (cover.empty()) return;

    // Filtered glyphs get a transparent border so their edges fade out
    // instead of being cut at the last texel.
    const int border = (font._imageFlags & IMAGE_FILTERED) ? 1 : 0;
    glyph._x -= border;
    glyph._y -= border;
    glyph._w = w + 2 * border;
    glyph._h = h + 2 * border;
    std::vector<std::uint32_t> pixels(std::size_t(glyph._w) * glyph._h, 0x00FFFFFFu);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t a = cover[std::size_t(y) * w + x];
            pixels[std::size_t(y + border) * glyph._w + (x + border)] = (a << 24) | 0x00FFFFFFu;
        }
    }
    auto image = std::make_shared<TImage>();
    image->width = glyph._w;
    image->height = glyph._h;
    image->flags = font._imageFlags;  // never masked: coverage is the alpha
    image->pixmaps.push_back(std::move(pixels));
    glyph._image = std::move(image);
}

}  // namespace

std::shared_ptr<TImageFont> TImageFont::Load(const std::string& path, int size, int style) {
    std::shared_ptr<Library> library = SharedLibrary();
    if (!library || size <= 0) return nullptr;
    auto font = std::make_shared<TImageFont>();
    auto face = std::make_shared<Face>();
    face->library = library;
    FT_Error error;
    if (path.find("::") != std::string::npos) {
        if (!ReadResource(path, font->_data)) return nullptr;
        error = FT_New_Memory_Face(library->handle,
                                   reinterpret_cast<const FT_Byte*>(font->_data.data()),
                                   FT_Long(font->_data.size()), 0, &face->handle);
    } else {
        error = FT_New_Face(library->handle, HostPath(path).c_str(), 0, &face->handle);
    }
    if (error != 0) {
        face->handle = nullptr;
        return nullptr;
    }
    // Bitmap faces only offer some sizes: fall back to the nearest smaller one.
    while (size > 0 && FT_Set_Pixel_Sizes(face->handle, 0, FT_UInt(size)) != 0) --size;
    if (size == 0 || face->handle->num_glyphs <= 0) return nullptr;

    const FT_Size_Metrics& metrics = face->handle->size->metrics;
    font->size = size;
    font->_imageFlags = (style & 4) ? (IMAGE_FILTERED | IMAGE_MIPMAPPED) : 0;
    font->line_height = int(metrics.height >> 6);
    font->ascender = int(metrics.ascender >> 6);
    font->descender = int(metrics.descender >> 6);
    font->_glyphs.resize(std::size_t(face->handle->num_glyphs));
    font->_src_font = std::move(face);
    return font;
}

const TImageGlyph* FindGlyph(TImageFont& font, unsigned char ch) {
    const FT_Face face = FaceOf(font);
    if (!face) return nullptr;
    const FT_UInt index = FT_Get_Char_Index(face, ch);  // Latin-1 bytes are code points
    if (index == 0 || index >= font._glyphs.size()) return nullptr;
    TImageGlyph& glyph = font._glyphs[index];
    if (!glyph.loaded) RenderGlyph(font, index, glyph);
    return &glyph;
}

void SetCurrentFont(const FontRef& font) {
    Current() = font;
}

const FontRef& CurrentFont() {
    return Current();
}

void DrawString(const std::string& text, float x, float y) {
    if (TDrawObserver* observer = DrawObserver()) observer->OnText(text, x, y, DrawState());
    const FontRef font = Current();  // held: a draw must not outlive its font
    if (!font || !FaceOf(*font)) return;
    const TDrawState& state = DrawState();
    const float ix = state.tform_ix, iy = state.tform_iy;
    const float jx = state.tform_jx, jy = state.tform_jy;
    const float ox = state.origin_x, oy = state.origin_y;
    float pen_x = x + ox + state.handle_x * ix + state.handle_y * iy;
    float pen_y = y + oy + state.handle_x * jx + state.handle_y * jy;
    for (const char ch : text) {
        const TImageGlyph* glyph = FindGlyph(*font, static_cast<unsigned char>(ch));
        if (!glyph) continue;
        if (glyph->_image) {
            const float gx = pen_x + float(glyph->_x) * ix + float(glyph->_y) * iy;
            const float gy = pen_y + float(glyph->_x) * jx + float(glyph->_y) * jy;
            // The pen already holds the origin, which DrawImageFrame adds again.
            DrawGlyphFrame(glyph->_image, gx - ox, gy - oy, 0);
        }
        pen_x += ix * glyph->_advance;
        pen_y += jx * glyph->_advance;
    }
}

int StringWidth(const std::string& text) {
    const FontRef& font = Current();
    if (!font) return 0;
    int width = 0;
    for (const char ch : text) {
        const TImageGlyph* glyph = FindGlyph(*font, static_cast<unsigned char>(ch));
        if (glyph) width = int(float(width) + glyph->_advance);
    }
    return width;
}

int FontHeight() {
    const FontRef& font = Current();
    return font && FaceOf(*font) ? font->line_height : 16;
}
