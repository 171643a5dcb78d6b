// font.hpp -- TrueType fonts rendered to glyph images on first use.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "services/graphics/image.hpp"

struct TImageGlyph {
    ImageRef _image;     // coverage as alpha, white; none for blank glyphs
    float _advance = 0;  // pixels to move the pen
    int _x = 0, _y = 0;  // offset of the image from the pen; _y down from the top of the line
    int _w = 0, _h = 0;
    bool loaded = false;
};

struct TImageFont {
    // From a file or an "incbin::" name at that pixel size (smaller sizes are
    // tried while the size fails); style 4 makes glyphs filtered and
    // mip-mapped with a one-pixel transparent border.  None on failure.
    static std::shared_ptr<TImageFont> Load(const std::string& path, int size, int style);

    int size = 0;
    int _imageFlags = 0;
    int line_height = 0, ascender = 0, descender = 0;  // whole pixels
    std::vector<TImageGlyph> _glyphs;                  // one per glyph of the face
    // Declared before the face so that it outlives it: a face opened from
    // memory reads these bytes until it is closed.
    std::string _data;                // face bytes when loaded from memory
    std::shared_ptr<void> _src_font;  // the face (FreeType), owned here
};
using FontRef = std::shared_ptr<TImageFont>;

// The glyph that draws a Latin-1 character, rendered on first use; none when
// the face has no glyph for it.
const TImageGlyph* FindGlyph(TImageFont& font, unsigned char ch);

void SetCurrentFont(const FontRef& font);  // none: the built-in default (no face)
const FontRef& CurrentFont();
void DrawString(const std::string& text, float x, float y);  // top-left of the line at (x, y)
int StringWidth(const std::string& text);  // unscaled, truncated after every character
int FontHeight();                          // line height, unscaled; 16 without a face
