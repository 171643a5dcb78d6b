// The fast paths against the plain rule: every pixel centre mapped back into
// the frame in doubles and blended one at a time.  Vectors, skipped clear
// texels, fixed-point stepping and the unscaled copy must all agree with it.
#include <cmath>
#include <random>

#include "raster_support.hpp"
#include "services/graphics/raster_blend.hpp"
#include "services/graphics/raster_cache.hpp"
#include "services/graphics/raster_runs.hpp"

namespace {

// 0 <= c <= size, where a centre on an edge counts only for a left edge, or a
// flat top edge (c changes by dx per pixel to the right, dy per row down).
bool Inside(double c, double size, double dx, double dy) {
    if (c > 0 && c < size) return true;
    if (c == 0) return dx > 0 || (dx == 0 && dy > 0);
    if (c == size) return dx < 0 || (dx == 0 && dy < 0);
    return false;
}

// The back buffer as the plain rule draws the frame onto it.
void ReferenceDraw(std::vector<std::uint32_t>& screen, const TImage& image, float x, float y) {
    const TDrawState& st = DrawState();
    const double ix = st.tform_ix, iy = st.tform_iy, jx = st.tform_jx, jy = st.tform_jy;
    const double det = ix * jy - iy * jx;
    raster::TTint tint;
    tint.r = std::uint32_t(st.color_red);
    tint.g = std::uint32_t(st.color_green);
    tint.b = std::uint32_t(st.color_blue);
    tint.a = std::uint32_t(st.color_alpha * 255.0f);
    tint.white = tint.r == 255 && tint.g == 255 && tint.b == 255;
    const int w = image.width, h = image.height;
    const auto texel = [&](int tx, int ty) {
        return image
            .pixmaps[0][std::size_t(std::clamp(ty, 0, h - 1)) * w + std::clamp(tx, 0, w - 1)];
    };
    for (int py = 0; py < 480; ++py) {
        for (int px = 0; px < 640; ++px) {
            const double dx = px + 0.5 - x, dy = py + 0.5 - y;
            const double u = (jy * dx - iy * dy) / det + image.handle_x;
            const double v = (-jx * dx + ix * dy) / det + image.handle_y;
            if (!Inside(u, w, (jy / det), (-iy / det)) || !Inside(v, h, (-jx / det), (ix / det)))
                continue;
            std::uint32_t t;
            if (image.flags & IMAGE_FILTERED) {
                const double su = u - 0.5, sv = v - 0.5;
                const int x0 = int(std::floor(su)), y0 = int(std::floor(sv));
                const auto fx = std::uint32_t((su - x0) * 256), fy = std::uint32_t((sv - y0) * 256);
                t = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const auto c = [&](int tx, int ty) { return (texel(tx, ty) >> shift) & 255; };
                    const std::uint32_t top = c(x0, y0) * (256 - fx) + c(x0 + 1, y0) * fx;
                    const std::uint32_t bottom =
                        c(x0, y0 + 1) * (256 - fx) + c(x0 + 1, y0 + 1) * fx;
                    t |= ((top * (256 - fy) + bottom * fy + 32768) >> 16) << shift;
                }
            } else {
                t = texel(int(std::floor(u)), int(std::floor(v)));
            }
            raster::BlendRunScalar(st.blend_mode, &screen[std::size_t(py) * 640 + px], &t, 1, tint);
        }
    }
}

// A w x h frame of random texels with clear borders, rows and columns.
ImageRef RandomFrame(std::mt19937& rng, int w, int h, int flags) {
    ImageRef image = NewImage(w, h, 1, flags);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = rng();
            if (x == 0 || y == h - 1 || x == 3 || rng() % 4 == 0) p &= 0x00FFFFFFu;
            image->pixmaps[0][std::size_t(y) * w + x] = p;
        }
    }
    return image;
}

struct Placement {
    float degrees, sx, sy, x, y;
};

class Reference : public RasterTest {
   protected:
    void Compare(const ImageRef& image, const Placement& p) {
        std::mt19937 rng(7);
        for (int mode : {BLEND_MASK, BLEND_SOLID, BLEND_ALPHA, BLEND_LIGHT, BLEND_SHADE}) {
            for (int tinted = 0; tinted < 2; ++tinted) {
                FillScreen(0xFF000000u | (rng() & 0xFFFFFFu));
                for (int i = 0; i < 640 * 480; i += 7) BackBuffer()[i] = 0xFF000000u | rng();
                SetBlend(mode);
                SetColor(tinted ? 200 : 255, tinted ? 90 : 255, 255);
                SetAlpha(tinted ? 0.7f : 1.0f);
                SetDrawTransform(p.degrees, p.sx, p.sy);
                std::vector<std::uint32_t> expected(BackBuffer(), BackBuffer() + 640 * 480);
                ReferenceDraw(expected, *image, p.x, p.y);
                DrawImageFrame(image, p.x, p.y, 0);
                int wrong = 0;
                for (int i = 0; i < 640 * 480; ++i) wrong += BackBuffer()[i] != expected[i];
                EXPECT_EQ(wrong, 0) << "mode " << mode << " tinted " << tinted << " at "
                                    << p.degrees << " deg, scale " << p.sx << " x " << p.sy;
            }
        }
    }
};

