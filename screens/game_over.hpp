// game_over.hpp -- the "Game Over" screen.
#pragma once

void game_over_frame();  // one frame of STATE_GAME_OVER; phase_timer counts its frames from 0
