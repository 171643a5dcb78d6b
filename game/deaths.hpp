// deaths.hpp -- the five death sequences played while play_phase is
// PHASE_DYING, and the state of the trap and the falling figure that the
// cell rules set up when Bodger dies.
#pragma once

void dying_step();  // one frame of the sequence of player->state (5..9); others do nothing

extern float trap_x, trap_y;  // the trap object, later the knocked-away figure or left piece
extern float trap_x2;         // the right piece of the falling object
extern float trap_dx;         // speed of the shot, later of the knocked-away figure
extern int trap_frame;        // FRAME_SHOT_FROM_RIGHT or FRAME_SHOT_FROM_LEFT
extern int trap_phase;        // 0 the trap is coming, 1 it has struck
extern int death_spin;        // degrees
extern float death_scale;     // scale of the falling figure

void reset_deaths();  // every death global 0, as at program load
