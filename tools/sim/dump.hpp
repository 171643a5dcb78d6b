// dump.hpp -- the game's state as one JSON object (the runner's `dump`).
#pragma once

#include <string>

namespace sim {

// The state right now, frame the runner's frame count.  Floats are written
// with 9 significant digits so they read back as the same float.
std::string dump_state(int frame);

// A float as the dump writes it: "%.9g", with ".0" added to whole numbers.
std::string json_float(float value);

}  // namespace sim
