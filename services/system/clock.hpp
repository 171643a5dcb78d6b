// clock.hpp -- the millisecond clock and sleeping.
#pragma once

int ClockMillis();         // system millisecond counter (since boot); 32-bit wrap-around
void SleepMillis(int ms);  // sleeps ms milliseconds; negative values do nothing
