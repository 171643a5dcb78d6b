// state.hpp -- which screen the program shows and, in play, which phase:
// the state machine every part reads and the rules of the cells write.
#pragma once

enum : int {
    STATE_STARTUP = 0,  // before the splash has ended: the bare frame only
    STATE_PLAY = 2,
    STATE_PAUSE = 3,
    STATE_TITLE = 4,
    STATE_GAME_OVER = 5,
};

enum : int { PHASE_INTRO = 0, PHASE_PLAYING = 1, PHASE_DYING = 2 };

extern int game_state;   // one of STATE_*
extern int play_phase;   // inside STATE_PLAY: one of PHASE_*
extern int phase_timer;  // frames spent in the current phase or screen
extern int quit_game;    // 1 ends the main loop after the current frame

void reset_game_state();  // all four back to their values at program load
