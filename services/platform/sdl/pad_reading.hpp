// pad_reading.hpp -- what a pad's controls read as on the game's joystick:
// the game walks and steers only at exactly -1 or +1 on an axis, and knows
// button 0 (remote, skip, choose) and button 1 (pause and resume).
#pragma once

#include <cstdint>

#include "services/platform/platform.hpp"

namespace sdl_backend {

// A pad SDL knows as a game controller, in its own terms.
struct PadState {
    bool dpad_left = false, dpad_right = false, dpad_up = false, dpad_down = false;
    std::int16_t stick_x = 0, stick_y = 0;  // left stick, -32768..32767, +y down
    bool south = false, east = false, start = false;
};

// Axes x and y read exactly -1.0, 0.0 or 1.0: the d-pad where it is held,
// else the stick past half its travel, only its larger axis when both are;
// south is button 0, east and Start are button 1.
platform::JoyReading PadReading(const PadState& pad);

// A device SDL knows only as a raw joystick: its first hat, when pushed,
// reads as the x and y extremes over what the axes say.  Called for every
// reading of a device that has a hat.
void ApplyHat(std::uint8_t hat, platform::JoyReading& reading);

// The reading of a port whose device was unplugged: every axis exactly 0.0
// and no button, so nothing stays held or walking.
platform::JoyReading NoDeviceReading();

}  // namespace sdl_backend
