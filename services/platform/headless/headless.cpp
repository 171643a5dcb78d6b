// headless.cpp -- the headless back end: a virtual clock with a 60 Hz
// vertical blank, a scripted event queue, a virtual joystick at port 0, the
// captured frame, and audio pulled in virtual time at each present.
#include "services/platform/headless/headless.hpp"

#include <array>
#include <cmath>
#include <deque>
#include <string>

namespace {

constexpr std::uint32_t kStartClock = 100000;
constexpr int kAudioRate = 44100;
constexpr int kAxisMax = 65535;
constexpr int kAxisRest = 32768;  // reads about 0 by the joystick rule
constexpr int kVirtualButtons = 16;

struct HeadlessState {
    std::uint32_t clock = kStartClock;
    std::deque<platform::Event> events;
    std::function<bool()> wait_handler;

    bool joy_attached = false;
    int joy_axis[2] = {kAxisRest, kAxisRest};
    std::uint32_t joy_buttons = 0;

    bool window_open = false;
    bool cursor_visible = true;
    std::string title;
    std::vector<std::uint32_t> frame;
    bool capture = true;  // presents copy the frame
    int frame_width = 0, frame_height = 0;

    platform::AudioPull audio_pull = nullptr;
    std::uint64_t audio_ms = 0;         // virtual time not yet pulled
    std::uint64_t audio_remainder = 0;  // sample frames x 1000 left over from the last pull
};

HeadlessState& State() {
    static HeadlessState state;
    return state;
}

// Every passing of virtual time goes through here, so the audio device
// hears exactly the time the game lived through.
void Advance(std::uint32_t ms) {
    HeadlessState& s = State();
    s.clock += ms;
    if (s.audio_pull) s.audio_ms += ms;
}

// Pulls the frames due for the virtual time passed since the last pull and
// discards them; the fraction of a frame is carried to the next pull.
void PullAudio() {
    HeadlessState& s = State();
    if (!s.audio_pull) return;
    const std::uint64_t scaled = s.audio_ms * kAudioRate + s.audio_remainder;
    std::uint64_t frames = scaled / 1000;
    s.audio_remainder = scaled % 1000;
    s.audio_ms = 0;
    static std::array<std::int16_t, 2 * 1024> buffer;
    while (frames > 0) {
        const int chunk = frames < 1024 ? int(frames) : 1024;
        s.audio_pull(buffer.data(), chunk);
        frames -= chunk;
    }
}

// The first vertical blank strictly after now: blank k is at floor(k * 1000 / 60) ms.
std::uint32_t NextBlank(std::uint32_t now) {
    std::uint64_t k = std::uint64_t(now) * 3 / 50;
    while (k * 50 / 3 <= now) ++k;
    return std::uint32_t(k * 50 / 3);
}

}  // namespace

namespace headless {

void Reset() {
    HeadlessState& s = State();
    // The audio device stays as the mixer left it; only its time starts anew.
    const platform::AudioPull pull = s.audio_pull;
    s = HeadlessState{};
    s.audio_pull = pull;
}

void SetClock(std::uint32_t ms) {
    State().clock = ms;
}
std::uint32_t Clock() {
    return State().clock;
}

void PushEvent(const platform::Event& event) {
    State().events.push_back(event);
}
bool HasPendingEvents() {
    return !State().events.empty();
}

void SetWaitHandler(std::function<bool()> handler) {
    State().wait_handler = std::move(handler);
}

void AttachJoystick(bool attached) {
    HeadlessState& s = State();
    if (s.joy_attached == attached) return;
    s.joy_attached = attached;
    s.joy_axis[0] = s.joy_axis[1] = kAxisRest;
    s.joy_buttons = 0;
}

void SetJoyAxis(int axis, float value) {
    if (axis < 0 || axis > 1) return;
    if (!(value >= -1.0f)) value = -1.0f;  // also catches NaN
    if (value > 1.0f) value = 1.0f;
    // Position 0 reads exactly -1, 65535 exactly +1, 0.0 the rest position.
    State().joy_axis[axis] = int(std::lround((double(value) + 1.0) * kAxisMax / 2.0));
}

void SetJoyButton(int button, bool down) {
    if (button < 0 || button >= kVirtualButtons) return;
    std::uint32_t& bits = State().joy_buttons;
    if (down) {
        bits |= 1u << button;
    } else {
        bits &= ~(1u << button);
    }
}

void CaptureFrames(bool on) {
    State().capture = on;
}
const std::vector<std::uint32_t>& LastFrame() {
    return State().frame;
}
int FrameWidth() {
    return State().frame_width;
}
int FrameHeight() {
    return State().frame_height;
}
bool CursorVisible() {
    return State().cursor_visible;
}
bool WindowOpen() {
    return State().window_open;
}

}  // namespace headless

namespace platform {

bool OpenWindow(int, int, bool, const std::string& title, std::string*) {
    HeadlessState& s = State();
    s.window_open = true;
    s.title = title;
    return true;
}

void CloseWindow() {
    State().window_open = false;
}

void SetWindowTitle(const std::string& title) {
    State().title = title;
}

void SetWindowIcon(const std::uint32_t*, int, int) {}

// The runner's output is its files and stderr; it never waits on a player.
bool ShowErrorBox(const std::string&, const std::string&) {
    return false;
}

void Present(const std::uint32_t* pixels, int width, int height, int sync) {
    HeadlessState& s = State();
    if (pixels && width > 0 && height > 0) {
        if (s.capture) s.frame.assign(pixels, pixels + std::size_t(width) * std::size_t(height));
        s.frame_width = width;
        s.frame_height = height;
    }
    if (sync == 1) Advance(NextBlank(s.clock) - s.clock);
    PullAudio();
}

bool PollEvent(Event& out) {
    HeadlessState& s = State();
    if (s.events.empty()) return false;
    out = s.events.front();
    s.events.pop_front();
    return true;
}

// A wait with events already queued ends at once, as on a real window;
// otherwise the runner's handler delivers the next scripted batch.
void WaitEvents() {
    HeadlessState& s = State();
    if (!s.events.empty()) return;
    if (!s.wait_handler || !s.wait_handler()) throw headless::WaitForever();
}

// Scripted pointers are not clamped to the screen, and neither are moves.
void WarpMouse(int x, int y) {
    State().events.push_back(Event{EventType::MouseMove, 0, x, y});
}

void SetCursorVisible(bool visible) {
    State().cursor_visible = visible;
}

std::uint32_t Millis() {
    return State().clock;
}

void Sleep(int ms) {
    if (ms > 0) Advance(std::uint32_t(ms));
}

int JoystickCount() {
    return State().joy_attached ? 1 : 0;
}

bool ReadJoystick(int port, JoyReading& out) {
    const HeadlessState& s = State();
    if (port != 0 || !s.joy_attached) return false;
    out = JoyReading{};
    out.buttons = s.joy_buttons;
    out.axis_count = 2;
    out.axis_pos[0] = s.joy_axis[0];
    out.axis_pos[1] = s.joy_axis[1];
    out.axis_min = 0;
    out.axis_max = kAxisMax;
    return true;
}

int OpenAudio(AudioPull pull) {
    HeadlessState& s = State();
    s.audio_pull = pull;
    s.audio_ms = 0;
    s.audio_remainder = 0;
    return pull ? kAudioRate : 0;
}

void CloseAudio() {
    HeadlessState& s = State();
    s.audio_pull = nullptr;
    s.audio_ms = 0;
    s.audio_remainder = 0;
}

}  // namespace platform
