// pad_reading.cpp -- pads and hats turned into the game's joystick reading.
// Readings are made on a 0..2 scale so the input service's conversion gives
// -1.0, 0.0 and 1.0 exactly.
#include "services/platform/sdl/pad_reading.hpp"

#include <SDL.h>

#include <cstdlib>

namespace sdl_backend {

namespace {

constexpr int kHalfTravel = 16384;  // past this a stick counts as pushed fully

platform::JoyReading Neutral() {
    platform::JoyReading r;
    r.axis_count = 2;
    r.axis_min = 0;
    r.axis_max = 2;
    r.axis_pos[0] = r.axis_pos[1] = 1;
    return r;
}

// -1, 0 or +1 from two opposite directions; both held cancel out.
int Direction(bool negative, bool positive) {
    return (positive ? 1 : 0) - (negative ? 1 : 0);
}

int StickDirection(int value) {
    return value > kHalfTravel ? 1 : value < -kHalfTravel ? -1 : 0;
}

}  // namespace

platform::JoyReading PadReading(const PadState& pad) {
    platform::JoyReading r = Neutral();
    int dx = Direction(pad.dpad_left, pad.dpad_right);
    int dy = Direction(pad.dpad_up, pad.dpad_down);
    if (!pad.dpad_left && !pad.dpad_right && !pad.dpad_up && !pad.dpad_down) {
        dx = StickDirection(pad.stick_x);
        dy = StickDirection(pad.stick_y);
        // A diagonal walks one way only: the axis pushed further wins.
        if (dx != 0 && dy != 0) {
            if (std::abs(int(pad.stick_x)) >= std::abs(int(pad.stick_y))) {
                dy = 0;
            } else {
                dx = 0;
            }
        }
    }
    r.axis_pos[0] = 1 + dx;
    r.axis_pos[1] = 1 + dy;
    if (pad.south) r.buttons |= 1u << 0;
    if (pad.east || pad.start) r.buttons |= 1u << 1;
    return r;
}

void ApplyHat(std::uint8_t hat, platform::JoyReading& reading) {
    if (reading.axis_count < 2) {
        // No stick to speak of: the hat at rest reads as the middle, so a
        // released hat never leaves the last extreme standing.
        for (int a = reading.axis_count; a < 2; ++a) {
            reading.axis_pos[a] = reading.axis_min + (reading.axis_max - reading.axis_min + 1) / 2;
        }
        reading.axis_count = 2;
    }
    if (hat & SDL_HAT_LEFT) reading.axis_pos[0] = reading.axis_min;
    if (hat & SDL_HAT_RIGHT) reading.axis_pos[0] = reading.axis_max;
    if (hat & SDL_HAT_UP) reading.axis_pos[1] = reading.axis_min;
    if (hat & SDL_HAT_DOWN) reading.axis_pos[1] = reading.axis_max;
}

platform::JoyReading NoDeviceReading() {
    platform::JoyReading r = Neutral();
    r.axis_count = 6;
    for (int& pos : r.axis_pos) pos = 1;
    return r;
}

}  // namespace sdl_backend
