// sdl_window.hpp -- what the SDL back end's event code needs of its window:
// the window and renderer (null while closed) and the logical screen size.
#pragma once

#include <SDL.h>

namespace sdl_backend {

SDL_Window* Window();      // null while no window is open
SDL_Renderer* Renderer();  // null while no window is open
int LogicalWidth();        // back-buffer pixels, 640 for the game
int LogicalHeight();

}  // namespace sdl_backend
