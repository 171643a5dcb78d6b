// play.hpp -- the play state: story introduction, playing, dying.
#pragma once

// The story introduction's end, in frames of phase_timer: playing starts in
// frame 801, and a skip press jumps here.
inline constexpr int kIntroEnd = 800;

void play_frame();  // one frame of STATE_PLAY: the step of play_phase, then the best score
