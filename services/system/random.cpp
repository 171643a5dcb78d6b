// random.cpp -- the game's one random stream.  Every realm layout and every
// particle draws from it, so a replay is exact only if each step is.
#include "services/system/random.hpp"

namespace {

constexpr std::int32_t kStartState = 4660;
constexpr std::int32_t kModulus = 0x7FFFFFFF;  // 2^31 - 1

std::int32_t& State() {
    static std::int32_t state = kStartState;
    return state;
}

// One step of the multiplier-48271 generator by Schrage's method, which keeps
// every product inside 32 bits.
std::int32_t Step() {
    std::int32_t& s = State();
    std::int32_t next = 48271 * (s % 44488) - 3399 * (s / 44488);
    if (next < 0) next += kModulus;
    s = next;
    return next;
}

// A double in [0, 1) built from two steps: 27 high bits of the first, then
// 26 more from the second below them.
double NextUnit() {
    const std::int32_t s1 = Step();
    const std::int32_t s2 = Step();
    return (double(s1 & 0x1FFFFFFC) + double(s2 & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
}

}  // namespace

void SeedRandom(int seed) {
    std::int32_t state = seed & kModulus;
    if (state == 0 || state == kModulus) state = kStartState;
    State() = state;
}

double rnd(double a, double b) {
    const double r = NextUnit();
    if (b > a) return a + r * (b - a);
    return b + r * (a - b);
}

std::int32_t RandomState() {
    return State();
}

void SetRandomState(std::int32_t state) {
    State() = state;
}
