// raster_support.hpp -- what the drawing tests share: a fresh 640x480 back
// buffer and drawing state per test, tiny images built texel by texel, and
// ways to read pixels back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"
#include "services/platform/headless/headless.hpp"

class RasterTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 2));
        ResetImageDefaults();
        ResetDrawState();
        Cls();
    }
    void TearDown() override {
        ResetDrawState();
        ResetImageDefaults();
        CloseGraphics();
    }

    static std::uint32_t At(int x, int y) { return BackBuffer()[y * ScreenWidth() + x]; }
    static void Put(int x, int y, std::uint32_t c) { BackBuffer()[y * ScreenWidth() + x] = c; }
    static void FillScreen(std::uint32_t c) {
        std::fill(BackBuffer(), BackBuffer() + ScreenWidth() * ScreenHeight(), c);
    }

    // An image of one w x h frame, flags as given, every texel `texel`.
    static ImageRef Solid(int w, int h, std::uint32_t texel, int flags = 0) {
        ImageRef image = NewImage(w, h, 1, flags);
        std::fill(image->pixmaps[0].begin(), image->pixmaps[0].end(), texel);
        return image;
    }

    // Bounding box of the pixels that differ from `background`: [x0, x1) x [y0, y1).
    struct Box {
        int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1, count = 0;
    };
    static Box Changed(std::uint32_t background = 0xFF000000u) {
        Box box;
        for (int y = 0; y < ScreenHeight(); ++y) {
            for (int x = 0; x < ScreenWidth(); ++x) {
                if (At(x, y) == background) continue;
                box.x0 = std::min(box.x0, x);
                box.y0 = std::min(box.y0, y);
                box.x1 = std::max(box.x1, x + 1);
                box.y1 = std::max(box.y1, y + 1);
                ++box.count;
            }
        }
        return box;
    }
};