const Placement kExact[] = {
    {0, 1, 1, 100.25f, 50.75f},       {0, 1, 1, 100, 50},           {0, 2, 2, 300.25f, 200.125f},
    {0, 0.5f, 0.5f, 20.25f, 30},      {90, 1, 1, 400.25f, 60.75f},  {180, 2, 1, 200.25f, 300.25f},
    {270, 1.5f, 3, 500.25f, 400.25f}, {0, -1, 1, 50.25f, 450.25f},  {0, 3, 3, 630.25f, 470.25f},
    {0, 1, 1, -4.75f, -6.25f},        {270, 1.5f, 3, 500.25f, 400}, {90, -2, 1, 300, 100},
};

TEST_F(Reference, NearestSamplingMatchesThePlainRule) {
    std::mt19937 rng(1);
    const ImageRef image = RandomFrame(rng, 13, 9, 0);
    CentreHandle(image);
    for (const Placement& p : kExact) Compare(image, p);
    Compare(image, {30, 1.7f, 1.7f, 321.3f, 240.6f});
    Compare(image, {-75, 4, 2.5f, 100.1f, 100.9f});
}

// Unrotated frames find their columns once and share fetched texels between
// screen rows of one texel row: stretched, shrunk, mirrored and cut by the
// screen edges, over a frame whose visible columns change from row to row.
TEST_F(Reference, UnrotatedScaledFramesMatchThePlainRule) {
    std::mt19937 rng(4);
    const ImageRef image = RandomFrame(rng, 17, 12, 0);
    SetImageHandle(image, 5, 4);
    const Placement placements[] = {
        {0, 5.5f, 6.25f, 300.3f, 200.7f},
        {0, 0.3f, 0.45f, 77.6f, 33.2f},
        {0, -3, 2, 100.3f, 100.6f},
        {0, 2, -4, 400, 300},
        {0, 7, 7, 5, 470},
        {0, 0.8f, 1.25f, 639.5f, 0.2f},
        {0, 41, 1.5f, 320.25f, 240.75f},
    };
    for (const Placement& p : placements) Compare(image, p);
}

TEST_F(Reference, BilinearSamplingMatchesThePlainRule) {
    std::mt19937 rng(2);
    const ImageRef image = RandomFrame(rng, 11, 6, IMAGE_FILTERED);
    SetImageHandle(image, 3, 2);
    for (const Placement& p : kExact) Compare(image, p);
}

// At full alpha the opaque runs of mask and alpha drawing are copied from a
// tinted copy of the frame kept for the last two colours: the ground's cells,
// two colours in turn, a third that evicts one, and a frame whose pixels
// change under the cache.
TEST_F(Reference, OpaqueRunsCopiedAtFullAlphaMatchThePlainRule) {
    std::mt19937 rng(5);
    const ImageRef image = NewImage(32, 32, 1, 0);
    auto paint = [&] {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                std::uint32_t alpha = 255;
                if (y % 5 == 1 && (x < 3 || x > 28)) alpha = 0;            // clear ends
                if (y % 7 == 2 && x % 9 == 4) alpha = 200;                 // a run cut in two
                if (y == 30) alpha = std::uint32_t(rng() % 2 ? 255 : 90);  // many short runs
                image->pixmaps[0][std::size_t(y) * 32 + x] = alpha << 24 | (rng() & 0xFFFFFFu);
            }
        }
    };
    paint();
    CentreHandle(image);
    const int colours[][3] = {{255, 255, 255}, {40, 40, 40}, {45, 45, 45},
                              {40, 40, 40},    {7, 200, 31}, {45, 45, 45}};
    const float spots[][2] = {{100, 50}, {16, 464}, {-5, 30}, {630, 200}, {320.5f, 100.25f}};
    for (int round = 0; round < 2; ++round) {
        for (int mode : {BLEND_MASK, BLEND_ALPHA}) {
            for (const auto& c : colours) {
                FillScreen(0xFF000000u | (rng() & 0xFFFFFFu));
                SetBlend(mode);
                SetColor(c[0], c[1], c[2]);
                SetAlpha(1.0f);
                SetDrawTransform(0, 1, 1);
                std::vector<std::uint32_t> expected(BackBuffer(), BackBuffer() + 640 * 480);
                for (const auto& s : spots) {
                    ReferenceDraw(expected, *image, s[0], s[1]);
                    DrawImageFrame(image, s[0], s[1], 0);
                }
                int wrong = 0;
                for (int i = 0; i < 640 * 480; ++i) wrong += BackBuffer()[i] != expected[i];
                EXPECT_EQ(wrong, 0) << "round " << round << " mode " << mode << " colour " << c[0]
                                    << "," << c[1] << "," << c[2];
            }
        }
        // New pixels in place, as grabbing from the screen gives them.
        paint();
        raster::ForgetFrame(*image, 0);
    }
}

