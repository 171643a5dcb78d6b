// cpu_present.cpp -- the window's surface as the screen: found software
// renderers, the surface taken over, and each frame scaled into it.
#include "services/platform/sdl/cpu_present.hpp"

#include <SDL_opengl.h>

namespace sdl_backend {

namespace {

PresentPath requested = PresentPath::Automatic;

// The surface takes the scaler's output as it is: 32-bit pixels with red,
// green and blue where the frame has them (the padding byte is not shown).
bool FrameLayout(const SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface->format;
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000u && f->Gmask == 0x0000FF00u &&
           f->Bmask == 0x000000FFu && surface->pitch % 4 == 0;
}

}  // namespace

void SetPresentPath(PresentPath path) {
    requested = path;
}

PresentPath RequestedPresentPath() {
    return requested;
}

bool IsSoftwareGl(const char* renderer_name) {
    if (!renderer_name) return false;
    // "Software Rasterizer" is what swrast calls itself.
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (SDL_strcasestr(renderer_name, name)) return true;
    }
    return false;
}

bool RendersInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0) return false;
    if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) return true;
    if (!info.name || SDL_strncmp(info.name, "opengl", 6) != 0) return false;
    // The GL renderers leave their context current once made.
    if (!SDL_GL_GetCurrentContext()) return false;
    using GetString = const GLubyte*(APIENTRY*)(GLenum);
    const auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!get_string) return false;
    return IsSoftwareGl(reinterpret_cast<const char*>(get_string(GL_RENDERER)));
}

bool WantsCpuPresent(SDL_Renderer* renderer) {
    switch (requested) {
        case PresentPath::Renderer:
            return false;
        case PresentPath::Cpu:
            return true;
        case PresentPath::Automatic:
            break;
    }
    return RendersInSoftware(renderer);
}

bool CpuPresenter::Open(SDL_Window* window) {
    window_ = nullptr;
    if (!window) return false;
    // Left to itself SDL may show the surface through a GL texture, the
    // very detour this path avoids, where the window system takes the pixels
    // as they are (elsewhere that texture is the only way, and one copy of
    // the screen's size is still cheap).  A player's own setting still wins.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (SDL_strcmp(driver, "x11") == 0 || SDL_strcmp(driver, "windows") == 0))
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!SDL_GetWindowSurface(window)) return false;
    window_ = window;
    return true;
}

void CpuPresenter::Present(const std::uint32_t* pixels, int width, int height) {
    if (!window_ || !pixels) return;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);  // new after a resize
    if (!surface) return;
    if (surface->w != scaler_.out_w() || surface->h != scaler_.out_h() || width != pic_w_ ||
        height != pic_h_) {
        if (!scaler_.Configure(width, height, surface->w, surface->h)) return;
        pic_w_ = width;
        pic_h_ = height;
        staging_.clear();
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    if (FrameLayout(surface)) {
        scaler_.Scale(pixels, static_cast<std::uint32_t*>(surface->pixels), surface->pitch / 4);
    } else {
        staging_.resize(std::size_t(surface->w) * surface->h);
        scaler_.Scale(pixels, staging_.data(), surface->w);
        SDL_ConvertPixels(surface->w, surface->h, SDL_PIXELFORMAT_ARGB8888, staging_.data(),
                          surface->w * 4, surface->format->format, surface->pixels, surface->pitch);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window_);
}

void CpuPresenter::OutputSize(int* w, int* h) const {
    *w = *h = 0;
    if (!window_) return;
    if (SDL_Surface* surface = SDL_GetWindowSurface(window_)) {
        *w = surface->w;
        *h = surface->h;
    }
}

}  // namespace sdl_backend
