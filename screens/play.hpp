// play.hpp -- the play state: story introduction, playing, the five deaths.
#pragma once

void play_frame();  // one frame of STATE_PLAY: the step of play_phase, then the best score
