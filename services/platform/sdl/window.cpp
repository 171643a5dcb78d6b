// window.cpp -- the SDL window: the 640x480 back buffer uploaded into a
// streaming texture at each present and shown in a 4:3 box with black bars
// (or, where the renderer draws in software, scaled on the CPU straight into
// the window's surface: cpu_present.hpp).
// Every art pixel comes out the same size to within one screen pixel: the
// frame is enlarged by a whole factor with hard edges, then shrunk smoothly
// to the box, so only the seams between art pixels are softened.
#include <algorithm>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/cpu_present.hpp"
#include "services/platform/sdl/sdl_signals.hpp"
#include "services/platform/sdl/sdl_window.hpp"

namespace {

constexpr const char* kWindowClass = "bodger2010";

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;   // the back buffer, as last presented
    SDL_Texture* enlarged = nullptr;  // the back buffer times a whole factor
    int factor = 0;                   // of the enlarged texture; 0: none
    bool targets = false;             // the renderer can draw into textures
    int width = 0, height = 0;        // logical size, also the texture's
    int vsync = 1;                    // what the renderer was last told
    bool video = false;               // this window holds SDL's video subsystem
    bool fullscreen = false;
    sdl_backend::CpuPresenter cpu;  // open instead of the renderer without a GPU
};

WindowState& State() {
    static WindowState state;
    return state;
}

bool Fail(std::string* error) {
    if (error) *error = SDL_GetError();
    platform::CloseWindow();
    return false;
}

bool Set(const char* name) {
    const char* value = SDL_getenv(name);
    return value && *value;
}

// The window is ready for the game: text and hangups are watched.
bool Started() {
    SDL_StartTextInput();
    sdl_backend::WatchHangup();
    return true;
}

// Says what a player can check when no display could be reached.
std::string NoDisplay(const char* detail) {
    std::string text;
    if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
        text = "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    } else {
        text = "no display reachable: check that DISPLAY";
        if (Set("DISPLAY")) text += std::string(" (") + SDL_getenv("DISPLAY") + ")";
        text += " or WAYLAND_DISPLAY";
        if (Set("WAYLAND_DISPLAY")) text += std::string(" (") + SDL_getenv("WAYLAND_DISPLAY") + ")";
        text += " names a running display you may use";
    }
    if (detail && *detail) text += std::string(" [") + detail + "]";
    return text;
}

void DropEnlarged(WindowState& s) {
    if (s.enlarged) SDL_DestroyTexture(s.enlarged);
    s.enlarged = nullptr;
    s.factor = 0;
}

// The enlarged texture for this factor, made anew only when the factor
// changes; null when the renderer cannot draw into textures.
SDL_Texture* Enlarged(WindowState& s, int factor) {
    if (!s.targets) return nullptr;
    if (s.enlarged && s.factor == factor) return s.enlarged;
    DropEnlarged(s);
    s.enlarged = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                   s.width * factor, s.height * factor);
    if (!s.enlarged) {
        s.targets = false;
        return nullptr;
    }
    SDL_SetTextureBlendMode(s.enlarged, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(s.enlarged, SDL_ScaleModeLinear);
    s.factor = factor;
    return s.enlarged;
}

}  // namespace

