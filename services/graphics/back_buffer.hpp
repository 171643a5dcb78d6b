// back_buffer.hpp -- the one back buffer every draw lands in, and the rule
// for reading it: draws may still be pending in the frame's list, so a
// reader asks for the buffer through BackBuffer(), which completes them.
#pragma once

#include <cstdint>

int ScreenWidth();
int ScreenHeight();
// ScreenWidth x ScreenHeight pixels, 0xAARRGGBB, with every draw made so far
// in them (pending draws are completed first).  Writing through it is fine.
std::uint32_t* BackBuffer();

// The buffer as it is, pending draws not completed: for the rasteriser only.
std::uint32_t* BackBufferPixels();
// A new size, every pixel black (pending draws are completed first).
void ResizeBackBuffer(int width, int height);

// What completes the pending draws (the drawing service installs it).
void SetPendingDrawing(void (*complete)());
// Completes them now: before a read of the buffer, or before an image a
// pending draw may refer to changes.
void CompletePendingDrawing();
