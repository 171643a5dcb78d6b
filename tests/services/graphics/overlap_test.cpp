// Pixel-accurate overlap of two frames placed as drawing places them.
#include "services/graphics/overlap.hpp"

#include "raster_support.hpp"

namespace {

using Overlap = RasterTest;

TEST_F(Overlap, TouchingBoxesOverlapOnlyWhereSolidPixelsMeet) {
    ImageRef square = Solid(4, 4, 0xFFFFFFFFu);
    EXPECT_FALSE(ImagesOverlap(square, 0, 0, 0, square, 4, 0, 0));  // edges touch
    EXPECT_FALSE(ImagesOverlap(square, 0, 0, 0, square, 4, 4, 0));  // corners touch
    EXPECT_TRUE(ImagesOverlap(square, 0, 0, 0, square, 3, 0, 0));
    EXPECT_TRUE(ImagesOverlap(square, 0, 0, 0, square, 3.5f, 3.5f, 0));
    EXPECT_FALSE(ImagesOverlap(square, 0, 0, 0, square, 3.6f, 0, 0));  // shares no pixel centre
    EXPECT_FALSE(ImagesOverlap(square, 0, 0, 0, square, 40, 0, 0));
}

TEST_F(Overlap, TransparentPartsOfOverlappingBoxesDoNotCount) {
    // Solid only in the left column / the right column.
    ImageRef left = Solid(4, 4, 0);
    ImageRef right = Solid(4, 4, 0);
    for (int y = 0; y < 4; ++y) {
        left->pixmaps[0][y * 4] = 0xFF000000u | 0x808080u;
        right->pixmaps[0][y * 4 + 3] = 0x80FFFFFFu;  // alpha 128: solid
    }
    EXPECT_FALSE(ImagesOverlap(left, 10, 10, 0, right, 9, 10, 0));
    EXPECT_TRUE(ImagesOverlap(left, 10, 10, 0, right, 7, 10, 0));
    // Only the top row of `right` meets the bottom row of `left`.
    EXPECT_TRUE(ImagesOverlap(left, 10, 10, 0, right, 7, 13, 0));
    right->pixmaps[0][3] = 0x7FFFFFFFu;  // alpha 127 is not solid
    EXPECT_FALSE(ImagesOverlap(left, 10, 10, 0, right, 7, 13, 0));
    EXPECT_TRUE(ImagesOverlap(left, 10, 10, 0, right, 7, 12, 0));
}

TEST_F(Overlap, FollowsTheCurrentRotationAndHandles) {
    ImageRef bar = Solid(8, 1, 0xFFFFFFFFu);
    SetDrawRotation(90);  // both bars stand upright: column x - 1, rows y .. y + 7
    EXPECT_FALSE(ImagesOverlap(bar, 10, 10, 0, bar, 10, 18, 0));
    EXPECT_TRUE(ImagesOverlap(bar, 10, 10, 0, bar, 10, 17, 0));
    EXPECT_FALSE(ImagesOverlap(bar, 10, 10, 0, bar, 11, 10, 0));
    SetDrawRotation(0);
    EXPECT_FALSE(ImagesOverlap(bar, 10, 10, 0, bar, 10, 11, 0));
    SetDrawScale(1, 2);
    EXPECT_TRUE(ImagesOverlap(bar, 10, 10, 0, bar, 10, 11, 0));
    SetDrawScale(1, 1);
    ImageRef centred = Solid(8, 1, 0xFFFFFFFFu);
    CentreHandle(centred);
    EXPECT_TRUE(ImagesOverlap(bar, 0, 0, 0, centred, 11, 0.5f, 0));
    EXPECT_FALSE(ImagesOverlap(bar, 0, 0, 0, centred, 12, 0.5f, 0));
}

TEST_F(Overlap, GrabbedBlackBlockNeverOverlaps) {
    ImageRef block = NewImage(32, 32, 1, IMAGE_MASKED);
    GrabImageFrame(block, 0, 0, 0);
    ImageRef square = Solid(32, 32, 0xFFFFFFFFu);
    EXPECT_FALSE(ImagesOverlap(block, 100, 100, 0, square, 100, 100, 0));
    EXPECT_FALSE(ImagesOverlap(block, 100, 100, 0, block, 100, 100, 0));
}

TEST_F(Overlap, NoImagesOrFramesOrAbsurdScalesNeverOverlap) {
    ImageRef square = Solid(4, 4, 0xFFFFFFFFu);
    EXPECT_FALSE(ImagesOverlap(nullptr, 0, 0, 0, square, 0, 0, 0));
    EXPECT_FALSE(ImagesOverlap(square, 0, 0, 1, square, 0, 0, 0));
    SetDrawScale(0, 0);
    EXPECT_FALSE(ImagesOverlap(square, 0, 0, 0, square, 0, 0, 0));
    SetDrawScale(1e30f, 1e30f);  // bounded, and quick
    EXPECT_TRUE(ImagesOverlap(square, 0, 0, 0, square, 1, 1, 0));
}

}  // namespace
