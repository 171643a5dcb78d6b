// The sprite sheet: its size, the cell grid, and the pictures the game relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "services/graphics/embedded.hpp"
#include "services/graphics/png.hpp"
#include "tests/assets/sheet_support.hpp"

namespace {

using sheet::kCell;

class SheetTest : public ::testing::Test {
   protected:
    static void SetUpTestSuite() { s = std::make_unique<sheet::Sheet>(); }
    static void TearDownTestSuite() { s.reset(); }
    static std::unique_ptr<sheet::Sheet> s;
};
std::unique_ptr<sheet::Sheet> SheetTest::s;

TEST_F(SheetTest, IsAnOpaqueRgbPictureLargeEnoughForTheCellsAndBars) {
    ASSERT_NE(s->image, nullptr);
    EXPECT_GE(s->image->width, 640);
    EXPECT_GE(s->image->height, 437);
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(FindEmbedded("incbin::graphx\\bodger2010_sf1.png", &bytes, &size));
    TPngPicture picture;
    ASSERT_TRUE(DecodePng(bytes, size, picture));
    EXPECT_FALSE(picture.has_alpha) << "the game masks black; an alpha channel would bypass that";
}

TEST_F(SheetTest, GuttersBetweenCellsArePureBlack) {
    ASSERT_NE(s->image, nullptr);
    for (int y = 0; y < 166; ++y) {
        for (int x = 0; x < 628; ++x) {
            if (x % 33 == 0 || y % 33 == 0) {
                ASSERT_FALSE(s->Solid(x, y)) << "gutter pixel (" << x << ", " << y << ")";
            }
        }
    }
    // Nothing stands to the right of the last column of cells or below the fifth row.
    for (int y = 0; y < 166; ++y)
        for (int x = 628; x < 640; ++x) ASSERT_FALSE(s->Solid(x, y)) << x << ", " << y;
    for (int x = 463 + 32; x < 640; ++x)
        for (int y = 133; y < 166; ++y) ASSERT_FALSE(s->Solid(x, y)) << x << ", " << y;
}

TEST_F(SheetTest, DrawnFramesHaveSolidPixelsAndTheOthersAreEmpty) {
    ASSERT_NE(s->image, nullptr);
    for (int f = 0; f < sheet::kFrames; ++f) {
        if (sheet::DrawnFrames().count(f)) {
            EXPECT_GE(s->SolidCount(f), 12) << "frame " << f << " is (nearly) empty";
        } else {
            EXPECT_EQ(s->SolidCount(f), 0) << "frame " << f << " is never drawn";
        }
    }
}

TEST_F(SheetTest, GroundAndGlassPlateCoverTheWholeCell) {
    // The ground is drawn with alpha over the star field: a black pixel there
    // would be a hole in the floor, and an all-black pit would vanish.
    ASSERT_NE(s->image, nullptr);
    for (int f : {0, 2, 5, 20}) EXPECT_EQ(s->SolidCount(f), kCell * kCell) << "frame " << f;
}

TEST_F(SheetTest, TintedFramesAreLightEnoughToShowTheRealmColour) {
    // Floor, brick and traps are multiplied by a tint of 40..149: keep them light.
    ASSERT_NE(s->image, nullptr);
    for (int f : {2, 4, 18, 19}) {
        long sum = 0;
        int n = 0;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                const std::uint32_t c = s->Cell(f, x, y);
                if (!c) continue;
                sum += (c >> 16) + ((c >> 8) & 255) + (c & 255);
                n += 3;
            }
        }
        ASSERT_GT(n, 0);
        EXPECT_GT(sum / n, 150) << "frame " << f << " is too dark to tint";
    }
}

TEST_F(SheetTest, TheFigureStandsOnTheBottomRowOfItsFrames) {
    ASSERT_NE(s->image, nullptr);
    for (int f = 62; f <= 73; ++f) {
        int lowest = -1, highest = kCell;
        for (int y = 0; y < kCell; ++y) {
            if (s->RowWidth(f, y)) {
                lowest = y;
                highest = std::min(highest, y);
            }
        }
        EXPECT_GE(lowest, 29) << "frame " << f << ": feet well above the cell centre";
        EXPECT_LE(highest, 4) << "frame " << f << ": head does not reach into the cell above";
    }
}

