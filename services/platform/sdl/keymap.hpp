// keymap.hpp -- SDL keys to the game's virtual key codes.
#pragma once

#include <SDL.h>

namespace sdl_backend {

// Virtual key code 1..255 for the key (letters 'A'..'Z', digits '0'..'9',
// 160..165 for left/right Shift, Control, Alt), 0 for a key the game has no code for.
int VirtualKey(const SDL_Keysym& key);

}  // namespace sdl_backend
