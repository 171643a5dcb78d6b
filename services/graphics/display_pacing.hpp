// display_pacing.hpp -- frame pacing: the vertical-blank probe and the soft
// schedule of Flip(-1), written against a small clock-and-present interface
// so that a fake clock can drive them.
#pragma once

// One display's mode and pacing state.
struct TDisplay {
    int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
    bool soft_sync = false;  // pace by sleeping (the vertical blank was not reliable)
    int period = 0;          // whole ms per frame, 1000 div hertz
    int remainder = 0;       // 1000 - period x hertz
    int accumulator = 0;
    int next_frame_time = 0;  // clock ms of the next frame's slot
};

namespace display_pacing {

// What pacing needs from the machine: the millisecond clock (32-bit wrap),
// sleeping, and presenting the back buffer.
class TFrameClock {
   public:
    virtual ~TFrameClock() = default;
    virtual int Now() = 0;               // clock ms
    virtual void Sleep(int ms) = 0;      // ms > 0
    virtual void Present(int sync) = 0;  // 1 waits for the vertical blank
};

// Decides soft_sync (probing the vertical blank for up to 1000 ms on a full
// screen with a hertz) and starts the schedule: period, remainder, accumulator
// and next_frame_time from the clock now.
void SetUpPacing(TDisplay& display, TFrameClock& clock);

// One Flip(sync) of an open display: sync 1 or 0 as given; -1 paced at the
// display's hertz, by sleeping when soft_sync, else by the vertical blank.
void PacedFlip(TDisplay& display, TFrameClock& clock, int sync);

}  // namespace display_pacing
