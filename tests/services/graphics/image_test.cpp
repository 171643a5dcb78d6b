// Images: defaults and handles, masking with the neighbourhood average, grabbing
// from the back buffer, and frames that change after they were drawn.
#include "raster_support.hpp"

namespace {

using Images = RasterTest;

TEST_F(Images, NewImageTakesTheDefaultsAndAlwaysDynamic) {
    ImageRef a = NewImage(4, 2, 3);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->flags, IMAGE_MASKED | IMAGE_FILTERED | IMAGE_DYNAMIC);
    EXPECT_EQ(a->Frames(), 3);
    EXPECT_EQ(a->pixmaps[2].size(), 8u);
    EXPECT_EQ(a->handle_x, 0);

    SetDefaultImageFlags(IMAGE_MASKED | IMAGE_DYNAMIC);
    SetDefaultImageFlags(-1);
    EXPECT_EQ(DefaultImageFlags(), IMAGE_MASKED | IMAGE_DYNAMIC);
    EXPECT_EQ(NewImage(1, 1, 1, 0)->flags, IMAGE_DYNAMIC);

    SetAutoCentreHandle(true);
    ImageRef b = NewImage(33, 10, 1);
    SetAutoCentreHandle(false);
    EXPECT_EQ(b->handle_x, 16.5f);
    EXPECT_EQ(b->handle_y, 5.0f);
    EXPECT_EQ(NewImage(2, 2, 1)->handle_x, 0);

    EXPECT_FALSE(NewImage(0, 5, 1) || NewImage(5, -1, 1) || NewImage(1 << 20, 1 << 20, 1));
}

TEST_F(Images, MaskedPixelsTakeTheMeanOfUnmaskedNeighbours) {
    ImageRef image = NewImage(3, 2, 1, IMAGE_MASKED);
    const std::uint32_t a = 0x1E3C5Au, b = 0x0A141Fu;  // (30, 60, 90) and (10, 20, 31)
    const std::uint32_t px[6] = {0, a, 0, b, 0, 0};
    SetImageFramePixels(image, 0, px, false);
    const std::vector<std::uint32_t>& out = image->pixmaps[0];
    const std::uint32_t mean = 0x0014283Cu;  // (20, 40, 60): 121 / 2 truncates
    EXPECT_EQ(out[0], mean);
    EXPECT_EQ(out[1], 0xFF000000u | a);
    EXPECT_EQ(out[2], a);  // only a is unmasked beside it; alpha 0
    EXPECT_EQ(out[3], 0xFF000000u | b);
    EXPECT_EQ(out[4], mean);
    EXPECT_EQ(out[5], a);
}

TEST_F(Images, MaskColourIsCapturedAtCreationAndAlphaBuffersAreKept) {
    SetImageMaskColor(255, 0, 255);
    ImageRef magenta = NewImage(2, 1, 1, IMAGE_MASKED);
    SetImageMaskColor(0, 0, 0);
    const std::uint32_t px[2] = {0xFF00FFu, 0x40000000u};
    SetImageFramePixels(magenta, 0, px, false);
    EXPECT_EQ(magenta->pixmaps[0], (std::vector<std::uint32_t>{0x00000000u, 0xFF000000u}));
    SetImageFramePixels(magenta, 0, px, true);
    EXPECT_EQ(magenta->pixmaps[0], (std::vector<std::uint32_t>{0x00FF00FFu, 0x40000000u}));
    ImageRef plain = NewImage(2, 1, 1, 0);
    SetImageFramePixels(plain, 0, px, false);
    EXPECT_EQ(plain->pixmaps[0], (std::vector<std::uint32_t>{0xFFFF00FFu, 0xFF000000u}));
}

TEST_F(Images, GrabCopiesTheBackBufferAndReadsBlackOutside) {
    Put(0, 0, 0xFF112233u);
    Put(1, 0, 0xFF445566u);
    ImageRef grab = NewImage(3, 2, 1, 0);
    GrabImageFrame(grab, -1, -1, 0);
    const std::vector<std::uint32_t> expected = {0xFF000000u, 0xFF000000u, 0xFF000000u,
                                                 0xFF000000u, 0xFF112233u, 0xFF445566u};
    EXPECT_EQ(grab->pixmaps[0], expected);

    ImageRef corner = NewImage(2, 2, 1, IMAGE_MASKED);
    GrabImageFrame(corner, 639, 479, 0);
    for (std::uint32_t p : corner->pixmaps[0]) EXPECT_EQ(p, 0u);
    GrabImageFrame(corner, 0, 0, 5);  // no such frame: nothing happens
}

TEST_F(Images, GrabbedAllBlackMaskedBlockDrawsNothing) {
    ImageRef block = NewImage(16, 16, 1, IMAGE_MASKED);
    GrabImageFrame(block, 100, 100, 0);
    FillScreen(0xFF336699u);
    for (int mode : {BLEND_MASK, BLEND_ALPHA, BLEND_LIGHT}) {
        SetBlend(mode);
        SetDrawTransform(0, 1, 1);
        DrawImageFrame(block, 10, 10, 0);
        SetDrawTransform(20, 2.5f, 2.5f);
        DrawImageFrame(block, 200, 200, 0);
    }
    EXPECT_EQ(Changed(0xFF336699u).count, 0);
}

TEST_F(Images, RegrabbedFrameIsDrawnAnewAtEverySize) {
    ImageRef image = NewImage(8, 8, 1, IMAGE_FILTERED | IMAGE_MIPMAPPED);
    FillScreen(0xFFFF0000u);
    GrabImageFrame(image, 0, 0, 0);
    SetBlend(BLEND_SOLID);
    SetDrawScale(0.25f, 0.25f);
    DrawImageFrame(image, 300, 300, 0);  // builds the small levels
    EXPECT_EQ(At(300, 300), 0xFFFF0000u);
    FillScreen(0xFF0000FFu);
    GrabImageFrame(image, 0, 0, 0);
    DrawImageFrame(image, 300, 300, 0);
    EXPECT_EQ(At(300, 300), 0xFF0000FFu);
}

TEST_F(Images, HandleAndOriginPlaceTheFrame) {
    ImageRef image = Solid(4, 4, 0xFFFFFFFFu);
    SetImageHandle(image, 4, 0);
    SetOrigin(10, 20);
    DrawImageFrame(image, 50, 50, 0);
    EXPECT_EQ(Changed().x0, 56);
    EXPECT_EQ(Changed().y0, 70);
}

}  // namespace
