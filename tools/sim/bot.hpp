// bot.hpp -- the in-process player of `bot on`: it reads the level and the
// player like someone looking at the screen and answers with input events.
// It never changes the game's state; the runner delivers and records what it
// returns, so a recorded run replays exactly without it.
#pragma once

#include <vector>

#include "tools/sim/script.hpp"

namespace sim {

// Before each run: forget everything from an earlier run.  With `give_up`
// (`bot restart`) a hopeless realm is ended by walking into a deadly cell, so
// that the game goes on with a new game instead of idling for ever.
void bot_start(bool give_up = false);
// Once per frame from frame 1 on, right after the scripted events of that
// frame were delivered.  Returns input events (no shots or dumps) to deliver
// now, in order; their frame field is ignored.
std::vector<TimedEvent> bot_frame(int frame);

}  // namespace sim
