// display.cpp -- the one display: opening and closing the window, and
// presenting the back buffer at the display's pace.
#include "services/graphics/display.hpp"

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
    std::function<void()> flip_hook;
    bool frames_drawn = true;
};

TPngPicture& Icon() {
    static TPngPicture icon;
    return icon;
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

// The real clock and the window, as pacing sees them.
class TWindowClock : public display_pacing::TFrameClock {
   public:
    int Now() override { return ClockMillis(); }
    void Sleep(int ms) override { SleepMillis(ms); }
    void Present(int sync) override {
        if (Screen().frames_drawn) CompleteDrawing();
        platform::Present(BackBufferPixels(), ScreenWidth(), ScreenHeight(), sync);
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
    ResizeBackBuffer(width, height);
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

void SetFramesDrawn(bool drawn) {
    Screen().frames_drawn = drawn;
}

void SetFlipHook(std::function<void()> hook) {
    Screen().flip_hook = std::move(hook);
}
