// The picture on the screen, read back pixel by pixel from the renderer or,
// on the CPU path, from the window's surface: hard-edged at whole factors,
// even art pixels with soft seams otherwise, whole at any window size; and
// the pointer's mapping both ways, bars included.  Every case runs on both
// present paths.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/cpu_present.hpp"
#include "services/platform/sdl/sdl_window.hpp"

namespace {

constexpr int kW = 640, kH = 480;

using sdl_backend::PresentPath;

class ScalingTest : public ::testing::TestWithParam<PresentPath> {
   protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);  // SDL's software renderer, no display needed
        sdl_backend::SetPresentPath(GetParam());
        std::string error;
        ASSERT_TRUE(platform::OpenWindow(kW, kH, false, "scaling", &error)) << error;
        // SDL's software renderer is found out and left for the CPU's scaler.
        ASSERT_EQ(sdl_backend::PresentsOnCpu(), GetParam() == PresentPath::Automatic);
        ASSERT_EQ(sdl_backend::Renderer() == nullptr, sdl_backend::PresentsOnCpu());
    }
    void TearDown() override {
        platform::CloseWindow();
        sdl_backend::SetPresentPath(PresentPath::Automatic);
        unsetenv("SDL_VIDEODRIVER");
    }

    // Presents the frame in a window of w x h and reads back what it shows.
    std::vector<std::uint32_t> Show(const std::vector<std::uint32_t>& frame, int w, int h) {
        SDL_SetWindowSize(sdl_backend::Window(), w, h);
        platform::Event e;
        while (platform::PollEvent(e)) {
        }
        platform::Present(frame.data(), kW, kH, 0);
        sdl_backend::ComposeFrame();
        int ow = 0, oh = 0;
        sdl_backend::OutputSize(&ow, &oh);
        EXPECT_EQ(ow, w);
        EXPECT_EQ(oh, h);
        std::vector<std::uint32_t> out(std::size_t(ow) * oh);
        if (sdl_backend::PresentsOnCpu()) {
            const SDL_Surface* surface = SDL_GetWindowSurface(sdl_backend::Window());
            EXPECT_EQ(
                SDL_ConvertPixels(ow, oh, surface->format->format, surface->pixels, surface->pitch,
                                  SDL_PIXELFORMAT_ARGB8888, out.data(), ow * 4),
                0)
                << SDL_GetError();
        } else {
            EXPECT_EQ(SDL_RenderReadPixels(sdl_backend::Renderer(), nullptr,
                                           SDL_PIXELFORMAT_ARGB8888, out.data(), ow * 4),
                      0)
                << SDL_GetError();
        }
        return out;
    }
};

std::uint32_t Grey(int v) {
    return 0xFF000000u | std::uint32_t(v) * 0x010101u;
}

// Art pixels alternating black and white along x (columns) or y (rows).
std::vector<std::uint32_t> Stripes(bool columns) {
    std::vector<std::uint32_t> frame(std::size_t(kW) * kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x)
            frame[std::size_t(y) * kW + x] = Grey(((columns ? x : y) & 1) * 255);
    }
    return frame;
}

struct Widths {
    int runs = 0, narrowest = 1 << 30, widest = 0;
    int soft = 0;  // screen pixels mixing two art pixels
    int pure = 0;  // screen pixels of one art pixel alone
};

// Walks a line of the shown picture: each screen pixel belongs to the art
// pixel that makes up most of it; runs of one art pixel are its width.
Widths Measure(const std::vector<std::uint32_t>& shown, int start, int step, int count) {
    Widths w;
    int last = -1, run = 0;
    for (int i = 0; i < count; ++i) {
        const int v = int(shown[std::size_t(start) + std::size_t(i) * step] & 0xFF);
        if (v != 0 && v != 255) ++w.soft;
        if (v == 0 || v == 255) ++w.pure;
        const int colour = v >= 128 ? 1 : 0;
        if (colour == last) {
            ++run;
            continue;
        }
        if (last >= 0) {
            ++w.runs;
            w.narrowest = std::min(w.narrowest, run);
            w.widest = std::max(w.widest, run);
        }
        last = colour;
        run = 1;
    }
    ++w.runs;
    w.narrowest = std::min(w.narrowest, run);
    w.widest = std::max(w.widest, run);
    return w;
}

