// sdl_window.hpp -- what the SDL back end's event code (and its tests) need
// of the window: the window and renderer (null while closed), the logical
// screen size, the pointer mapping and the full-screen toggle.
#pragma once

#include <SDL.h>

#include "services/platform/sdl/letterbox.hpp"

namespace sdl_backend {

SDL_Window* Window();      // null while no window is open
SDL_Renderer* Renderer();  // null while no window is open
int LogicalWidth();        // back-buffer pixels, 640 for the game
int LogicalHeight();

// The window's size in output pixels (HiDPI screens included), on either
// present path; 0 x 0 while closed.
void OutputSize(int* w, int* h);
// True when frames go through the CPU's own scaler rather than a renderer
// (Renderer() is null then).
bool PresentsOnCpu();

// The picture's box in output pixels for the window's present size.
Box PictureBox();
// A pointer position in window coordinates as a back-buffer pixel, clamped
// to the picture (positions in the bars read the nearest edge).
void WindowToPicture(int wx, int wy, int* x, int* y);

bool IsFullScreen();
// Full screen to a resizable window and back.  The picture, the game's
// input and its pacing carry on as they were.
void ToggleFullScreen();

// Draws the last presented frame into the renderer's back buffer, letterbox
// and all, without presenting it (the present path, and tests reading it
// back).  Nothing to do on the CPU path: its surface holds the frame.
void ComposeFrame();

}  // namespace sdl_backend
