// clock.cpp -- the millisecond counter since boot (the game seeds its random
// stream with it, so it must not start at 0 with the program) and sleeping.
#include <time.h>

#include <chrono>
#include <thread>

#include "services/platform/platform.hpp"

namespace platform {

std::uint32_t Millis() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms =
        std::uint64_t(now.tv_sec) * 1000u + std::uint64_t(now.tv_nsec) / 1000000u;
    return std::uint32_t(ms);
}

void Sleep(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace platform
