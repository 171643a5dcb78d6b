// sdl_joystick.hpp -- hot-plugging, fed by the event loop.
#pragma once

#include <SDL.h>

namespace sdl_backend {

void JoystickAdded(int device_index);           // opens it into a free port
void JoystickRemoved(SDL_JoystickID instance);  // frees its port; other ports stay put

}  // namespace sdl_backend
