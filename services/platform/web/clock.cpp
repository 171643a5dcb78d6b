// clock.cpp -- the page's millisecond clock and sleeping.  The clock counts
// from the epoch, not from the page's load, because the game seeds its
// random stream with it.  Sleeping hands control to the browser.
#include <emscripten.h>

#include <cmath>

#include "services/platform/web/web.hpp"

namespace {

double& LastYield() {
    static double last = 0;
    return last;
}

}  // namespace

namespace web_backend {

void NoteYield() {
    LastYield() = emscripten_get_now();
}

double MillisSinceYield() {
    return emscripten_get_now() - LastYield();
}

}  // namespace web_backend

namespace platform {

std::uint32_t Millis() {
    const double now = EM_ASM_DOUBLE({ return performance.timeOrigin + performance.now(); });
    return std::uint32_t(std::uint64_t(std::floor(now)));
}

void Sleep(int ms) {
    web_backend::PersistIfChanged();
    if (ms <= 0) return;
    emscripten_sleep(unsigned(ms));
    web_backend::NoteYield();
}

}  // namespace platform
