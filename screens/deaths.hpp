// deaths.hpp -- the five death sequences played while play_phase is 2.
#pragma once

void dying_step();  // one frame of the sequence of player->state (5..9); others do nothing
void end_death();   // hands over to the game-over screen: timer 0, state 5, inputs flushed
