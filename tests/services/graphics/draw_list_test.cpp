// draw_list_test.cpp -- the frame as a list: the same pixels as drawing each
// draw at once, with and without bands and skipping; exactly the hidden draws
// skipped; grabs, image changes and long lists.
#include "services/graphics/draw_list.hpp"

#include <random>

#include "font_support.hpp"
#include "raster_support.hpp"
#include "services/graphics/band_pool.hpp"
#include "services/graphics/raster_cache.hpp"

namespace {

using draw_list::TOptions;

class DrawListTest : public RasterTest {
   protected:
    void TearDown() override {
        draw_list::SetOptions(TOptions{});
        SetCurrentFont(nullptr);
        RasterTest::TearDown();
    }
    static std::vector<std::uint32_t> Screen() {
        return std::vector<std::uint32_t>(BackBuffer(), BackBuffer() + 640 * 480);
    }
    // The frame `draw` makes under the options, from a black screen.
    static std::vector<std::uint32_t> Drawn(const TOptions& options,
                                            const std::function<void()>& draw) {
        draw_list::SetOptions(options);
        ResetDrawState();
        FillScreen(0xFF000000u);
        draw();
        return Screen();
    }
    static long long Skipped() { return draw_list::Counts().skipped; }
};

// A frame of random texels, some clear, some half clear; or fully opaque.
ImageRef RandomImage(std::mt19937& rng, int w, int h, int flags, bool opaque) {
    ImageRef image = NewImage(w, h, 2, flags);
    for (auto& pixmap : image->pixmaps) {
        for (std::uint32_t& p : pixmap) {
            p = rng();
            if (opaque)
                p |= 0xFF000000u;
            else if (rng() % 4 == 0)
                p &= 0x00FFFFFFu;
            else if (rng() % 3 == 0)
                p |= 0xFF000000u;
        }
    }
    CentreHandle(image);
    return image;
}

// A game-like frame: a clear, then random draws of every kind, blend, tint,
// alpha, rotation, scale and viewport, many of them hidden by opaque tiles
// drawn over them, texts and lines.
void RandomScene(unsigned seed, const std::vector<ImageRef>& images, const FontRef& font) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    auto real = [&](float a, float b) { return std::uniform_real_distribution<float>(a, b)(rng); };
    Cls();
    SetCurrentFont(font);
    for (int i = 0; i < 400; ++i) {
        SetColor(pick(3) ? 255 : pick(256), pick(256), pick(2) ? 255 : pick(256));
        SetBlend(1 + pick(5));
        const float alphas[] = {1.0f, 1.0f, 0.999f, 0.5f, 0.02f, 0.0f};
        SetAlpha(alphas[pick(6)]);
        const float rotations[] = {0, 0, 0, 90, 30.5f};
        const float scales[] = {1, 1, 1, 0.4f, 2.5f};
        const float sc = scales[pick(5)];
        SetDrawTransform(rotations[pick(5)], sc, pick(4) ? sc : 1.3f);
        if (pick(10) == 0)
            SetViewport(pick(300), pick(200), 100 + pick(400), 100 + pick(300));
        else
            SetViewport(0, 0, 640, 480);
        const float x = pick(2) ? float(pick(700) - 30) : real(-30, 670);
        const float y = pick(2) ? float(pick(540) - 30) : real(-30, 510);
        const int kind = pick(20);
        if (kind == 0) {
            DrawString("Score: 1234", x, y);
        } else if (kind == 1) {
            DrawLine(x, y, real(0, 640), real(0, 480), pick(2) != 0);
        } else if (kind < 8) {
            // Ground: plain copies in mask or alpha at full alpha hide what is
            // under their opaque texels (a tile with clear ones hides less).
            SetBlend(pick(2) ? BLEND_MASK : BLEND_ALPHA);
            SetAlpha(1);
            SetDrawTransform(0, 1, 1);
            DrawImageFrame(images[std::size_t(pick(3) / 2)], float(pick(21) * 32 - 16),
                           float(pick(16) * 32 - 16), 0);
        } else {
            DrawImageFrame(images[std::size_t(pick(int(images.size())))], x, y, pick(2));
        }
    }
}

