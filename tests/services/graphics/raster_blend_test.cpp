// Blend modes on known pixels, the mask alpha test, the clamps of the drawing
// state, bilinear sampling and lines.
#include "raster_support.hpp"

namespace {

class Blend : public RasterTest {
   protected:
    // Draws one texel at (5, 5) over a destination pixel and returns the result.
    std::uint32_t Over(std::uint32_t dst, std::uint32_t texel, int mode, int flags = 0) {
        Put(5, 5, dst);
        SetBlend(mode);
        DrawImageFrame(Solid(1, 1, texel, flags), 5, 5, 0);
        return At(5, 5);
    }
};

TEST_F(Blend, EachModeOnKnownPixels) {
    const std::uint32_t dst = 0xFF204060u;
    // Solid writes the texel opaque whatever its alpha.
    EXPECT_EQ(Over(dst, 0x10FF8000u, BLEND_SOLID), 0xFFFF8000u);
    // Alpha: src x a + dst x (1 - a), rounded; a = 0x80 = 128.
    EXPECT_EQ(Over(dst, 0x80FF8000u, BLEND_ALPHA),
              0xFF000000u | ((255 * 128 + 0x20 * 127 + 127) / 255) << 16 |
                  ((128 * 128 + 0x40 * 127 + 127) / 255) << 8 | ((0x60 * 127 + 127) / 255));
    EXPECT_EQ(Over(dst, 0x00FF8000u, BLEND_ALPHA), dst);
    EXPECT_EQ(Over(dst, 0xFFFF8000u, BLEND_ALPHA), 0xFFFF8000u);
    // Light adds src x a and saturates.
    EXPECT_EQ(Over(dst, 0xFFF01010u, BLEND_LIGHT), 0xFFFF5070u);
    EXPECT_EQ(Over(dst, 0x80F01010u, BLEND_LIGHT), 0xFF984868u);  // 0x20 + 120, 0x40 + 8, 0x60 + 8
    EXPECT_EQ(Over(dst, 0x00F01010u, BLEND_LIGHT), dst);
    // Shade multiplies, alpha plays no part.
    EXPECT_EQ(Over(0xFF80FF40u, 0x00808080u, BLEND_SHADE), 0xFF408020u);
    EXPECT_EQ(Over(dst, 0xFFFFFFFFu, BLEND_SHADE), dst);
}

TEST_F(Blend, MaskAlphaTestThresholds) {
    EXPECT_EQ(Over(0xFF000000u, 0x80123456u, BLEND_MASK), 0xFF123456u);  // 128 > half
    EXPECT_EQ(Over(0xFF000000u, 0x7F123456u, BLEND_MASK), 0xFF000000u);  // 127 is not
    SetAlpha(0.4f);                                                      // 255 x 0.4 = 102
    EXPECT_EQ(Over(0xFF000000u, 0xFF123456u, BLEND_MASK), 0xFF000000u);
    SetAlpha(0.51f);
    EXPECT_EQ(Over(0xFF000000u, 0xFF123456u, BLEND_MASK), 0xFF123456u);
    // The same test holds on the transformed and filtered paths.
    SetAlpha(1.0f);
    SetDrawRotation(10);
    EXPECT_EQ(Over(0xFF000000u, 0x7F123456u, BLEND_MASK, IMAGE_FILTERED), 0xFF000000u);
    EXPECT_EQ(Over(0xFF000000u, 0x80123456u, BLEND_MASK, IMAGE_FILTERED), 0xFF123456u);
}

TEST_F(Blend, ColourAndAlphaTintTheTexelAndAreClamped) {
    SetColor(300, -5, 128);
    int r = 0, g = 0, b = 0;
    GetColor(&r, &g, &b);
    EXPECT_EQ(r * 1000000 + g * 1000 + b, 255000128);
    EXPECT_EQ(Over(0xFF000000u, 0xFFFFFFFFu, BLEND_SOLID), 0xFFFF0080u);
    EXPECT_EQ(Over(0xFF000000u, 0xFF80FF40u, BLEND_SOLID), 0xFF800020u);
    SetColor(255, 255, 255);
    SetAlpha(0.5f);  // byte 127
    EXPECT_EQ(Over(0xFF000000u, 0xFFFE0000u, BLEND_LIGHT), 0xFF7F0000u);
    EXPECT_EQ(Over(0xFF000000u, 0xFFFF0000u, BLEND_ALPHA), 0xFF7F0000u);
    SetAlpha(1.5f);
    EXPECT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(Over(0xFF102030u, 0xFFC0C0C0u, BLEND_ALPHA), 0xFFC0C0C0u);
    SetAlpha(-2.0f);
    EXPECT_EQ(Over(0xFF102030u, 0xFFC0C0C0u, BLEND_LIGHT), 0xFF102030u);
}

TEST_F(Blend, MatrixFollowsRotationAndScale) {
    SetDrawTransform(90, 2, 3);
    const TDrawState& st = DrawState();
    EXPECT_EQ(st.tform_ix, 0);
    EXPECT_EQ(st.tform_iy, -3);
    EXPECT_EQ(st.tform_jx, 2);
    EXPECT_EQ(st.tform_jy, 0);
    SetDrawRotation(30);
    EXPECT_NEAR(st.tform_ix, 2 * 0.8660254, 1e-6);
    EXPECT_NEAR(st.tform_jx, 2 * 0.5, 1e-6);
}

TEST_F(Blend, FilteredImageAtScaleOneAndWholePositionIsItsPixels) {
    ImageRef image = NewImage(3, 2, 1, IMAGE_FILTERED | IMAGE_MIPMAPPED);
    image->pixmaps[0] = {0xFF102030u, 0xFFFFFFFFu, 0xFF000000u,
                         0xFF0000FFu, 0xFF808080u, 0xFFFF0000u};
    SetBlend(BLEND_SOLID);
    DrawImageFrame(image, 7, 9, 0);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(At(7 + i % 3, 9 + i / 3), image->pixmaps[0][i]);
    // Half a pixel off, neighbours mix evenly; the edge texel repeats instead of bleeding.
    DrawImageFrame(image, 7.5f, 9, 0);
    EXPECT_EQ(At(7, 9), 0xFF102030u);
    EXPECT_EQ(At(8, 9), 0xFF889098u);
}

TEST_F(Blend, MinifiedMipMappedImageAveragesItsTexels) {
    ImageRef stripes = NewImage(8, 8, 1, IMAGE_FILTERED | IMAGE_MIPMAPPED);
    for (int i = 0; i < 64; ++i) stripes->pixmaps[0][i] = (i % 2) ? 0xFFFFFFFFu : 0xFF000000u;
    SetBlend(BLEND_SOLID);
    SetDrawScale(0.25f, 0.25f);
    DrawImageFrame(stripes, 100, 100, 0);
    EXPECT_EQ(Changed().count, 4);  // 2 x 2 pixels
    EXPECT_EQ(At(100, 100), 0xFF808080u);
    EXPECT_EQ(At(101, 101), 0xFF808080u);
}

TEST_F(Blend, LinesEndOnPixelCentresWithTheLastPixelSwitch) {
    SetBlend(BLEND_SOLID);
    SetColor(2, 2, 2);
    DrawLine(0, 3, 640, 3);  // a scan line across the whole width
    EXPECT_EQ(Changed().count, 640);
    EXPECT_EQ(At(639, 3), 0xFF020202u);
    Cls();
    DrawLine(10, 10, 14, 12, false);
    EXPECT_EQ(Changed().count, 4);
    EXPECT_EQ(Changed().x1, 14);
    DrawLine(10, 10, 14, 12, true);
    EXPECT_EQ(Changed().count, 5);
    EXPECT_EQ(At(14, 12), 0xFF020202u);
    Cls();
    DrawLine(20, 30, 20, 20);  // upwards, steep
    EXPECT_EQ(Changed().count, 11);
    Cls();
    DrawLine(-1e6f, 5, 1e6f, 5);
    DrawLine(3, -1e6f, 3, 1e6f);
    EXPECT_EQ(Changed().count, 640 + 479);
}

}  // namespace
