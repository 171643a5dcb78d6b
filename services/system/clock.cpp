// clock.cpp -- the game's millisecond clock and sleep, read through the seam.
#include "services/system/clock.hpp"

#include "services/platform/platform.hpp"

// The counter wraps after about 49.7 days; callers take differences, which
// stay right across the wrap in 32-bit arithmetic.
int ClockMillis() {
    return static_cast<int>(platform::Millis());
}

void SleepMillis(int ms) {
    if (ms > 0) platform::Sleep(ms);
}
