// joystick.cpp -- SDL joysticks by port.  A port keeps its device while it
// is attached; a device plugged in later takes the first free port.
#include <array>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/sdl_joystick.hpp"

namespace {

constexpr int kPorts = 16;

struct JoystickState {
    bool started = false;
    std::array<SDL_Joystick*, kPorts> ports{};
};

JoystickState& State() {
    static JoystickState state;
    return state;
}

bool Start() {
    JoystickState& s = State();
    if (!s.started) s.started = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    return s.started;
}

bool IsOpen(SDL_JoystickID instance) {
    for (SDL_Joystick* joy : State().ports) {
        if (joy && SDL_JoystickInstanceID(joy) == instance) return true;
    }
    return false;
}

}  // namespace

namespace sdl_backend {

void JoystickAdded(int device_index) {
    if (!State().started) return;
    // Devices present at start-up are announced too, after CountJoysticks
    // has already opened them.
    if (IsOpen(SDL_JoystickGetDeviceInstanceID(device_index))) return;
    for (SDL_Joystick*& port : State().ports) {
        if (!port) {
            port = SDL_JoystickOpen(device_index);
            return;
        }
    }
}

void JoystickRemoved(SDL_JoystickID instance) {
    for (SDL_Joystick*& port : State().ports) {
        if (port && SDL_JoystickInstanceID(port) == instance) {
            SDL_JoystickClose(port);
            port = nullptr;
        }
    }
}

}  // namespace sdl_backend

namespace platform {

int JoystickCount() {
    if (!Start()) return 0;
    JoystickState& s = State();
    for (SDL_Joystick*& port : s.ports) {
        if (port) SDL_JoystickClose(port);
        port = nullptr;
    }
    const int devices = SDL_NumJoysticks();
    int count = 0;
    for (int i = 0; i < devices && count < kPorts; ++i) {
        if (SDL_Joystick* joy = SDL_JoystickOpen(i)) s.ports[count++] = joy;
    }
    return count;
}

bool ReadJoystick(int port, JoyReading& out) {
    JoystickState& s = State();
    if (!s.started || port < 0 || port >= kPorts || !s.ports[port]) return false;
    SDL_Joystick* joy = s.ports[port];
    SDL_JoystickUpdate();  // the device is read anew at every query
    if (!SDL_JoystickGetAttached(joy)) return false;
    out = JoyReading{};
    const int buttons = SDL_JoystickNumButtons(joy);
    for (int b = 0; b < buttons && b < 32; ++b) {
        if (SDL_JoystickGetButton(joy, b)) out.buttons |= 1u << b;
    }
    const int axes = SDL_JoystickNumAxes(joy);
    out.axis_count = axes < 6 ? axes : 6;
    // Raw -32768..32767 becomes 0..65535, so both extremes read exactly -1 and +1.
    for (int a = 0; a < out.axis_count; ++a) {
        out.axis_pos[a] = int(SDL_JoystickGetAxis(joy, a)) + 32768;
    }
    out.axis_min = 0;
    out.axis_max = 65535;
    return true;
}

}  // namespace platform
