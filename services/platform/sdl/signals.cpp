// signals.cpp -- SIGHUP turned into a close request.  The handler only sets
// a flag; the event loop reads it at its next poll (within one frame, or
// within the 10 ms of a wait).
#include <csignal>

#include "services/platform/sdl/sdl_signals.hpp"

namespace {

volatile std::sig_atomic_t hangups = 0;

extern "C" void OnHangup(int) {
    hangups = 1;
}

}  // namespace

namespace sdl_backend {

void WatchHangup() {
    struct sigaction action {};
    action.sa_handler = OnHangup;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGHUP, &action, nullptr);
}

bool TakeHangup() {
    if (!hangups) return false;
    hangups = 0;
    return true;
}

}  // namespace sdl_backend
