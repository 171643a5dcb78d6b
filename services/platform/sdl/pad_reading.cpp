// pad_reading.cpp -- pads and hats turned into the game's joystick reading.
// Readings are made on a 0..2 scale so the input service's conversion gives
// -1.0, 0.0 and 1.0 exactly.
#include "services/platform/sdl/pad_reading.hpp"

#include <SDL.h>

#include "services/platform/pad_rule.hpp"

namespace sdl_backend {

namespace {

platform::JoyReading Neutral() {
    platform::JoyReading r;
    r.axis_count = 2;
    r.axis_min = 0;
    r.axis_max = 2;
    r.axis_pos[0] = r.axis_pos[1] = 1;
    return r;
}

}  // namespace

platform::JoyReading PadReading(const PadState& pad) {
    // SDL's stick runs -32768..32767: past 16384 is past half its travel.
    return platform::ReadPad({pad.dpad_left, pad.dpad_right, pad.dpad_up, pad.dpad_down,
                              pad.stick_x / 32768.0, pad.stick_y / 32768.0, pad.south, pad.east,
                              pad.start});
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
