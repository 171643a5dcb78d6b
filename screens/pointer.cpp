// pointer.cpp -- steering the menu pointer with the joystick.
#include "screens/pointer.hpp"

#include "game/player.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"

int pointer_x = 0, pointer_y = 0;

void steer_pointer() {
    // Only a fully deflected stick moves the pointer, 6 pixels a frame per axis.
    pointer_x = MousePosX();
    pointer_y = MousePosY();
    if (JoyAxisX(0) == joy_left) {
        pointer_x -= 6;
        MoveMouse(pointer_x, pointer_y);
    }
    if (JoyAxisX(0) == joy_right) {
        pointer_x += 6;
        MoveMouse(pointer_x, pointer_y);
    }
    if (JoyAxisY(0) == joy_up) {
        pointer_y -= 6;
        MoveMouse(pointer_x, pointer_y);
    }
    if (JoyAxisY(0) == joy_down) {
        pointer_y += 6;
        MoveMouse(pointer_x, pointer_y);
    }
}

void reset_pointer() {
    pointer_x = 0;
    pointer_y = 0;
}
