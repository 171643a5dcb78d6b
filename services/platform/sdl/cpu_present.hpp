// cpu_present.hpp -- presenting without a GPU.  Where the renderer SDL offers
// draws in software anyway (SDL's own, or GL on a software rasteriser), its
// two passes over the whole screen cost more than the game's frame: the
// frame is scaled by our own integer scaler straight into the window's
// surface instead, with the same sharp rule and the same black bars.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "services/platform/sdl/sharp_scaler.hpp"

namespace sdl_backend {

// How the next window presents.  The game leaves it automatic; tests and
// benchmarks pin a path to compare the two on one machine.
enum class PresentPath { Automatic, Renderer, Cpu };
void SetPresentPath(PresentPath path);
PresentPath RequestedPresentPath();

// True for a GL renderer string that names a software rasteriser.
bool IsSoftwareGl(const char* renderer_name);

// True when this renderer draws on the CPU: SDL's software renderer, or GL
// (its context current, as just after creation) on a software rasteriser.
bool RendersInSoftware(SDL_Renderer* renderer);

// Whether a window whose renderer is this one should present on the CPU.
bool WantsCpuPresent(SDL_Renderer* renderer);

class CpuPresenter {
   public:
    // Takes the window's surface (the window must have no renderer); false
    // when the window has none to give.
    bool Open(SDL_Window* window);
    bool open() const { return window_ != nullptr; }

    // Scales a frame into the surface and shows it; a surface of a new size
    // (after a resize or a switch of full screen) gets new tables first.
    void Present(const std::uint32_t* pixels, int width, int height);

    // The surface's size in pixels: the output size on this path.
    void OutputSize(int* w, int* h) const;

   private:
    SDL_Window* window_ = nullptr;
    SharpScaler scaler_;
    int pic_w_ = 0, pic_h_ = 0;  // the frame size the scaler's tables are for
    // Only for surfaces whose pixels are not 32-bit RGB: scaled here, then
    // converted.
    std::vector<std::uint32_t> staging_;
};

}  // namespace sdl_backend
