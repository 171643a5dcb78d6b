// events.cpp -- the page's keyboard, mouse and focus callbacks turned into
// the game's window events, queued until the game polls them.  Callbacks run
// while the game waits for the next animation frame or sleeps.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <deque>

#include "services/platform/web/keymap.hpp"
#include "services/platform/web/web.hpp"

namespace {

struct EventState {
    bool listening = false;
    std::deque<platform::Event> queue;
};

EventState& State() {
    static EventState state;
    return state;
}

// One UTF-8 character typed, as its code point; 0 for named keys ("Enter").
int TypedChar(const char* key) {
    const auto* p = reinterpret_cast<const unsigned char*>(key);
    if (!p[0]) return 0;
    int code = p[0];
    int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    if (extra) code &= 0x3F >> extra;
    ++p;
    while (extra-- > 0) {
        if ((*p & 0xC0) != 0x80) return 0;
        code = (code << 6) | (*p++ & 0x3F);
    }
    return *p ? 0 : code;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    const int code = web_backend::VirtualKey(e->code);
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (code != 0 && !e->repeat) {
        web_backend::QueueEvent(
            {down ? platform::EventType::KeyDown : platform::EventType::KeyUp, code});
    }
    if (down && !e->ctrlKey && !e->metaKey) {
        if (const int ch = TypedChar(e->key))
            web_backend::QueueEvent({platform::EventType::Char, ch});
    }
    // The game's keys must not scroll the page or leave it; the browser's
    // own shortcuts (reload, full screen, developer tools) still work.
    return code != 0 && code != 116 && code != 122 && code != 123;
}

// Positions on the scaled canvas back in back-buffer pixels, clamped to it.
void PointerAt(const EmscriptenMouseEvent* e, int* x, int* y) {
    double css_w = 0, css_h = 0;
    emscripten_get_element_css_size(web_backend::kCanvas, &css_w, &css_h);
    const int w = web_backend::CanvasWidth(), h = web_backend::CanvasHeight();
    const double sx = css_w > 0 ? w / css_w : 1.0, sy = css_h > 0 ? h / css_h : 1.0;
    *x = std::clamp(int(e->targetX * sx), 0, std::max(w - 1, 0));
    *y = std::clamp(int(e->targetY * sy), 0, std::max(h - 1, 0));
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void*) {
    using platform::EventType;
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        int x = 0, y = 0;
        PointerAt(e, &x, &y);
        web_backend::QueueEvent({EventType::MouseMove, 0, x, y});
        return true;
    }
    // DOM buttons: 0 left, 1 middle, 2 right.
    const int button = e->button == 0 ? 1 : e->button == 2 ? 2 : e->button == 1 ? 3 : 0;
    if (button == 0) return false;
    int x = 0, y = 0;
    PointerAt(e, &x, &y);
    web_backend::QueueEvent({EventType::MouseMove, 0, x, y});
    web_backend::QueueEvent(
        {type == EMSCRIPTEN_EVENT_MOUSEDOWN ? EventType::MouseDown : EventType::MouseUp, button});
    return true;
}

EM_BOOL OnWheel(int, const EmscriptenWheelEvent* e, void*) {
    const int steps = e->deltaY < 0 ? 1 : e->deltaY > 0 ? -1 : 0;
    if (steps != 0) web_backend::QueueEvent({platform::EventType::Wheel, steps});
    return true;
}

EM_BOOL OnFocus(int type, const EmscriptenFocusEvent*, void*) {
    web_backend::QueueEvent({type == EMSCRIPTEN_EVENT_BLUR ? platform::EventType::FocusLost
                                                           : platform::EventType::FocusGained});
    return false;
}

// A hidden tab gets no animation frames: it counts as a deactivated window.
EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    web_backend::QueueEvent(
        {e->hidden ? platform::EventType::FocusLost : platform::EventType::FocusGained});
    return false;
}

}  // namespace

namespace web_backend {

void QueueEvent(const platform::Event& event) {
    constexpr std::size_t kLimit = 4096;  // a game that stopped polling does not grow without end
    EventState& s = State();
    if (s.queue.size() < kLimit) s.queue.push_back(event);
}

void DropEvents() {
    State().queue.clear();
}

void ListenToPage() {
    EventState& s = State();
    if (s.listening) return;
    s.listening = true;
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, true, OnKey);
    emscripten_set_keyup_callback(page, nullptr, true, OnKey);
    emscripten_set_mousedown_callback(kCanvas, nullptr, true, OnMouse);
    emscripten_set_mouseup_callback(page, nullptr, true, OnMouse);
    emscripten_set_mousemove_callback(kCanvas, nullptr, true, OnMouse);
    emscripten_set_wheel_callback(kCanvas, nullptr, true, OnWheel);
    emscripten_set_blur_callback(page, nullptr, true, OnFocus);
    emscripten_set_focus_callback(page, nullptr, true, OnFocus);
    emscripten_set_visibilitychange_callback(nullptr, true, OnVisibility);
    EM_ASM(
        {
            var canvas = document.querySelector(UTF8ToString($0));
            if (canvas)
                canvas.addEventListener(
                    "contextmenu", function(e) { e.preventDefault(); });
        },
        kCanvas);
}

}  // namespace web_backend

namespace platform {

bool PollEvent(Event& out) {
    EventState& s = State();
    if (s.queue.empty()) return false;
    out = s.queue.front();
    s.queue.pop_front();
    return true;
}

// Gives the browser a few milliseconds to deliver input, so the game's
// waiting loops neither spin nor freeze the page.
void WaitEvents() {
    web_backend::PersistIfChanged();
    if (!State().queue.empty()) return;
    emscripten_sleep(10);
    web_backend::NoteYield();
}

// A page cannot move the pointer; the game still sees it where it put it.
void WarpMouse(int x, int y) {
    web_backend::QueueEvent({EventType::MouseMove, 0, x, y});
}

}  // namespace platform
