// input.cpp -- the polled keyboard and mouse.  Window events are applied by
// the event rules as each is taken from the seam; every query takes the
// pending ones first, so a press is seen by the first query after it.
#include "services/input/input.hpp"

#include <array>

#include "services/platform/platform.hpp"

namespace {

constexpr int kKeys = 256;
constexpr int kButtons = 4;     // index 0 unused: buttons are 1 left, 2 right, 3 middle
constexpr int kCharRing = 256;  // typed characters kept unread at most

struct InputState {
    std::array<int, kKeys> key_down{};
    std::array<int, kKeys> key_hits{};
    std::array<int, kCharRing> char_queue{};
    unsigned char_get = 0, char_put = 0;  // free-running read and write counters
    std::array<int, kButtons> mouse_down{};
    std::array<int, kButtons> mouse_hits{};
    int mouse_x = 0, mouse_y = 0, mouse_z = 0;
    int suspended = 0;
    int close_requested = 0;
};

InputState& State() {
    static InputState state;
    return state;
}

bool ValidKey(int code) {
    return code >= 0 && code < kKeys;
}
bool ValidButton(int button) {
    return button >= 1 && button < kButtons;
}

void ForgetKeys(InputState& s) {
    s.key_down.fill(0);
    s.key_hits.fill(0);
    s.char_get = s.char_put = 0;
}

void ForgetMouse(InputState& s) {
    s.mouse_down.fill(0);
    s.mouse_hits.fill(0);
    s.mouse_z = 0;
}

void Apply(InputState& s, const platform::Event& e) {
    using platform::EventType;
    switch (e.type) {
        case EventType::KeyDown:
            // A held key counts one hit however long it is held.
            if (ValidKey(e.code) && !s.key_down[e.code]) {
                s.key_down[e.code] = 1;
                ++s.key_hits[e.code];
            }
            break;
        case EventType::KeyUp:
            if (ValidKey(e.code)) s.key_down[e.code] = 0;
            break;
        case EventType::Char:
            if (s.char_put - s.char_get < unsigned(kCharRing)) {
                s.char_queue[s.char_put % kCharRing] = e.code;
                ++s.char_put;
            }
            break;
        case EventType::MouseDown:
            if (ValidButton(e.code) && !s.mouse_down[e.code]) {
                s.mouse_down[e.code] = 1;
                ++s.mouse_hits[e.code];
            }
            break;
        case EventType::MouseUp:
            if (ValidButton(e.code)) s.mouse_down[e.code] = 0;
            break;
        case EventType::MouseMove:
            s.mouse_x = e.x;
            s.mouse_y = e.y;
            break;
        case EventType::Wheel:
            s.mouse_z += e.code;
            break;
        case EventType::FocusLost:
        case EventType::FocusGained:
            // Whatever was held or pressed around a focus change is dropped,
            // so nothing carries over an inactive spell.
            ForgetKeys(s);
            ForgetMouse(s);
            s.suspended = e.type == EventType::FocusLost ? 1 : 0;
            break;
        case EventType::Close:
            s.close_requested = 1;
            break;
    }
}

}  // namespace

void PollSystem() {
    InputState& s = State();
    platform::Event e;
    while (platform::PollEvent(e)) Apply(s, e);
}

void WaitSystem() {
    platform::WaitEvents();
}

int KeyHitCount(int code) {
    PollSystem();
    if (!ValidKey(code)) return 0;
    InputState& s = State();
    const int hits = s.key_hits[code];
    s.key_hits[code] = 0;
    return hits;
}

bool KeyIsDown(int code) {
    PollSystem();
    return ValidKey(code) && State().key_down[code] != 0;
}

void ClearKeys() {
    PollSystem();
    ForgetKeys(State());
}

int GetChar() {
    PollSystem();
    InputState& s = State();
    if (s.char_get == s.char_put) return 0;
    return s.char_queue[s.char_get++ % kCharRing];
}

int MousePosX() {
    PollSystem();
    return State().mouse_x;
}

int MousePosY() {
    PollSystem();
    return State().mouse_y;
}

int MouseZ() {
    PollSystem();
    return State().mouse_z;
}

int MouseHitCount(int button) {
    PollSystem();
    if (!ValidButton(button)) return 0;
    InputState& s = State();
    const int hits = s.mouse_hits[button];
    s.mouse_hits[button] = 0;
    return hits;
}

bool MouseIsDown(int button) {
    PollSystem();
    return ValidButton(button) && State().mouse_down[button] != 0;
}

void ClearMouse() {
    PollSystem();
    ForgetMouse(State());
}

// The position changes only when the move event this causes is taken.
void MoveMouse(int x, int y) {
    platform::WarpMouse(x, y);
}

void SetMouseVisible(bool visible) {
    platform::SetCursorVisible(visible);
}

bool InputSuspended() {
    PollSystem();
    return State().suspended != 0;
}

bool TakeCloseRequest() {
    PollSystem();
    InputState& s = State();
    const bool requested = s.close_requested != 0;
    s.close_requested = 0;
    return requested;
}

void ResetInput() {
    State() = InputState{};
}
