// state.cpp -- the program's state machine variables.
#include "game/state.hpp"

int game_state = STATE_STARTUP;
int play_phase = PHASE_INTRO;
int phase_timer = 0;
int quit_game = 0;

void reset_game_state() {
    game_state = STATE_STARTUP;
    play_phase = PHASE_INTRO;
    phase_timer = 0;
    quit_game = 0;
}