TEST_P(ScalingTest, WholeFactorIsExactlyNearestWithBlackBars) {
    std::vector<std::uint32_t> frame(std::size_t(kW) * kH);
    std::uint32_t seed = 12345;
    for (auto& p : frame) {
        seed = seed * 1103515245u + 12345u;
        p = 0xFF000000u | (seed >> 8);
    }
    const int ow = 2560, oh = 1440;  // x3 with bars left and right
    const std::vector<std::uint32_t> shown = Show(frame, ow, oh);
    int wrong = 0;
    for (int y = 0; y < oh; ++y) {
        for (int x = 0; x < ow; ++x) {
            const int fx = x - 320;
            const std::uint32_t want =
                fx < 0 || fx >= 1920 ? 0xFF000000u : frame[std::size_t(y / 3) * kW + fx / 3];
            if ((shown[std::size_t(y) * ow + x] | 0xFF000000u) != want) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_P(ScalingTest, NonWholeFactorsGiveEvenArtPixelsWithSoftSeams) {
    struct Case {
        int w, h, narrowest, widest;
    };
    for (const Case c : {Case{1366, 768, 1, 2}, Case{1920, 1080, 2, 3}}) {
        SCOPED_TRACE(c.w);
        const sdl_backend::Box box = sdl_backend::Letterbox(c.w, c.h, kW, kH);
        const std::vector<std::uint32_t> across = Show(Stripes(true), c.w, c.h);
        const Widths x = Measure(across, (c.h / 2) * c.w + box.x, 1, box.w);
        EXPECT_EQ(x.runs, kW);  // no art pixel lost or doubled
        EXPECT_EQ(x.narrowest, c.narrowest);
        EXPECT_EQ(x.widest, c.widest);
        // The seams are blended, and only the seams: most screen pixels show
        // one art pixel alone (a plain smooth stretch mixes nearly all).
        EXPECT_GT(x.soft, 0);
        EXPECT_GE(x.pure * 100, box.w * 45) << x.pure;
        const std::vector<std::uint32_t> down = Show(Stripes(false), c.w, c.h);
        const Widths y = Measure(down, box.x + box.w / 2, c.w, box.h);
        EXPECT_EQ(y.runs, kH);
        EXPECT_EQ(y.narrowest, c.narrowest);
        EXPECT_EQ(y.widest, c.widest);
        EXPECT_GT(y.soft, 0);
        EXPECT_GE(y.pure * 100, box.h * 45) << y.pure;
        // The bars stay black.
        EXPECT_EQ(across[std::size_t(c.h / 2) * c.w] & 0xFFFFFF, 0u);
        EXPECT_EQ(across[std::size_t(c.h / 2) * c.w + c.w - 1] & 0xFFFFFF, 0u);
    }
}

TEST_P(ScalingTest, SmallWindowShowsTheWholePictureAndResizingLeaksNothing) {
    std::vector<std::uint32_t> frame(std::size_t(kW) * kH, Grey(0));
    // White corners: all four must still show when shrunk.
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            frame[std::size_t(y) * kW + x] = frame[std::size_t(y) * kW + kW - 1 - x] =
                frame[std::size_t(kH - 1 - y) * kW + x] =
                    frame[std::size_t(kH - 1 - y) * kW + kW - 1 - x] = Grey(255);
        }
    }
    const std::vector<std::uint32_t> shown = Show(frame, 320, 240);
    auto at = [&shown](int x, int y) { return int(shown[std::size_t(y) * 320 + x] & 0xFF); };
    EXPECT_GT(at(1, 1), 200);
    EXPECT_GT(at(318, 1), 200);
    EXPECT_GT(at(1, 238), 200);
    EXPECT_GT(at(318, 238), 200);
    EXPECT_LT(at(160, 120), 10);
    // Sizes that need enlarged copies of every factor, many times over.
    for (int i = 0; i < 30; ++i) Show(frame, 700 + i * 37, 500 + i * 23);
}

TEST_P(ScalingTest, PointerReadsPicturePixelsAlsoInTheBars) {
    SDL_SetWindowSize(sdl_backend::Window(), 1366, 768);
    platform::Event e;
    while (platform::PollEvent(e)) {
    }
    struct Probe {
        int wx, wy, x, y;
    };
    // Box: x 171..1194, scale 1.6.
    for (const Probe p :
         {Probe{0, 0, 0, 0}, Probe{170, 400, 0, 250}, Probe{171, 767, 0, 479},
          Probe{1195, 10, 639, 6}, Probe{1365, 767, 639, 479}, Probe{683, 384, 320, 240}}) {
        SDL_Event motion{};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.windowID = SDL_GetWindowID(sdl_backend::Window());
        motion.motion.x = p.wx;
        motion.motion.y = p.wy;
        SDL_PushEvent(&motion);
        platform::Event got{};
        bool moved = false;
        while (platform::PollEvent(got)) {
            if (got.type == platform::EventType::MouseMove) moved = true, e = got;
        }
        ASSERT_TRUE(moved);
        EXPECT_EQ(e.x, p.x) << p.wx;
        EXPECT_EQ(e.y, p.y) << p.wy;
    }
    // Moving the pointer lands on the very picture pixel asked for.
    for (const Probe p : {Probe{0, 0, 0, 0}, Probe{0, 0, 639, 479}, Probe{0, 0, 320, 17}}) {
        platform::WarpMouse(p.x, p.y);
        platform::Event got{};
        bool moved = false;
        while (platform::PollEvent(got)) {
            if (got.type == platform::EventType::MouseMove) moved = true, e = got;
        }
        ASSERT_TRUE(moved);
        EXPECT_EQ(e.x, p.x);
        EXPECT_EQ(e.y, p.y);
    }
}

std::string PathName(const ::testing::TestParamInfo<PresentPath>& info) {
    return info.param == PresentPath::Renderer ? "Renderer" : "Cpu";
}

INSTANTIATE_TEST_SUITE_P(Paths, ScalingTest,
                         ::testing::Values(PresentPath::Renderer, PresentPath::Automatic),
                         PathName);

}  // namespace
