// play.hpp -- the play state: story introduction, playing, the five deaths.
#pragma once

void play_frame();  // one frame of STATE_PLAY: the step of play_phase, then the best score

enum : int { PHASE_INTRO = 0, PHASE_PLAYING = 1, PHASE_DYING = 2 };

extern float remote_msg_alpha;  // alpha of "Quick, Press The Remote Button!"
extern float trap_x, trap_y;    // the trap object, later the knocked-away figure or left piece
extern float trap_x2;           // the right piece of the falling object
extern float trap_dx;           // speed of the shot, later of the knocked-away figure
extern int trap_frame;          // 37 shot from the right, 38 from the left
extern int trap_phase;          // 0 the trap is coming, 1 it has struck
extern int death_spin;          // degrees
extern float death_scale;       // scale of the falling figure
