// fuzz_png.cpp -- any bytes given to the PNG reader: a picture of the size it
// claims, or a clean refusal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "services/graphics/png.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TPngPicture picture;
    if (DecodePng(data, size, picture)) {
        const std::size_t pixels = std::size_t(picture.width) * std::size_t(picture.height);
        if (picture.width <= 0 || picture.height <= 0 || picture.pixels.size() != pixels) {
            std::abort();
        }
    }
    return 0;
}