TEST_F(DrawListTest, EveryWayOfDrawingTheListGivesTheSamePixels) {
    std::mt19937 rng(21);
    std::vector<ImageRef> images = {
        RandomImage(rng, 32, 32, 0, true),
        RandomImage(rng, 32, 32, 0, false),
        RandomImage(rng, 15, 11, IMAGE_FILTERED, false),
        RandomImage(rng, 40, 24, IMAGE_FILTERED | IMAGE_MIPMAPPED, false),
        RandomImage(rng, 64, 64, IMAGE_MASKED, true),
        RandomImage(rng, 7, 9, 0, false),
    };
    const FontRef font = TImageFont::Load(GameFontPath(), 22, 4);
    ASSERT_TRUE(font);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const auto scene = [&] { RandomScene(seed, images, font); };
        const std::vector<std::uint32_t> immediate = Drawn({false, false, 1}, scene);
        for (const TOptions& options :
             {TOptions{true, false, 1}, TOptions{true, true, 1}, TOptions{true, false, 2},
              TOptions{true, true, 2}, TOptions{true, true, 3}, TOptions{false, true, 2}}) {
            const long long skipped = Skipped();
            const std::vector<std::uint32_t> got = Drawn(options, scene);
            int wrong = 0;
            for (std::size_t i = 0; i < got.size(); ++i) wrong += got[i] != immediate[i];
            EXPECT_EQ(wrong, 0) << "seed " << seed << " deferred " << options.deferred
                                << " skipping " << options.skipping << " threads "
                                << options.threads;
            if (options.skipping && options.deferred) {
                EXPECT_GT(Skipped(), skipped) << "the ground hides some of the draws";
            }
        }
    }
}

// A light draw under a 32x32 opaque tile drawn later at (100, 100) - (131, 131).
struct Occlusion {
    ImageRef tile, star, open_tile;
    Occlusion() {
        tile = NewImage(32, 32, 1, 0);
        std::fill(tile->pixmaps[0].begin(), tile->pixmaps[0].end(), 0xFF336699u);
        // The same with its last column clear: it hides columns 100 to 130 only.
        open_tile = NewImage(32, 32, 1, 0);
        std::fill(open_tile->pixmaps[0].begin(), open_tile->pixmaps[0].end(), 0xFF336699u);
        for (int y = 0; y < 32; ++y) open_tile->pixmaps[0][std::size_t(y) * 32 + 31] = 0;
        star = NewImage(8, 8, 1, 0);
        std::fill(star->pixmaps[0].begin(), star->pixmaps[0].end(), 0x80FFFFFFu);
    }
    void Star(float x, float y) const {
        SetBlend(BLEND_LIGHT);
        SetAlpha(1);
        SetDrawTransform(0, 1, 1);
        DrawImageFrame(star, x, y, 0);
    }
    void Tile(int blend, float alpha, float rotation, bool open = false) const {
        SetBlend(blend);
        SetAlpha(alpha);
        SetDrawTransform(rotation, 1, 1);
        DrawImageFrame(open ? open_tile : tile, 100, 100, 0);
    }
};

TEST_F(DrawListTest, OnlyDrawsHiddenEntirelyByOpaqueOnesAreSkipped) {
    const Occlusion o;
    struct Case {
        const char* name;
        float star_x;
        int blend;
        float alpha, rotation;
        bool skipped;
        bool open = false;  // the tile with its last column clear
    };
    const Case cases[] = {
        {"covered exactly", 124, BLEND_MASK, 1.0f, 0, true},
        {"covered in solid", 124, BLEND_SOLID, 1.0f, 0, true},
        {"covered in alpha", 124, BLEND_ALPHA, 1.0f, 0, true},
        {"covered but for one pixel", 125, BLEND_MASK, 1.0f, 0, false},
        {"covered at alpha 0.999", 124, BLEND_MASK, 0.999f, 0, false},
        {"covered at alpha 0.999 in alpha", 124, BLEND_ALPHA, 0.999f, 0, false},
        {"covered by a light draw", 124, BLEND_LIGHT, 1.0f, 0, false},
        {"covered by a rotated draw", 110, BLEND_MASK, 1.0f, 45, false},
        {"covered by a tile's opaque columns", 123, BLEND_ALPHA, 1.0f, 0, true, true},
        {"covered but for the tile's clear column", 124, BLEND_ALPHA, 1.0f, 0, false, true},
        {"covered but for the column left of the tile", 99, BLEND_MASK, 1.0f, 0, false, true},
    };
    for (const Case& c : cases) {
        const auto draw = [&] {
            o.Star(c.star_x, 100);  // the star covers columns star_x to star_x + 7
            o.Tile(c.blend, c.alpha, c.rotation, c.open);
        };
        const std::vector<std::uint32_t> immediate = Drawn({false, false, 1}, draw);
        const long long before = Skipped();
        const std::vector<std::uint32_t> got = Drawn({true, true, 2}, draw);
        EXPECT_EQ(Skipped() - before, c.skipped ? 1 : 0) << c.name;
        EXPECT_TRUE(got == immediate) << c.name;
    }
}

