// The CPU present path on a private X server, whose GL is a software
// rasteriser: found out at opening, and a frame read back both from the
// window's surface and from the X server's screen is the sharp scaler's
// picture, bars and all, at a non-whole factor; and again after the switch
// to a window and a resize.
#include "services/platform/sdl/cpu_present.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/sdl_window.hpp"
#include "tests/platform/sdl/xvfb_support.hpp"

namespace {

constexpr int kW = 640, kH = 480, kScreenW = 1366, kScreenH = 768;

std::uint32_t Big32(const std::string& s, std::size_t at) {
    return std::uint32_t(std::uint8_t(s[at])) << 24 | std::uint32_t(std::uint8_t(s[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(s[at + 2])) << 8 | std::uint32_t(std::uint8_t(s[at + 3]));
}

// The root window as xwd dumps it (32-bit true colour), as 0xRRGGBB pixels;
// empty when it cannot be read.
std::vector<std::uint32_t> ScreenPixels(int w, int h) {
    const std::string dump = sdl_test::Run("xwd -root -silent 2>/dev/null");
    std::vector<std::uint32_t> pixels;
    if (dump.size() < 100) return pixels;
    const std::uint32_t header = Big32(dump, 0), format = Big32(dump, 8), width = Big32(dump, 16),
                        height = Big32(dump, 20), order = Big32(dump, 28), bpp = Big32(dump, 44),
                        line = Big32(dump, 48), colours = Big32(dump, 76);
    if (format != 2 || bpp != 32 || int(width) != w || int(height) != h) return pixels;
    const std::size_t start = header + std::size_t(colours) * 12;
    if (dump.size() < start + std::size_t(line) * h) return pixels;
    pixels.resize(std::size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t at = start + std::size_t(y) * line + std::size_t(x) * 4;
            const std::uint32_t be = Big32(dump, at);
            const std::uint32_t v =
                order == 0 ? (be >> 24) | (be >> 8 & 0xFF00) | (be << 8 & 0xFF0000) | (be << 24)
                           : be;
            pixels[std::size_t(y) * w + x] = v & 0xFFFFFF;
        }
    }
    return pixels;
}

// Runs the window's events until its output is w x h; false if it never is.
bool SettlesAt(int w, int h) {
    int ow = 0, oh = 0;
    for (int i = 0; i < 100; ++i) {
        platform::Event e;
        while (platform::PollEvent(e)) {
        }
        sdl_backend::OutputSize(&ow, &oh);
        if (ow == w && oh == h) return true;
        SDL_Delay(10);
    }
    ADD_FAILURE() << "output " << ow << "x" << oh << ", not " << w << "x" << h;
    return false;
}

// What the scaler makes of the frame at the window's present output size.
std::vector<std::uint32_t> Scaled(const std::vector<std::uint32_t>& frame) {
    int ow = 0, oh = 0;
    sdl_backend::OutputSize(&ow, &oh);
    sdl_backend::SharpScaler scaler;
    std::vector<std::uint32_t> want(std::size_t(ow) * oh);
    if (scaler.Configure(kW, kH, ow, oh)) scaler.Scale(frame.data(), want.data(), ow);
    return want;
}

// Pixels of the window's surface that differ from want (colour only).
int WrongOnSurface(const std::vector<std::uint32_t>& want) {
    const SDL_Surface* s = SDL_GetWindowSurface(sdl_backend::Window());
    if (!s || std::size_t(s->w) * s->h != want.size()) return -1;
    std::vector<std::uint32_t> surface(want.size());
    if (SDL_ConvertPixels(s->w, s->h, s->format->format, s->pixels, s->pitch,
                          SDL_PIXELFORMAT_ARGB8888, surface.data(), s->w * 4) != 0)
        return -1;
    int wrong = 0;
    for (std::size_t i = 0; i < want.size(); ++i)
        wrong += (surface[i] & 0xFFFFFF) != (want[i] & 0xFFFFFF);
    return wrong;
}

TEST(CpuPresent, SoftwareGlIsFoundAndTheScreenShowsTheScaledFrameAtEverySize) {
    sdl_test::XServer server(kScreenW, kScreenH);
    if (!server.running()) GTEST_SKIP() << "Xvfb is not installed";
    std::string error;
    ASSERT_TRUE(platform::OpenWindow(kW, kH, true, "cpu present", &error)) << error;
    EXPECT_TRUE(sdl_backend::PresentsOnCpu());  // Xvfb's GL draws in software
    ASSERT_TRUE(SettlesAt(kScreenW, kScreenH));

    std::vector<std::uint32_t> frame(std::size_t(kW) * kH);
    std::uint32_t seed = 4242;
    for (auto& p : frame) {
        seed = seed * 1103515245u + 12345u;
        p = 0xFF000000u | (seed >> 8);
    }
    // Full screen, x2 shrunk to 1024x768 with bars left and right: on the
    // surface and on the X server's screen.
    platform::Present(frame.data(), kW, kH, 0);
    const std::vector<std::uint32_t> want = Scaled(frame);
    EXPECT_EQ(WrongOnSurface(want), 0);
    int status = 0;
    sdl_test::Run("command -v xwd >/dev/null", &status);
    if (status == 0) {
        const std::vector<std::uint32_t> screen = ScreenPixels(kScreenW, kScreenH);
        ASSERT_EQ(screen.size(), want.size());
        int wrong = 0;
        for (std::size_t i = 0; i < want.size(); ++i) wrong += screen[i] != (want[i] & 0xFFFFFF);
        EXPECT_EQ(wrong, 0);
    }

    // Back to a window (the largest whole multiple that fits: x1), then a
    // size of the player's own: the path follows each new surface.
    sdl_backend::ToggleFullScreen();
    ASSERT_TRUE(SettlesAt(kW, kH));
    platform::Present(frame.data(), kW, kH, 0);
    EXPECT_EQ(WrongOnSurface(frame), 0);
    SDL_SetWindowSize(sdl_backend::Window(), 1000, 700);
    ASSERT_TRUE(SettlesAt(1000, 700));
    platform::Present(frame.data(), kW, kH, 0);
    EXPECT_EQ(WrongOnSurface(Scaled(frame)), 0);
    platform::CloseWindow();
}

}  // namespace
