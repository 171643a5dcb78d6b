// joystick.cpp -- joysticks by port.  Each query reads its device anew, so a
// press that begins and ends between two queries is not seen; hits count the
// up-to-down changes between readings.
#include "services/input/joystick.hpp"

#include <array>
#include <cstdint>

#include "services/platform/platform.hpp"

namespace {

constexpr int kPorts = 256;
constexpr int kCountedButtons = 17;  // buttons 0..16 count hits
constexpr int kAxes = 6;             // x, y, z, r, u, v

struct PortState {
    std::uint32_t buttons = 0;  // bits of the last successful reading
    std::array<int, kCountedButtons> hits{};
    std::array<float, kAxes> axes{};
};

std::array<PortState, kPorts>& Ports() {
    static std::array<PortState, kPorts> ports;
    return ports;
}

float AxisValue(int pos, int min, int max) {
    if (max == 0) return 0.0f;
    // Exactly -1 and +1 at the ends of the range when min is 0.
    return float(pos - min) * 2.0f / float(max) - 1.0f;
}

// Reads the device at the port into its state; with no device there the
// state stays as it was (all zero if it never read).  Null for a bad port.
PortState* Read(int port) {
    if (port < 0 || port >= kPorts) return nullptr;
    PortState& p = Ports()[port];
    platform::JoyReading reading;
    if (!platform::ReadJoystick(port, reading)) return &p;
    const std::uint32_t pressed = reading.buttons & ~p.buttons;
    for (int i = 0; i < kCountedButtons; ++i) {
        if (pressed & (1u << i)) ++p.hits[i];
    }
    p.buttons = reading.buttons;
    const int axes = reading.axis_count < kAxes ? reading.axis_count : kAxes;
    for (int a = 0; a < axes; ++a) {
        p.axes[a] = AxisValue(reading.axis_pos[a], reading.axis_min, reading.axis_max);
    }
    return &p;
}

}  // namespace

int CountJoysticks() {
    ResetJoysticks();
    return platform::JoystickCount();
}

bool JoyIsDown(int button, int port) {
    const PortState* p = Read(port);
    if (!p || button < 0 || button >= 32) return false;
    return (p->buttons >> button) & 1u;
}

int JoyHitCount(int button, int port) {
    PortState* p = Read(port);
    if (!p || button < 0 || button >= kCountedButtons) return 0;
    const int hits = p->hits[button];
    p->hits[button] = 0;
    return hits;
}

float JoyAxisX(int port) {
    const PortState* p = Read(port);
    return p ? p->axes[0] : 0.0f;
}

float JoyAxisY(int port) {
    const PortState* p = Read(port);
    return p ? p->axes[1] : 0.0f;
}

void ResetJoysticks() {
    Ports().fill(PortState{});
}
