// joystick.cpp -- SDL joysticks by port.  A port keeps its device while it
// is attached; a device plugged in later takes the first free port, so the
// first pad attached is joystick 0.  Pads SDL knows as game controllers are
// read through their named controls, whatever their button numbers; other
// devices are read raw.
#include <array>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/pad_reading.hpp"
#include "services/platform/sdl/sdl_joystick.hpp"

namespace {

constexpr int kPorts = 16;

struct Port {
    SDL_GameController* pad = nullptr;  // set for a known game controller
    SDL_Joystick* joy = nullptr;        // the device itself (the pad's own one for a pad)
};

struct JoystickState {
    bool started = false;
    std::array<Port, kPorts> ports{};
};

JoystickState& State() {
    static JoystickState state;
    return state;
}

bool Start() {
    JoystickState& s = State();
    if (!s.started) {
        // South is button 0 on every pad, whatever letter its maker printed there.
        SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
        s.started = SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) == 0;
    }
    return s.started;
}

Port OpenDevice(int device_index) {
    Port port;
    if (SDL_IsGameController(device_index)) {
        port.pad = SDL_GameControllerOpen(device_index);
        if (port.pad) port.joy = SDL_GameControllerGetJoystick(port.pad);
    }
    if (!port.joy) port.joy = SDL_JoystickOpen(device_index);
    return port;
}

void Close(Port& port) {
    if (port.pad) {
        SDL_GameControllerClose(port.pad);
    } else if (port.joy) {
        SDL_JoystickClose(port.joy);
    }
    port = Port{};
}

bool IsOpen(SDL_JoystickID instance) {
    for (const Port& port : State().ports) {
        if (port.joy && SDL_JoystickInstanceID(port.joy) == instance) return true;
    }
    return false;
}

platform::JoyReading ReadPad(SDL_GameController* pad) {
    sdl_backend::PadState state;
    auto held = [pad](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(pad, b) != 0;
    };
    state.dpad_left = held(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    state.dpad_right = held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    state.dpad_up = held(SDL_CONTROLLER_BUTTON_DPAD_UP);
    state.dpad_down = held(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    state.stick_x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    state.stick_y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    state.south = held(SDL_CONTROLLER_BUTTON_A);
    state.east = held(SDL_CONTROLLER_BUTTON_B);
    state.start = held(SDL_CONTROLLER_BUTTON_START);
    return sdl_backend::PadReading(state);
}

platform::JoyReading ReadRaw(SDL_Joystick* joy) {
    platform::JoyReading out;
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
    if (SDL_JoystickNumHats(joy) > 0) sdl_backend::ApplyHat(SDL_JoystickGetHat(joy, 0), out);
    return out;
}

}  // namespace

namespace sdl_backend {

void JoystickAdded(int device_index) {
    if (!State().started) return;
    // Devices present at start-up are announced too, after CountJoysticks
    // has already opened them.
    if (IsOpen(SDL_JoystickGetDeviceInstanceID(device_index))) return;
    for (Port& port : State().ports) {
        if (!port.joy) {
            port = OpenDevice(device_index);
            return;
        }
    }
}

void JoystickRemoved(SDL_JoystickID instance) {
    for (Port& port : State().ports) {
        if (port.joy && SDL_JoystickInstanceID(port.joy) == instance) Close(port);
    }
}

}  // namespace sdl_backend

namespace platform {

int JoystickCount() {
    if (!Start()) return 0;
    JoystickState& s = State();
    for (Port& port : s.ports) Close(port);
    const int devices = SDL_NumJoysticks();
    int count = 0;
    for (int i = 0; i < devices && count < kPorts; ++i) {
        Port port = OpenDevice(i);
        if (port.joy) s.ports[count++] = port;
    }
    return count;
}

bool ReadJoystick(int port, JoyReading& out) {
    JoystickState& s = State();
    if (!s.started || port < 0 || port >= kPorts) return false;
    SDL_JoystickUpdate();  // the device is read anew at every query
    Port& p = s.ports[port];
    if (p.joy && !SDL_JoystickGetAttached(p.joy)) Close(p);
    if (!p.joy) {
        // An empty port reads as no joystick, also right after an unplug
        // while a direction or button was held.
        out = sdl_backend::NoDeviceReading();
        return true;
    }
    out = p.pad ? ReadPad(p.pad) : ReadRaw(p.joy);
    return true;
}

}  // namespace platform
