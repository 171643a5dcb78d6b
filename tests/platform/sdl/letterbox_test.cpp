// Where the 640x480 picture sits on common screens, and the pointer's
// mapping back to picture pixels, bars included.
#include "services/platform/sdl/letterbox.hpp"

#include <gtest/gtest.h>

namespace {

using sdl_backend::Box;

void ExpectBox(const Box& b, int x, int y, int w, int h) {
    EXPECT_EQ(b.x, x);
    EXPECT_EQ(b.y, y);
    EXPECT_EQ(b.w, w);
    EXPECT_EQ(b.h, h);
}

TEST(Letterbox, CommonScreensAndTheirSharpFactors) {
    const Box small = sdl_backend::Letterbox(1366, 768, 640, 480);
    ExpectBox(small, 171, 0, 1024, 768);
    EXPECT_EQ(sdl_backend::SharpFactor(small, 640, 480), 2);
    const Box hd = sdl_backend::Letterbox(1920, 1080, 640, 480);
    ExpectBox(hd, 240, 0, 1440, 1080);
    EXPECT_EQ(sdl_backend::SharpFactor(hd, 640, 480), 3);
    const Box qhd = sdl_backend::Letterbox(2560, 1440, 640, 480);
    ExpectBox(qhd, 320, 0, 1920, 1440);
    EXPECT_EQ(sdl_backend::SharpFactor(qhd, 640, 480), 3);  // exactly x3
    // Taller than 4:3: bars above and below.
    ExpectBox(sdl_backend::Letterbox(1280, 1024, 640, 480), 0, 32, 1280, 960);
    // Smaller than the picture: shrunk whole, never enlarged first.
    const Box tiny = sdl_backend::Letterbox(320, 300, 640, 480);
    ExpectBox(tiny, 0, 30, 320, 240);
    EXPECT_EQ(sdl_backend::SharpFactor(tiny, 640, 480), 1);
    ExpectBox(sdl_backend::Letterbox(0, 0, 640, 480), 0, 0, 0, 0);
}

TEST(Letterbox, PointerMapsExactlyAndClampsInTheBars) {
    const Box b = sdl_backend::Letterbox(1366, 768, 640, 480);
    // Every picture pixel's middle maps back to itself, read at the middle
    // of the screen pixel the pointer lands on.
    for (int p = 0; p < 640; ++p) {
        const int screen = int(sdl_backend::OutputPosition(p, b.x, b.w, 640));
        EXPECT_EQ(sdl_backend::PicturePixel(screen + 0.5, b.x, b.w, 640), p) << p;
    }
    EXPECT_EQ(sdl_backend::PicturePixel(0.5, b.x, b.w, 640), 0);       // left bar
    EXPECT_EQ(sdl_backend::PicturePixel(1365.5, b.x, b.w, 640), 639);  // right bar
    EXPECT_EQ(sdl_backend::PicturePixel(b.x + 0.5, b.x, b.w, 640), 0);
    EXPECT_EQ(sdl_backend::PicturePixel(b.x + b.w - 0.5, b.x, b.w, 640), 639);
}

TEST(Letterbox, FirstWindowIsTheLargestWholeMultipleThatFits) {
    int w = 0, h = 0;
    sdl_backend::WindowedSize(1920, 1050, 640, 480, &w, &h);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 960);
    sdl_backend::WindowedSize(2560, 1400, 640, 480, &w, &h);
    EXPECT_EQ(w, 1280);  // 1440 rows would not fit under a panel
    sdl_backend::WindowedSize(3840, 2160, 640, 480, &w, &h);
    EXPECT_EQ(w, 2560);
    EXPECT_EQ(h, 1920);
    sdl_backend::WindowedSize(1024, 600, 640, 480, &w,
                              &h);  // a netbook: no smaller than the picture
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
}

}  // namespace
