// bot.cpp -- a placeholder player that watches and never presses anything.
#include "tools/sim/bot.hpp"

namespace sim {

void bot_start() {}

std::vector<TimedEvent> bot_frame(int) {
    return {};
}

}  // namespace sim
