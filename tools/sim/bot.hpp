// bot.hpp -- the in-process player of `bot on`: it reads the level and the
// player like someone looking at the screen and answers with input events.
// It never changes the game's state; the runner delivers and records what it
// returns, so a recorded run replays exactly without it.
#pragma once

#include <vector>

#include "tools/sim/script.hpp"

namespace sim {

void bot_start();  // before each run: forget everything from an earlier run
// Once per frame from frame 1 on, right after the scripted events of that
// frame were delivered.  Returns input events (no shots or dumps) to deliver
// now, in order; their frame field is ignored.
std::vector<TimedEvent> bot_frame(int frame);

}  // namespace sim
