// display.cpp -- the one display: its back buffer in memory, opening and
// closing the window, and presenting frames at the display's pace.
#include "services/graphics/display.hpp"

#include <algorithm>
#include <vector>

#include "services/graphics/display_pacing.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/png.hpp"
#include "services/input/input.hpp"
#include "services/platform/platform.hpp"
#include "services/system/app.hpp"
#include "services/system/clock.hpp"

namespace {

struct TScreen {
    bool open = false;
    TDisplay display;
    int width = 640, height = 480;  // the back buffer exists even before a display opens
    std::vector<std::uint32_t> pixels;
    std::function<void()> flip_hook;
};

TPngPicture& Icon() {
    static TPngPicture icon;
    return icon;
}

TScreen& Screen() {
    static TScreen screen;
    if (screen.pixels.empty()) screen.pixels.assign(std::size_t(screen.width) * screen.height, 0);
    return screen;
}

// The real clock and the window, as pacing sees them.
class TWindowClock : public display_pacing::TFrameClock {
   public:
    int Now() override { return ClockMillis(); }
    void Sleep(int ms) override { SleepMillis(ms); }
    void Present(int sync) override {
        TScreen& s = Screen();
        platform::Present(s.pixels.data(), s.width, s.height, sync);
    }
};

}  // namespace

bool OpenGraphics(int width, int height, int depth, int hertz, int flags, std::string* error) {
    CloseGraphics();
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        if (error) *error = "unsupported display size";
        return false;
    }
    std::string cause;
    if (!platform::OpenWindow(width, height, depth != 0, AppTitle(), &cause)) {
        if (error) *error = cause;
        return false;
    }
    const TPngPicture& icon = Icon();
    if (!icon.pixels.empty()) platform::SetWindowIcon(icon.pixels.data(), icon.width, icon.height);
    TScreen& s = Screen();
    s.open = true;
    s.display = TDisplay{width, height, depth, hertz, flags};
    s.width = width;
    s.height = height;
    s.pixels.assign(std::size_t(width) * height, 0);
    ResetDrawState();

    // Both buffers of the window start black; these are not frames of the game.
    TWindowClock clock;
    for (int i = 0; i < 2; ++i) {
        Cls();
        clock.Present(0);
    }
    display_pacing::SetUpPacing(s.display, clock);
    if (depth != 0) MoveMouse(width / 2, height / 2);
    return true;
}

bool SetAppIcon(const unsigned char* png, std::size_t size) {
    TPngPicture picture;
    const bool ok = DecodePng(png, size, picture);
    Icon() = ok ? std::move(picture) : TPngPicture{};
    return ok;
}

void ClearAppIcon() {
    Icon() = TPngPicture{};
}

void CloseGraphics() {
    TScreen& s = Screen();
    if (!s.open) return;
    platform::CloseWindow();
    s.open = false;
    s.display = TDisplay{};
}

const TDisplay* CurrentDisplay() {
    return Screen().open ? &Screen().display : nullptr;
}

void Flip(int sync) {
    TScreen& s = Screen();
    if (s.open) {
        TWindowClock clock;
        display_pacing::PacedFlip(s.display, clock, sync);
    }
    if (s.flip_hook) s.flip_hook();
}

void Cls() {
    const TDrawState& st = DrawState();
    const std::uint32_t colour = 0xFF000000u | std::uint32_t(st.clscolor_red) << 16 |
                                 std::uint32_t(st.clscolor_green) << 8 |
                                 std::uint32_t(st.clscolor_blue);
    std::vector<std::uint32_t>& pixels = Screen().pixels;
    std::fill(pixels.begin(), pixels.end(), colour);
}

int ScreenWidth() {
    return Screen().width;
}
int ScreenHeight() {
    return Screen().height;
}
std::uint32_t* BackBuffer() {
    return Screen().pixels.data();
}
void SetFlipHook(std::function<void()> hook) {
    Screen().flip_hook = std::move(hook);
}
