// back_buffer.cpp -- the back buffer's pixels, and the hook that completes
// the draws pending in the frame's list before anyone reads them.
#include "services/graphics/back_buffer.hpp"

#include <cstddef>
#include <vector>

namespace {

struct TBuffer {
    int width = 640, height = 480;  // the back buffer exists even before a display opens
    std::vector<std::uint32_t> pixels;
    void (*complete)() = nullptr;
};

TBuffer& Buffer() {
    static TBuffer buffer;
    if (buffer.pixels.empty())
        buffer.pixels.assign(std::size_t(buffer.width) * std::size_t(buffer.height), 0);
    return buffer;
}

}  // namespace

int ScreenWidth() {
    return Buffer().width;
}

int ScreenHeight() {
    return Buffer().height;
}

std::uint32_t* BackBuffer() {
    CompletePendingDrawing();
    return Buffer().pixels.data();
}

std::uint32_t* BackBufferPixels() {
    return Buffer().pixels.data();
}

void ResizeBackBuffer(int width, int height) {
    TBuffer& b = Buffer();
    CompletePendingDrawing();  // nothing may be left aimed at the old size
    b.width = width;
    b.height = height;
    b.pixels.assign(std::size_t(width) * std::size_t(height), 0);
}

void SetPendingDrawing(void (*complete)()) {
    Buffer().complete = complete;
}

void CompletePendingDrawing() {
    if (void (*complete)() = Buffer().complete) complete();
}
