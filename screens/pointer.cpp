// pointer.cpp -- steering the menu pointer with the joystick.
#include "screens/pointer.hpp"

#include <limits>

#include "game/player.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"

int pointer_x = 0, pointer_y = 0;

namespace {

// One step of the pointer; a pointer already at the far end of int (where
// only a test script can put it) stays there instead of wrapping round.
int step(int at, int by) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    if (by > 0 && at > kMax - by) return kMax;
    if (by < 0 && at < kMin - by) return kMin;
    return at + by;
}

}  // namespace

void steer_pointer() {
    // Only a fully deflected stick moves the pointer, 6 pixels a frame per axis.
    pointer_x = MousePosX();
    pointer_y = MousePosY();
    if (JoyAxisX(0) == joy_left) {
        pointer_x = step(pointer_x, -6);
        MoveMouse(pointer_x, pointer_y);
    }
    if (JoyAxisX(0) == joy_right) {
        pointer_x = step(pointer_x, 6);
        MoveMouse(pointer_x, pointer_y);
    }
    if (JoyAxisY(0) == joy_up) {
        pointer_y = step(pointer_y, -6);
        MoveMouse(pointer_x, pointer_y);
    }
    if (JoyAxisY(0) == joy_down) {
        pointer_y = step(pointer_y, 6);
        MoveMouse(pointer_x, pointer_y);
    }
}

void reset_pointer() {
    pointer_x = 0;
    pointer_y = 0;
}
