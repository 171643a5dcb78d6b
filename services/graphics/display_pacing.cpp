// display_pacing.cpp -- 60 frames a second: trust the vertical blank when it
// is steady, otherwise sleep to a schedule that never tries to catch up.
#include "services/graphics/display_pacing.hpp"

#include <cstdint>

namespace display_pacing {
namespace {

// Milliseconds from a to b on the wrapping 32-bit clock.
int Elapsed(int a, int b) {
    return int(std::uint32_t(b) - std::uint32_t(a));
}

// Presents a broken clock could never stop: the probe gives up after these.
constexpr int kProbePresentLimit = 1000;

// True when three presents in a row each took one period (within 1 ms).
bool VerticalBlankIsSteady(TFrameClock& clock, int hertz) {
    const int period = 1000 / hertz;
    const int start = clock.Now();
    int good = 0;
    for (int presents = 0; presents < kProbePresentLimit && Elapsed(start, clock.Now()) < 1000;
         ++presents) {
        const int before = clock.Now();
        clock.Present(1);
        const int diff = Elapsed(before, clock.Now()) - period;
        if (diff >= -1 && diff <= 1) {
            if (++good == 3) return true;
        } else {
            good = 0;
        }
    }
    return false;
}

}  // namespace

void SetUpPacing(TDisplay& d, TFrameClock& clock) {
    const int hertz = d.hertz > 0 ? d.hertz : 0;
    d.soft_sync = true;
    if (hertz == 0) {
        d.soft_sync = false;
    } else if (d.depth != 0 && VerticalBlankIsSteady(clock, hertz)) {
        d.soft_sync = false;
    }
    d.period = hertz ? 1000 / hertz : 0;
    d.remainder = 1000 - d.period * hertz;
    d.accumulator = 0;
    d.next_frame_time = clock.Now();
}

void PacedFlip(TDisplay& d, TFrameClock& clock, int sync) {
    if (sync != -1) {
        clock.Present(sync);
        return;
    }
    if (!d.soft_sync) {
        clock.Present(d.depth != 0 ? 1 : 0);
        return;
    }
    std::uint32_t next = std::uint32_t(d.next_frame_time) + std::uint32_t(d.period);
    d.accumulator += d.remainder;
    if (d.accumulator >= d.hertz) {
        d.accumulator -= d.hertz;
        next += 1;
    }
    d.next_frame_time = int(next);
    const int now = clock.Now();
    const int wait = Elapsed(now, d.next_frame_time);
    if (wait > 0) {
        clock.Sleep(wait);
    } else {
        d.next_frame_time = now;  // late: the next slot counts from now
    }
    clock.Present(0);
}

}  // namespace display_pacing
