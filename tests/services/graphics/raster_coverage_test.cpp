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

TEST_F(Coverage, CentredTileCovers84To115UnrotatedTurnedAndAtFractions) {
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
    SetDrawRotation(0);
    for (float x : {100.25f, 100.5f, 100.75f}) {
        Cls();
        DrawImageFrame(sprite, x, 100.5f, 0);
        const Box box = Changed();
        EXPECT_EQ(box.count, 32 * 32) << x;
        // The first column is the first whose centre is at or right of the left edge.
        EXPECT_EQ(box.x0, int(std::ceil(x - 16 - 0.5f))) << x;
        EXPECT_EQ(box.y0, 84) << x;  // a centre on the top edge is inside
    }
}

TEST_F(Coverage, ViewportAndScreenEdgesClip) {
    SetViewport(90, 95, 20, 10);
    DrawImageFrame(sprite, 100, 100, 0);
    Box box = Changed();
    EXPECT_EQ(box.x0, 90);
    EXPECT_EQ(box.x1, 110);
    EXPECT_EQ(box.y0, 95);
    EXPECT_EQ(box.y1, 105);
    SetViewport(-10, -10, 2000, 2000);
    Cls();
    SetDrawRotation(45);
    DrawImageFrame(sprite, 635, 2, 0);
    DrawImageFrame(sprite, -3, 478, 0);
    box = Changed();
    EXPECT_GT(box.count, 0);
    EXPECT_LE(box.x1, 640);
    EXPECT_LE(box.y1, 480);
}

TEST_F(Coverage, AbsurdTransformsAndMissingFramesDrawNothingOrStayOnScreen) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float scale : {0.0f, 1e-30f, 1e30f, -1e30f, nan, inf}) {
        for (float degrees : {0.0f, 33.0f, nan}) {
            SetDrawTransform(degrees, scale, scale);
            Cls();
            DrawImageFrame(sprite, 100, 100, 0);
            // Vanished, or grown past every edge: never a stray part of the screen.
            const int covered = Changed().count;
            EXPECT_TRUE(covered == 0 || covered == 640 * 480) << scale << " " << degrees;
            Cls();
            DrawImageFrame(sprite, nan, 1e30f, 0);
            EXPECT_EQ(Changed().count, 0) << "nowhere, at " << scale << " " << degrees;
            DrawLine(0, 0, 5, 5);
            EXPECT_LE(Changed().count, 6) << "a line's own pixels at most";
        }
    }
    SetDrawTransform(0, 1, 1);
    Cls();
    DrawImageFrame(nullptr, 10, 10, 0);
    DrawImageFrame(sprite, 10, 10, 1);
    DrawImageFrame(sprite, 10, 10, -1);
    EXPECT_EQ(Changed().count, 0);
}

}  // namespace