TEST_F(Reference, VectorBlendsEqualOnePixelAtATime) {
    std::mt19937 rng(3);
    for (int round = 0; round < 400; ++round) {
        const int mode = 1 + int(rng() % 5), n = int(rng() % 23);
        raster::TTint tint;
        if (rng() % 2) {
            tint.r = rng() % 256;
            tint.g = rng() % 256;
            tint.b = rng() % 256;
            tint.white = tint.r == 255 && tint.g == 255 && tint.b == 255;
        }
        const std::uint32_t alphas[] = {0, 255, 127, 128, std::uint32_t(rng() % 256)};
        tint.a = alphas[rng() % 5];
        std::vector<std::uint32_t> texels(std::size_t(n) + 1), dst(std::size_t(n) + 1);
        for (std::uint32_t& t : texels) {
            t = rng();
            if (rng() % 3 == 0) t &= 0x00FFFFFFu;
            // Every fourth round opaque runs, which the vectors store without reading.
            if (rng() % 5 == 0 || round % 4 == 0) t |= 0xFF000000u;
        }
        for (std::uint32_t& d : dst) d = rng() % 4 ? (rng() | 0xFF000000u) : rng();
        std::vector<std::uint32_t> expected = dst;
        raster::BlendRunScalar(mode, expected.data(), texels.data(), n, tint);
        raster::BlendRun(mode, dst.data(), texels.data(), n, tint);
        ASSERT_EQ(dst, expected) << "mode " << mode << " n " << n << " alpha " << tint.a;
    }
}

}  // namespace

// Light at a white opaque tint is drawn from texels made ready once (what
// each adds): the same bytes as the blend, over pixels of any alpha.
TEST_F(Reference, ReadyMadeLightEqualsTheLightBlend) {
    std::mt19937 rng(8);
    const raster::TTint plain;
    for (int round = 0; round < 200; ++round) {
        const int n = int(rng() % 23);
        std::vector<std::uint32_t> texels(std::size_t(n) + 1), lit, dst(std::size_t(n) + 1);
        for (std::uint32_t& t : texels) {
            const std::uint32_t alphas[] = {0, 1, 254, 255, std::uint32_t(rng() % 256)};
            t = alphas[rng() % 5] << 24 | (rng() & 0xFFFFFFu);
        }
        for (std::uint32_t t : texels) lit.push_back(raster::LitTexel(t));
        for (std::uint32_t& d : dst) d = rng() % 4 ? (rng() | 0xFF000000u) : rng();
        std::vector<std::uint32_t> expected = dst, one_by_one = dst;
        raster::BlendRunScalar(BLEND_LIGHT, expected.data(), texels.data(), n, plain);
        raster::BlendRun(raster::kBlendLit, dst.data(), lit.data(), n, plain);
        raster::BlendRunScalar(raster::kBlendLit, one_by_one.data(), lit.data(), n, plain);
        ASSERT_EQ(dst, expected) << "n " << n;
        ASSERT_EQ(one_by_one, expected) << "n " << n;
    }
}

// A star's glow: light drawn again and again with one colour and alpha takes
// the tinted copy made ready for light; unscaled, scaled and turned, a third
// colour that evicts a kept one, and new pixels under the cache.
TEST_F(Reference, LightWithAKeptTintMatchesThePlainRule) {
    std::mt19937 rng(9);
    const ImageRef image = RandomFrame(rng, 15, 11, 0);
    CentreHandle(image);
    const int colours[][3] = {{50, 60, 150}, {255, 255, 255}, {200, 90, 255}, {50, 60, 150}};
    const Placement placements[] = {{0, 1, 1, 100, 50},
                                    {0, 0.6f, 0.6f, 300.3f, 200.7f},
                                    {0, 3, 2.5f, 620.5f, 470.25f},
                                    {30, 1.7f, 1.7f, 321.3f, 240.6f}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : colours) {
            for (const float alpha : {0.5f, 1.0f}) {
                FillScreen(0xFF000000u | (rng() & 0xFFFFFFu));
                SetBlend(BLEND_LIGHT);
                SetColor(c[0], c[1], c[2]);
                SetAlpha(alpha);
                std::vector<std::uint32_t> expected(BackBuffer(), BackBuffer() + 640 * 480);
                for (const Placement& p : placements) {
                    SetDrawTransform(p.degrees, p.sx, p.sy);
                    for (int twice = 0; twice < 2; ++twice) {
                        ReferenceDraw(expected, *image, p.x, p.y);
                        DrawImageFrame(image, p.x, p.y, 0);
                    }
                }
                int wrong = 0;
                for (int i = 0; i < 640 * 480; ++i) wrong += BackBuffer()[i] != expected[i];
                EXPECT_EQ(wrong, 0) << "round " << round << " colour " << c[0] << "," << c[1] << ","
                                    << c[2] << " alpha " << alpha;
            }
        }
        image->pixmaps[0] = RandomFrame(rng, 15, 11, 0)->pixmaps[0];
        raster::ForgetFrame(*image, 0);
    }
}
