// pad_rule.hpp -- what a game pad's controls read as on the game's joystick,
// the one rule for every back end: the game walks and steers only at exactly
// -1 or +1 on an axis, and knows button 0 (remote, skip, choose) and button 1
// (pause and resume).
#pragma once

#include <cmath>

#include "services/platform/platform.hpp"

namespace platform {

// A pad's controls as its back end reports them, the stick as a share of its
// travel.
struct PadControls {
    bool dpad_left = false, dpad_right = false, dpad_up = false, dpad_down = false;
    double stick_x = 0.0, stick_y = 0.0;  // left stick, -1.0 left/up to 1.0 right/down
    bool south = false;                   // A on an Xbox-style pad
    bool east = false, start = false;     // B, and Start
};

// Axes x and y read exactly -1.0, 0.0 or 1.0 (positions 0, 1, 2 of 0..2): the
// d-pad where it is held, else the stick past half its travel, only its
// larger axis when both are, so a diagonal never walks two ways.  South is
// button 0, east and Start are button 1.
inline JoyReading ReadPad(const PadControls& pad) {
    // -1, 0 or +1 from two opposite directions; both held cancel out.
    const auto direction = [](bool negative, bool positive) {
        return (positive ? 1 : 0) - (negative ? 1 : 0);
    };
    const auto pushed = [](double share) { return share > 0.5 ? 1 : share < -0.5 ? -1 : 0; };
    int dx = direction(pad.dpad_left, pad.dpad_right);
    int dy = direction(pad.dpad_up, pad.dpad_down);
    if (!pad.dpad_left && !pad.dpad_right && !pad.dpad_up && !pad.dpad_down) {
        dx = pushed(pad.stick_x);  // NaN is neither, so it rests
        dy = pushed(pad.stick_y);
        if (dx != 0 && dy != 0) {
            if (std::fabs(pad.stick_x) >= std::fabs(pad.stick_y)) {
                dy = 0;
            } else {
                dx = 0;
            }
        }
    }
    JoyReading r;
    r.axis_count = 2;
    r.axis_min = 0;
    r.axis_max = 2;
    r.axis_pos[0] = 1 + dx;
    r.axis_pos[1] = 1 + dy;
    if (pad.south) r.buttons |= 1u << 0;
    if (pad.east || pad.start) r.buttons |= 1u << 1;
    return r;
}

}  // namespace platform
