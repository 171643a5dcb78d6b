// events.cpp -- SDL events turned into the game's window events: virtual key
// codes, buttons 1 left / 2 right / 3 middle, pointer positions in back-buffer
// pixels.  SDL turns SIGINT and SIGTERM into a quit event, which arrives here
// as the close box, so the game's exit sequence still runs; SIGHUP does too.
// Alt+Enter and F11 switch between full screen and a window and never reach
// the game.
#include <cmath>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/keymap.hpp"
#include "services/platform/sdl/sdl_joystick.hpp"
#include "services/platform/sdl/sdl_signals.hpp"
#include "services/platform/sdl/sdl_window.hpp"

namespace {

// One text-input event can carry several characters; the rest wait here.
struct PendingChars {
    static constexpr int kSize = 64;
    int codes[kSize] = {};
    int get = 0, put = 0;
};

PendingChars& Chars() {
    static PendingChars chars;
    return chars;
}

// Decodes the UTF-8 text into code points queued as characters.
void QueueText(const char* text) {
    PendingChars& q = Chars();
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        int code = *p++;
        int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
        if (extra) code &= 0x3F >> extra;
        while (extra-- > 0 && (*p & 0xC0) == 0x80) code = (code << 6) | (*p++ & 0x3F);
        if (q.put - q.get < PendingChars::kSize) q.codes[q.put++ % PendingChars::kSize] = code;
    }
}

int GameButton(Uint8 sdl_button) {
    switch (sdl_button) {
        case SDL_BUTTON_LEFT:
            return 1;
        case SDL_BUTTON_RIGHT:
            return 2;
        case SDL_BUTTON_MIDDLE:
            return 3;
        default:
            return 0;
    }
}

// Switching between full screen and a window makes some window managers
// take the focus away and give it back.  For a while after a switch the
// focus events are held back; then the game hears only a real change, so
// the switch neither suspends the game nor clears its input.
constexpr Uint32 kFocusSettleMs = 750;

struct ToggleState {
    bool swallowing[SDL_NUM_SCANCODES] = {};  // toggle keys whose release is not the game's
    bool settling = false;
    Uint32 settle_start = 0;
    int told_focus = -1;  // the focus the game last heard of: 1, 0, or -1 not yet
};

ToggleState& Toggle() {
    static ToggleState state;
    return state;
}

bool IsToggleKey(const SDL_Keysym& key) {
    if (key.scancode == SDL_SCANCODE_F11) return true;
    const bool enter = key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER;
    return enter && (key.mod & KMOD_ALT) != 0;
}

// True when the key event belongs to the toggle and must not reach the game.
bool HandleToggleKey(const SDL_KeyboardEvent& key) {
    ToggleState& t = Toggle();
    const SDL_Scancode code = key.keysym.scancode;
    if (code < 0 || code >= SDL_NUM_SCANCODES) return false;
    if (key.type == SDL_KEYUP) {
        if (!t.swallowing[code]) return false;
        t.swallowing[code] = false;
        return true;
    }
    if (t.swallowing[code]) return true;  // its auto-repeats
    // A key already held for the game stays the game's, Alt or not.
    if (key.repeat || !IsToggleKey(key.keysym)) return false;
    t.swallowing[code] = true;
    sdl_backend::ToggleFullScreen();
    t.settling = true;
    t.settle_start = SDL_GetTicks();
    return true;
}

// A focus change for the game, or false while the window is settling after
// a switch.
bool FocusEvent(bool gained, platform::Event& out) {
    ToggleState& t = Toggle();
    if (t.settling) return false;
    t.told_focus = gained ? 1 : 0;
    out = {gained ? platform::EventType::FocusGained : platform::EventType::FocusLost};
    return true;
}

// Once the window has settled: the focus change the game has not heard of.
bool SettledFocus(platform::Event& out) {
    ToggleState& t = Toggle();
    if (!t.settling || SDL_GetTicks() - t.settle_start < kFocusSettleMs) return false;
    t.settling = false;
    SDL_Window* window = sdl_backend::Window();
    if (!window || t.told_focus < 0) return false;
    const bool focused = (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
    if (focused == (t.told_focus == 1)) return false;
    return FocusEvent(focused, out);
}

// Translates one SDL event; false for events the game has no use for.
bool Translate(const SDL_Event& e, platform::Event& out) {
    using platform::EventType;
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (HandleToggleKey(e.key)) return false;
            if (e.key.repeat) return false;
            const int code = sdl_backend::VirtualKey(e.key.keysym);
            if (code == 0) return false;
            out = {e.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp, code};
            return true;
        }
        case SDL_TEXTINPUT:
            QueueText(e.text.text);
            return false;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int button = GameButton(e.button.button);
            if (button == 0) return false;
            out = {e.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp,
                   button};
            return true;
        }
        case SDL_MOUSEMOTION:
            out = {EventType::MouseMove};
            sdl_backend::WindowToPicture(e.motion.x, e.motion.y, &out.x, &out.y);
            return true;
        case SDL_MOUSEWHEEL: {
            int steps = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
            if (steps == 0) return false;
            out = {EventType::Wheel, steps};
            return true;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) return FocusEvent(false, out);
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) return FocusEvent(true, out);
            return false;
        case SDL_QUIT:
            out = {EventType::Close};
            return true;
        case SDL_JOYDEVICEADDED:
            sdl_backend::JoystickAdded(e.jdevice.which);
            return false;
        case SDL_JOYDEVICEREMOVED:
            sdl_backend::JoystickRemoved(e.jdevice.which);
            return false;
        default:
            return false;
    }
}

}  // namespace

namespace platform {

bool PollEvent(Event& out) {
    PendingChars& q = Chars();
    for (;;) {
        if (q.get != q.put) {
            out = {EventType::Char, q.codes[q.get++ % PendingChars::kSize]};
            if (q.get == q.put) q.get = q.put = 0;
            return true;
        }
        if (sdl_backend::TakeHangup()) {
            out = {EventType::Close};
            return true;
        }
        if (SettledFocus(out)) return true;
        SDL_Event e;
        if (!SDL_PollEvent(&e)) return false;
        if (Translate(e, out)) return true;
    }
}

// Blocks a few milliseconds at most, leaving whatever arrives in SDL's
// queue for PollEvent, so the waiting loops do not spin.
void WaitEvents() {
    if (Chars().get != Chars().put) return;
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) {
        SDL_Delay(5);
        return;
    }
    SDL_WaitEventTimeout(nullptr, 10);
}

void WarpMouse(int x, int y) {
    SDL_Window* window = sdl_backend::Window();
    if (!window) return;
    // Aim at the middle of the back-buffer pixel so the move event that
    // follows maps back to exactly (x, y) wherever a back-buffer pixel is at
    // least one window pixel.
    int ww = 0, wh = 0, ow = 0, oh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    sdl_backend::OutputSize(&ow, &oh);
    if (ow <= 0 || oh <= 0) return;
    const sdl_backend::Box box = sdl_backend::PictureBox();
    const double px =
        sdl_backend::OutputPosition(x, box.x, box.w, sdl_backend::LogicalWidth()) * ww / ow;
    const double py =
        sdl_backend::OutputPosition(y, box.y, box.h, sdl_backend::LogicalHeight()) * wh / oh;
    SDL_WarpMouseInWindow(window, int(std::floor(px)), int(std::floor(py)));
}

}  // namespace platform
