// events.cpp -- SDL events turned into the game's window events: virtual key
// codes, buttons 1 left / 2 right / 3 middle, pointer positions in back-buffer
// pixels.  SDL turns SIGINT and SIGTERM into a quit event, which arrives here
// as the close box, so the game's exit sequence still runs.
#include <algorithm>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/keymap.hpp"
#include "services/platform/sdl/sdl_joystick.hpp"
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

// Positions in the black bars come out negative or past the edge.
int Clamp(int value, int size) {
    return std::clamp(value, 0, size > 0 ? size - 1 : 0);
}

// Translates one SDL event; false for events the game has no use for.
bool Translate(const SDL_Event& e, platform::Event& out) {
    using platform::EventType;
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
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
            out = {EventType::MouseMove, 0, Clamp(e.motion.x, sdl_backend::LogicalWidth()),
                   Clamp(e.motion.y, sdl_backend::LogicalHeight())};
            return true;
        case SDL_MOUSEWHEEL: {
            int steps = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
            if (steps == 0) return false;
            out = {EventType::Wheel, steps};
            return true;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                out = {EventType::FocusLost};
                return true;
            }
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                out = {EventType::FocusGained};
                return true;
            }
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
    SDL_Renderer* renderer = sdl_backend::Renderer();
    if (!window || !renderer) return;
    // Aim at the middle of the back-buffer pixel so the move event that
    // follows maps back to exactly (x, y) whatever the scale.
    int wx = 0, wy = 0;
    SDL_RenderLogicalToWindow(renderer, float(x) + 0.5f, float(y) + 0.5f, &wx, &wy);
    SDL_WarpMouseInWindow(window, wx, wy);
}

}  // namespace platform
