// Which screen pixels a drawn frame covers: centres inside the placed quad,
// edges by the top-left rule, clipped, and nothing silly for silly transforms.
#include <cmath>
#include <limits>

#include "raster_support.hpp"

namespace {

class Coverage : public RasterTest {
   protected:
    void SetUp() override {
        RasterTest::SetUp();
        SetAutoCentreHandle(true);
        sprite = Solid(32, 32, 0xFFFFFFFFu);
        SetAutoCentreHandle(false);
        SetBlend(BLEND_SOLID);
    }
    ImageRef sprite;
};

TEST_F(Coverage, CentredTileAtWholePositionCovers84To115UnrotatedAndTurned) {
    for (float degrees : {0.0f, 90.0f, 180.0f, 270.0f, -90.0f, 450.0f}) {
        Cls();
        SetDrawRotation(degrees);
        DrawImageFrame(sprite, 100, 100, 0);
        const Box box = Changed();
        EXPECT_EQ(box.x0, 84) << degrees;
        EXPECT_EQ(box.x1, 116) << degrees;
        EXPECT_EQ(box.y0, 84) << degrees;
        EXPECT_EQ(box.y1, 116) << degrees;
        EXPECT_EQ(box.count, 32 * 32) << degrees;
    }
}

TEST_F(Coverage, FractionalPositionsStillCover32By32) {
    for (float x : {100.25f, 100.5f, 100.75f}) {
        Cls();
        DrawImageFrame(sprite, x, 100.5f, 0);
        const Box box = Changed();
        EXPECT_EQ(box.x1 - box.x0, 32) << x;
        EXPECT_EQ(box.y1 - box.y0, 32) << x;
        EXPECT_EQ(box.count, 32 * 32) << x;
        // The first column is the first pixel whose centre is at or past the left edge.
        EXPECT_EQ(box.x0, int(std::ceil(x - 16 - 0.5f))) << x;
    }
}

TEST_F(Coverage, NeighbouringScaledAndRotatedTilesShareEdgesWithoutGapsOrDoubles) {
    // Two tiles side by side along the turned x axis, additively: a pixel
    // covered twice would come out brighter, a gap would stay black.
    ImageRef dim = Solid(32, 32, 0xFF404040u);
    SetBlend(BLEND_LIGHT);
    SetDrawTransform(30.0f, 1.5f, 1.5f);
    const float step = 32 * 1.5f;
    const float c = std::cos(30.0f * 3.14159265f / 180.0f),
                s = std::sin(30.0f * 3.14159265f / 180.0f);
    DrawImageFrame(dim, 300.3f, 200.7f, 0);
    DrawImageFrame(dim, 300.3f + step * c, 200.7f + step * s, 0);
    int doubled = 0, single = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            doubled += At(x, y) == 0xFF808080u;
            single += At(x, y) == 0xFF404040u;
        }
    EXPECT_EQ(doubled, 0);
    // Each tile covers about its area (48 x 48 = 2304) in pixels.
    EXPECT_NEAR(single, 2 * 2304, 40);
}

TEST_F(Coverage, ScaleTwoDoublesEveryTexel) {
    ImageRef checker = NewImage(2, 2, 1, 0);
    checker->pixmaps[0] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    SetDrawScale(2, 2);
    DrawImageFrame(checker, 10, 20, 0);
    EXPECT_EQ(At(10, 20), 0xFFFF0000u);
    EXPECT_EQ(At(11, 21), 0xFFFF0000u);
    EXPECT_EQ(At(12, 20), 0xFF00FF00u);
    EXPECT_EQ(At(13, 21), 0xFF00FF00u);
    EXPECT_EQ(At(10, 22), 0xFF0000FFu);
    EXPECT_EQ(At(13, 23), 0xFFFFFFFFu);
    EXPECT_EQ(Changed().count, 16);
}

TEST_F(Coverage, NegativeScaleMirrorsAboutTheHandle) {
    ImageRef row = NewImage(2, 1, 1, 0);
    row->pixmaps[0] = {0xFFFF0000u, 0xFF0000FFu};
    SetDrawScale(-1, 1);
    DrawImageFrame(row, 50, 50, 0);  // handle (0, 0): the frame runs leftwards from x = 50
    EXPECT_EQ(At(49, 50), 0xFFFF0000u);
    EXPECT_EQ(At(48, 50), 0xFF0000FFu);
    EXPECT_EQ(Changed().count, 2);
}

TEST_F(Coverage, ViewportAndScreenEdgesClip) {
    SetViewport(90, 95, 20, 10);
    DrawImageFrame(sprite, 100, 100, 0);
    Box box = Changed();
    EXPECT_EQ(box.x0, 90);
    EXPECT_EQ(box.x1, 110);
    EXPECT_EQ(box.y0, 95);
    EXPECT_EQ(box.y1, 105);
    SetViewport(0, 0, 640, 480);
    Cls();
    SetDrawRotation(45);
    DrawImageFrame(sprite, 635, 2, 0);
    DrawImageFrame(sprite, -3, 478, 0);
    box = Changed();
    EXPECT_GT(box.count, 0);
    EXPECT_LE(box.x1, 640);
    EXPECT_LE(box.y1, 480);
}

TEST_F(Coverage, AbsurdTransformsDrawNothingOrStayOnScreen) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float scale : {0.0f, 1e-30f, 1e30f, -1e30f, nan, inf}) {
        for (float degrees : {0.0f, 33.0f, nan}) {
            SetDrawTransform(degrees, scale, scale);
            DrawImageFrame(sprite, 100, 100, 0);
            DrawImageFrame(sprite, nan, 1e30f, 0);
            DrawLine(0, 0, 5, 5);
        }
    }
    SetDrawTransform(0, 1, 1);
    Cls();
    SetDrawScale(1e30f, 1e30f);  // fills the screen, or nothing: never outside it
    DrawImageFrame(sprite, 320, 240, 0);
    SUCCEED();
}

TEST_F(Coverage, MissingImagesAndFramesDrawNothing) {
    DrawImageFrame(nullptr, 10, 10, 0);
    DrawImageFrame(sprite, 10, 10, 1);
    DrawImageFrame(sprite, 10, 10, -1);
    EXPECT_EQ(Changed().count, 0);
}

}  // namespace
