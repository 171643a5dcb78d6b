// gamepad.cpp -- the Gamepad API's pads by port, read afresh at every query
// and mapped like the desktop's game controllers.  A browser without
// gamepads reports none.
#include <emscripten/html5.h>

#include <algorithm>

#include "services/platform/web/keymap.hpp"
#include "services/platform/web/web.hpp"

namespace {

constexpr int kPorts = 16;

bool Sample() {
    return emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS;
}

}  // namespace

namespace platform {

int JoystickCount() {
    if (!Sample()) return 0;
    return std::clamp(emscripten_get_num_gamepads(), 0, kPorts);
}

bool ReadJoystick(int port, JoyReading& out) {
    if (port < 0 || port >= kPorts || !Sample()) return false;
    EmscriptenGamepadEvent pad{};
    if (emscripten_get_gamepad_status(port, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected)
        return false;
    web_backend::PadState state;
    state.button_count = std::min(pad.numButtons, 32);
    for (int b = 0; b < state.button_count; ++b) state.buttons[b] = pad.digitalButton[b] != 0;
    state.axis_count = std::min(pad.numAxes, 4);
    for (int a = 0; a < state.axis_count; ++a) state.axes[a] = pad.axis[a];
    out = web_backend::PadReading(state);
    return true;
}

}  // namespace platform