namespace sdl_backend {

SDL_Window* Window() {
    return State().window;
}
SDL_Renderer* Renderer() {
    return State().renderer;
}
int LogicalWidth() {
    return State().width;
}
int LogicalHeight() {
    return State().height;
}

void OutputSize(int* w, int* h) {
    WindowState& s = State();
    *w = *h = 0;
    if (s.cpu.open()) {
        s.cpu.OutputSize(w, h);
    } else if (s.renderer) {
        SDL_GetRendererOutputSize(s.renderer, w, h);
    }
}

bool PresentsOnCpu() {
    return State().cpu.open();
}

Box PictureBox() {
    int ow = 0, oh = 0;
    OutputSize(&ow, &oh);
    return Letterbox(ow, oh, State().width, State().height);
}

void WindowToPicture(int wx, int wy, int* x, int* y) {
    WindowState& s = State();
    int ww = 0, wh = 0, ow = 0, oh = 0;
    if (s.window) SDL_GetWindowSize(s.window, &ww, &wh);
    OutputSize(&ow, &oh);
    if (ww <= 0 || wh <= 0) ww = ow, wh = oh;
    const Box box = Letterbox(ow, oh, s.width, s.height);
    // The middle of the pointer's window pixel, in output pixels.
    const double px = ww > 0 ? (wx + 0.5) * ow / ww : 0.0;
    const double py = wh > 0 ? (wy + 0.5) * oh / wh : 0.0;
    *x = PicturePixel(px, box.x, box.w, s.width);
    *y = PicturePixel(py, box.y, box.h, s.height);
}

bool IsFullScreen() {
    return State().fullscreen;
}

void ToggleFullScreen() {
    WindowState& s = State();
    if (!s.window) return;
    const int display = std::max(SDL_GetWindowDisplayIndex(s.window), 0);
    if (s.fullscreen) {
        SDL_SetWindowFullscreen(s.window, 0);
        SDL_SetWindowBordered(s.window, SDL_TRUE);
        SDL_SetWindowResizable(s.window, SDL_TRUE);
        SDL_Rect usable{0, 0, s.width, s.height};
        SDL_GetDisplayUsableBounds(display, &usable);
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(s.window, &top, &left, &bottom, &right) != 0) {
            top = left = bottom = right = 0;
        }
        int w = 0, h = 0;
        WindowedSize(usable.w - left - right, usable.h - top - bottom, s.width, s.height, &w, &h);
        SDL_SetWindowSize(s.window, w, h);
        SDL_SetWindowPosition(s.window, usable.x + (usable.w - w) / 2,
                              usable.y + (usable.h - h) / 2);
        s.fullscreen = false;
    } else {
        // As at opening: a borderless window covering the desktop, also where
        // no window manager honours the full-screen flag.
        SDL_SetWindowResizable(s.window, SDL_FALSE);
        SDL_SetWindowBordered(s.window, SDL_FALSE);
        SDL_Rect bounds{0, 0, s.width, s.height};
        SDL_GetDisplayBounds(display, &bounds);
        SDL_SetWindowPosition(s.window, bounds.x, bounds.y);
        SDL_SetWindowSize(s.window, bounds.w, bounds.h);
        SDL_SetWindowFullscreen(s.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        s.fullscreen = true;
    }
}

void ComposeFrame() {
    WindowState& s = State();
    if (!s.renderer) return;  // the CPU path's surface already holds the frame
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    const Box box = PictureBox();
    const SDL_Rect dst{box.x, box.y, box.w, box.h};
    const int factor = SharpFactor(box, s.width, s.height);
    const bool whole = box.w == s.width * factor && box.h == s.height * factor;
    if (whole || factor == 1) {
        // A whole factor is plain hard-edged enlarging; a box no bigger than
        // the frame is plain smooth shrinking.
        SDL_SetTextureScaleMode(s.texture, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        SDL_RenderCopy(s.renderer, s.texture, nullptr, &dst);
        return;
    }
    SDL_SetTextureScaleMode(s.texture, SDL_ScaleModeNearest);
    SDL_Texture* enlarged = Enlarged(s, factor);
    if (enlarged && SDL_SetRenderTarget(s.renderer, enlarged) == 0) {
        SDL_RenderCopy(s.renderer, s.texture, nullptr, nullptr);
        SDL_SetRenderTarget(s.renderer, nullptr);
        SDL_RenderCopy(s.renderer, enlarged, nullptr, &dst);
    } else {
        SDL_RenderCopy(s.renderer, s.texture, nullptr, &dst);
    }
}

}  // namespace sdl_backend

namespace platform {

bool OpenWindow(int width, int height, bool fullscreen, const std::string& title,
                std::string* error) {
    CloseWindow();
    if (!SDL_getenv("SDL_VIDEODRIVER") && !Set("WAYLAND_DISPLAY") && !Set("XDG_RUNTIME_DIR")) {
        // No Wayland display can be reached this way, and trying prints a
        // line of its own: say the one line that matters instead.
        if (!Set("DISPLAY")) {
            if (error) *error = NoDisplay(nullptr);
            return false;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
    // The window's class, which the desktop entry's StartupWMClass names, so
    // docks tie the window to the game's entry and icon.  A class the player
    // set in the environment stays.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kWindowClass, 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = NoDisplay(SDL_GetError());
        return false;
    }
    // With no display SDL falls back to a driver that shows nothing; a game
    // running invisibly is worse than saying why it cannot start.  Asking for
    // such a driver by name (SDL_VIDEODRIVER) is still allowed.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible =
        driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (invisible && !SDL_getenv("SDL_VIDEODRIVER")) {
        if (error) *error = NoDisplay(nullptr);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    WindowState& s = State();
    s.video = true;
    s.width = width;
    s.height = height;
    s.fullscreen = fullscreen;
    const Uint32 hidpi = SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen) {
        // A borderless window at (0, 0) the size of the desktop, so the screen
        // is covered even where no window manager honours the full-screen flag.
        SDL_DisplayMode desktop{};
        int w = width, h = height;
        if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
            w = desktop.w;
            h = desktop.h;
        }
        s.window = SDL_CreateWindow(title.c_str(), 0, 0, w, h,
                                    SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | hidpi);
    } else {
        s.window = SDL_CreateWindow(title.c_str(), 32, 32, width, height, hidpi);
    }
    if (!s.window) return Fail(error);
    s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!s.renderer) return Fail(error);
    if (sdl_backend::WantsCpuPresent(s.renderer)) {
        // The renderer would scale on the CPU too, in two passes over the
        // screen: our own scaler does it in one, into the window's surface.
        SDL_DestroyRenderer(s.renderer);
        s.renderer = nullptr;
        if (s.cpu.Open(s.window)) return Started();
        s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_PRESENTVSYNC);
        if (!s.renderer) return Fail(error);
    }
    SDL_RendererInfo info{};
    s.targets = SDL_GetRendererInfo(s.renderer, &info) == 0 &&
                (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0;
    s.vsync = 1;
    s.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  width, height);
    if (!s.texture) return Fail(error);
    SDL_SetTextureBlendMode(s.texture, SDL_BLENDMODE_NONE);
    return Started();
}

