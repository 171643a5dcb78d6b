// game_over.hpp -- the "Game Over" screen.
#pragma once

// A skip press sets phase_timer here, leaving 51 frames of the screen; it
// ends in its 201st frame.
inline constexpr int kGameOverSkipTo = 150;

void game_over_frame();  // one frame of STATE_GAME_OVER; phase_timer counts its frames from 0
