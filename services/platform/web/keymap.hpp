// keymap.hpp -- browser keys and gamepads in the game's terms.  Pure
// functions of what the page reports, so they are tested off the browser.
#pragma once

#include "services/platform/platform.hpp"

namespace web_backend {

// KeyboardEvent.code ("ArrowLeft", "ControlLeft", "KeyA") to the game's
// virtual key code; 0 for keys the game has no code for.  Letters and digits
// go by position, as the page cannot ask the layout without a permission.
int VirtualKey(const char* code);

// One pad as the Gamepad API's standard mapping reports it: buttons 0 A,
// 1 B, 9 Start, 12..15 d-pad up, down, left, right; axes 0 and 1 the left
// stick, -1.0 left/up to 1.0 right/down.
struct PadState {
    int button_count = 0;
    bool buttons[32] = {};
    int axis_count = 0;
    double axes[4] = {};
};

// The reading the desktop's game controllers give: A is button 0, B and
// Start are button 1; the d-pad and a stick pushed past half way put the x
// and y axes at their extremes, otherwise they rest in the middle.
platform::JoyReading PadReading(const PadState& pad);

}  // namespace web_backend
