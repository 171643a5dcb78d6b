// window.cpp -- the canvas: the back buffer copied into it at each present,
// a present with sync 1 waiting for the browser's next animation frame.  The
// page scales the canvas sharply to fit the window, aspect kept.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <vector>

#include "services/platform/web/web.hpp"

namespace {

constexpr double kLongestWithoutPaint = 30.0;  // ms

struct WindowState {
    bool open = false;
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgba;  // the frame in the canvas's byte order
};

WindowState& State() {
    static WindowState state;
    return state;
}

// Suspends the game until the browser is about to paint the next frame: the
// game's own loop stays as it is, the browser paces it.
// The time the game worked since it last woke is summed for the page's
// frame-cost figure (Module.bodgerFrames, Module.bodgerWorkMs).
// clang-format off
EM_ASYNC_JS(void, wait_animation_frame, (), {
    var now = performance.now();
    if (Module["bodgerWoke"]) {
        Module["bodgerFrames"] = (Module["bodgerFrames"] || 0) + 1;
        Module["bodgerWorkMs"] = (Module["bodgerWorkMs"] || 0) + (now - Module["bodgerWoke"]);
    }
    await new Promise(function(resolve) { requestAnimationFrame(function() { resolve(); }); });
    Module["bodgerWoke"] = performance.now();
});
// clang-format on

EM_JS(void, put_frame, (const void* rgba, int width, int height), {
    var canvas = Module["canvas"];
    if (!canvas) return;
    if (!Module["bodgerContext"]) Module["bodgerContext"] = canvas.getContext("2d");
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    Module["bodgerContext"].putImageData(new ImageData(pixels, width, height), 0, 0);
});

EM_JS(void, set_title, (const char* title), { document.title = UTF8ToString(title); });

EM_JS(void, set_cursor, (int visible), {
    if (Module["canvas"]) Module["canvas"].style.cursor = visible ? "" : "none";
});

}  // namespace

namespace web_backend {

int CanvasWidth() {
    return State().width;
}
int CanvasHeight() {
    return State().height;
}

}  // namespace web_backend

namespace platform {

// The page decides the shown size; full screen is the player's choice (the
// page's button or double click), as browsers allow it only on a gesture.
bool OpenWindow(int width, int height, bool, const std::string& title, std::string* error) {
    if (emscripten_set_canvas_element_size(web_backend::kCanvas, width, height) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        if (error) *error = "the page has no canvas";
        return false;
    }
    WindowState& s = State();
    s.open = true;
    s.width = width;
    s.height = height;
    s.rgba.assign(std::size_t(width) * std::size_t(height), 0xFF000000u);
    set_title(title.c_str());
    web_backend::ListenToPage();
    return true;
}

void CloseWindow() {
    State() = WindowState{};
}

void SetWindowTitle(const std::string& title) {
    set_title(title.c_str());
}

// The page carries its own icon.
void SetWindowIcon(const std::uint32_t*, int, int) {}

// The page shows what reaches the console.
bool ShowErrorBox(const std::string&, const std::string&) {
    return false;
}

void Present(const std::uint32_t* pixels, int width, int height, int sync) {
    WindowState& s = State();
    if (s.open && pixels && width == s.width && height == s.height) {
        // 0xAARRGGBB to the bytes R, G, B, A with alpha opaque.
        const std::size_t count = std::size_t(width) * std::size_t(height);
        std::uint32_t* out = s.rgba.data();
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t p = pixels[i];
            out[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
        }
        put_frame(out, width, height);
    }
    web_backend::PersistIfChanged();
    if (sync == 1) {
        wait_animation_frame();
        web_backend::NoteYield();
    } else if (web_backend::MillisSinceYield() > kLongestWithoutPaint) {
        // A game running late never sleeps; the page must still paint.
        emscripten_sleep(0);
        web_backend::NoteYield();
    }
}

void SetCursorVisible(bool visible) {
    set_cursor(visible ? 1 : 0);
}

}  // namespace platform
