// window.cpp -- the SDL window: the 640x480 back buffer uploaded into a
// streaming texture at each present and scaled to the window, aspect kept,
// with black bars.
#include <cstring>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/sdl_window.hpp"

namespace {

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int width = 0, height = 0;  // logical size, also the texture's
    int vsync = 1;              // what the renderer was last told
    bool video = false;         // this window holds SDL's video subsystem
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

}  // namespace sdl_backend

namespace platform {

bool OpenWindow(int width, int height, bool fullscreen, const std::string& title,
                std::string* error) {
    CloseWindow();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return false;
    }
    // With no display SDL falls back to a driver that shows nothing; a game
    // running invisibly is worse than saying why it cannot start.  Asking for
    // such a driver by name (SDL_VIDEODRIVER) is still allowed.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible =
        driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (invisible && !SDL_getenv("SDL_VIDEODRIVER")) {
        if (error) *error = std::string("no video device (only SDL's ") + driver + " driver)";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    WindowState& s = State();
    s.video = true;
    s.width = width;
    s.height = height;
    // Scaling the back buffer to a larger screen keeps hard pixel edges.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
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
                                    SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
    } else {
        s.window = SDL_CreateWindow(title.c_str(), 32, 32, width, height, 0);
    }
    if (!s.window) return Fail(error);
    s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!s.renderer) return Fail(error);
    s.vsync = 1;
    if (SDL_RenderSetLogicalSize(s.renderer, width, height) != 0) return Fail(error);
    s.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                  width, height);
    if (!s.texture) return Fail(error);
    SDL_SetTextureBlendMode(s.texture, SDL_BLENDMODE_NONE);
    SDL_StartTextInput();
    return true;
}

void CloseWindow() {
    WindowState& s = State();
    const bool video = s.video;
    if (s.texture) SDL_DestroyTexture(s.texture);
    if (s.renderer) SDL_DestroyRenderer(s.renderer);
    if (s.window) SDL_DestroyWindow(s.window);
    s = WindowState{};
    if (video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SetWindowTitle(const std::string& title) {
    if (State().window) SDL_SetWindowTitle(State().window, title.c_str());
}

void Present(const std::uint32_t* pixels, int width, int height, int sync) {
    WindowState& s = State();
    if (!s.renderer || !pixels || width != s.width || height != s.height) return;
    const int want_vsync = sync == 1 ? 1 : 0;
    if (want_vsync != s.vsync) {
        // Some drivers cannot switch; the display's pacing copes with either.
        SDL_RenderSetVSync(s.renderer, want_vsync);
        s.vsync = want_vsync;
    }
    void* locked = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(s.texture, nullptr, &locked, &pitch) == 0) {
        // The locked memory is write-only: every row is written in full.
        const std::size_t row = std::size_t(width) * sizeof(std::uint32_t);
        auto* dst = static_cast<unsigned char*>(locked);
        if (std::size_t(pitch) == row) {
            std::memcpy(dst, pixels, row * std::size_t(height));
        } else {
            for (int y = 0; y < height; ++y) {
                unsigned char* line = dst + std::size_t(y) * std::size_t(pitch);
                std::memcpy(line, pixels + std::size_t(y) * std::size_t(width), row);
                std::memset(line + row, 0, std::size_t(pitch) - row);
            }
        }
        SDL_UnlockTexture(s.texture);
    }
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    SDL_RenderCopy(s.renderer, s.texture, nullptr, nullptr);
    SDL_RenderPresent(s.renderer);
}

void SetCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace platform