TEST_F(DrawListTest, AClearHidesEverythingBeforeItAndOnlyWhatIsUncoveredIsCleared) {
    const Occlusion o;
    const auto draw = [&] {
        SetClsColor(10, 20, 30);
        o.Star(300, 300);
        Cls();
        o.Star(300, 300);  // hidden by the tile: not drawn
        SetDrawTransform(0, 1, 1);
        o.Tile(BLEND_MASK, 1, 0);
        o.Star(120, 120);  // over the tile
    };
    const std::vector<std::uint32_t> immediate = Drawn({false, false, 1}, draw);
    const long long before = Skipped();
    EXPECT_TRUE(Drawn({true, true, 2}, draw) == immediate);
    EXPECT_EQ(Skipped() - before, 1);  // the star before the clear
    EXPECT_EQ(At(0, 0), 0xFF0A141Eu);
}

TEST_F(DrawListTest, AGrabBetweenDrawsSeesTheDrawsBeforeIt) {
    const Occlusion o;
    ImageRef grabbed = NewImage(32, 32, 1, 0);
    o.Tile(BLEND_SOLID, 1, 0);
    GrabImageFrame(grabbed, 100, 100, 0);
    Cls();  // hides the tile, after the grab took it
    SetDrawTransform(0, 1, 1);
    SetBlend(BLEND_SOLID);
    DrawImageFrame(grabbed, 300, 300, 0);
    EXPECT_EQ(grabbed->pixmaps[0][0], 0xFF336699u);
    EXPECT_EQ(At(300, 300), 0xFF336699u);
    EXPECT_EQ(At(100, 100), 0xFF000000u);
}

TEST_F(DrawListTest, AnImageChangedOrDroppedAfterItsDrawIsDrawnAsItWas) {
    ImageRef image = NewImage(4, 4, 1, 0);
    std::vector<std::uint32_t> red(16, 0xFFFF0000u), blue(16, 0xFF0000FFu);
    SetImageFramePixels(image, 0, red.data(), true);
    SetBlend(BLEND_SOLID);
    DrawImageFrame(image, 10, 10, 0);
    SetImageFramePixels(image, 0, blue.data(), true);
    DrawImageFrame(image, 20, 10, 0);
    ImageRef dropped = NewImage(4, 4, 1, 0);
    SetImageFramePixels(dropped, 0, red.data(), true);
    DrawImageFrame(dropped, 30, 10, 0);
    SetImageHandle(dropped, 100, 100);  // the handle in force when drawn counts
    dropped.reset();
    EXPECT_EQ(At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(At(20, 10), 0xFF0000FFu);
    EXPECT_EQ(At(30, 10), 0xFFFF0000u);
}

TEST_F(DrawListTest, ALongListIsRasterisedBeforeItGrowsPastItsLimit) {
    const Occlusion o;
    const long long flushes = draw_list::Counts().flushes;
    for (int i = 0; i < draw_list::kMaxPending * 3; ++i) o.Star(float(i % 600), 50);
    EXPECT_GE(draw_list::Counts().flushes - flushes, 3);
    EXPECT_TRUE(draw_list::Pending());
    EXPECT_NE(At(10, 50), 0xFF000000u);
    EXPECT_FALSE(draw_list::Pending());
}

TEST_F(DrawListTest, ThreadsThatAreNotThereLeaveTheBandsToTheCaller) {
    band_pool::SetThreads(1);
    EXPECT_EQ(band_pool::Threads(), 1);
    std::vector<int> ran(10, 0);
    band_pool::Run(10, [&](int band) { ++ran[std::size_t(band)]; });
    EXPECT_EQ(ran, std::vector<int>(10, 1));
    band_pool::SetThreads(3);
    EXPECT_GE(band_pool::Threads(), 1);
    EXPECT_LE(band_pool::Threads(), 3);
    std::vector<int> again(100, 0);
    band_pool::Run(100, [&](int band) { ++again[std::size_t(band)]; });
    EXPECT_EQ(again, std::vector<int>(100, 1));
    band_pool::SetThreads(0);
}

}  // namespace
