// random.hpp -- the game's one random stream (minimal standard generator,
// multiplier 48271, modulo 2^31 - 1).  Replays depend on every draw.
#pragma once

#include <cstdint>

void SeedRandom(int seed);       // state = seed & 0x7FFFFFFF; 0 or 0x7FFFFFFF give 4660
double rnd(double a, double b);  // uniform in [min(a, b), max(a, b)); rnd(a, a) == a
std::int32_t RandomState();      // the generator's current state (tests, dumps)
void SetRandomState(std::int32_t state);
