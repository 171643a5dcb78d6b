// fuzz_font.cpp -- any bytes given to the font reader as a built-in face;
// whatever opens has every Latin-1 glyph rendered, plain and filtered.
#include <cstddef>
#include <cstdint>
#include <string>

#include "services/graphics/embedded.hpp"
#include "services/graphics/font.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The face reads these bytes for as long as it is open.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ClearEmbedded();
    RegisterEmbedded("fuzz.ttf", reinterpret_cast<const unsigned char*>(bytes.data()),
                     bytes.size());
    for (int style : {0, 4}) {
        FontRef font = TImageFont::Load("incbin::fuzz.ttf", style ? 33 : 16, style);
        if (!font) continue;
        for (int ch = 0; ch < 256; ch++) FindGlyph(*font, static_cast<unsigned char>(ch));
    }
    ClearEmbedded();
    return 0;
}