TEST_F(SheetTest, TheShotsSolidRowsCrossTheStandingFigureWhereItIsWide) {
    // The side-shot death waits for the shot's pixels to meet frame 62's,
    // moving 6 pixels a frame: a thin row could let it slip through.
    ASSERT_NE(s->image, nullptr);
    for (int f : {37, 38}) {
        int rows = 0;
        for (int y = 0; y < kCell; ++y) {
            if (!s->RowWidth(f, y)) continue;
            ++rows;
            EXPECT_GE(s->RowWidth(62, y), 8) << "shot " << f << " row " << y;
        }
        EXPECT_GT(rows, 0);
    }
}

// Pixel overlap of two frames placed dx apart on the same row (dx: second minus first).
bool FramesMeet(const sheet::Sheet& s, int f1, int f2, int dx) {
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const int x2 = x - dx;
            if (x2 >= 0 && x2 < kCell && s.CellSolid(f1, x, y) && s.CellSolid(f2, x2, y))
                return true;
        }
    return false;
}

TEST_F(SheetTest, TheShotMeetsTheFigureBeforeItsCentrePassesHim) {
    ASSERT_NE(s->image, nullptr);
    // From the left (frame 38, moving right) and from the right (frame 37, moving left).
    struct Case {
        int frame, start, step;
    } cases[] = {{38, -320, 6}, {37, 320, -6}};
    for (const Case& c : cases) {
        bool met = false;
        for (int dx = c.start; c.step > 0 ? dx <= 0 : dx >= 0; dx += c.step) {
            if (FramesMeet(*s, 62, c.frame, dx)) {
                met = true;
                break;
            }
        }
        EXPECT_TRUE(met) << "shot frame " << c.frame << " flies through the figure";
    }
}

TEST_F(SheetTest, TheFivePiecesExactlyMakeUpTheCompleteRemote) {
    ASSERT_NE(s->image, nullptr);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            int owners = 0;
            for (int f = 46; f <= 50; ++f) {
                if (!s->CellSolid(f, x, y)) continue;
                ++owners;
                EXPECT_EQ(s->Cell(f, x, y), s->Cell(42, x, y))
                    << "piece " << f << " at " << x << ", " << y;
            }
            EXPECT_EQ(owners, s->CellSolid(42, x, y) ? 1 : 0) << "pixel " << x << ", " << y;
        }
    }
}

TEST_F(SheetTest, CompleteRemoteFramesDifferOnlyInTheirLights) {
    ASSERT_NE(s->image, nullptr);
    for (int f = 43; f <= 45; ++f) {
        int changed = 0;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                ASSERT_EQ(s->CellSolid(f, x, y), s->CellSolid(42, x, y))
                    << f << ": " << x << "," << y;
                changed += s->Cell(f, x, y) != s->Cell(42, x, y);
            }
        }
        EXPECT_GT(changed, 0) << "frame " << f << " does not blink";
        EXPECT_LE(changed, 8) << "frame " << f << " changes more than its lights";
    }
}

TEST_F(SheetTest, TheOutlineSurroundsTheRemoteSoAMissingPieceStillShowsIt) {
    ASSERT_NE(s->image, nullptr);
    int outside = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            outside += s->CellSolid(41, x, y) && !s->CellSolid(42, x, y);
    EXPECT_GT(outside, 40);
}

TEST_F(SheetTest, TitleAndBarsHaveContentInTheirBlocks) {
    ASSERT_NE(s->image, nullptr);
    struct Block {
        int x, y, w, h, min_percent;
    } blocks[] = {{0, 201, 352, 128, 15}, {0, 336, 640, 32, 90}, {0, 382, 640, 55, 90}};
    for (const Block& b : blocks) {
        int n = 0;
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x) n += s->Solid(x, y);
        EXPECT_GE(n * 100, b.min_percent * b.w * b.h) << "block at y " << b.y;
    }
}

}  // namespace