void CloseWindow() {
    WindowState& s = State();
    const bool video = s.video;
    DropEnlarged(s);
    if (s.texture) SDL_DestroyTexture(s.texture);
    if (s.renderer) SDL_DestroyRenderer(s.renderer);
    if (s.window) SDL_DestroyWindow(s.window);
    s = WindowState{};
    if (video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SetWindowTitle(const std::string& title) {
    if (State().window) SDL_SetWindowTitle(State().window, title.c_str());
}

void SetWindowIcon(const std::uint32_t* pixels, int width, int height) {
    WindowState& s = State();
    if (!s.window || !pixels || width <= 0 || height <= 0) return;
    // SDL copies the pixels; the surface only lends them for the call.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(pixels), width, height, 32, width * int(sizeof(std::uint32_t)),
        SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(s.window, icon);
    SDL_FreeSurface(icon);
}

void Present(const std::uint32_t* pixels, int width, int height, int sync) {
    WindowState& s = State();
    if (s.cpu.open()) {
        // No vertical blank to wait for here: the game's soft pacing keeps time.
        if (width == s.width && height == s.height) s.cpu.Present(pixels, width, height);
        return;
    }
    if (!s.renderer || !pixels || width != s.width || height != s.height) return;
    const int want_vsync = sync == 1 ? 1 : 0;
    if (want_vsync != s.vsync) {
        // Some drivers cannot switch; the display's pacing copes with either.
        SDL_RenderSetVSync(s.renderer, want_vsync);
        s.vsync = want_vsync;
    }
    // Handed straight to the renderer, which copies it once into the texture
    // (filling a locked texture would add a second copy of every frame).
    SDL_UpdateTexture(s.texture, nullptr, pixels, width * int(sizeof(std::uint32_t)));
    sdl_backend::ComposeFrame();
    SDL_RenderPresent(s.renderer);
}

void SetCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace platform
