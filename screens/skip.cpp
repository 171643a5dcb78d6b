// skip.cpp -- the skip press of the introduction and the game-over screen.
#include "screens/skip.hpp"

#include "services/input/input.hpp"
#include "services/input/joystick.hpp"

bool skip_pressed() {
    // Asking clears a hit, so a later source keeps its hit for the next frame.
    return KeyHitCount(KEY_LCONTROL) != 0 || JoyHitCount(0, 0) != 0 || MouseHitCount(1) != 0;
}
