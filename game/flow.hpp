// flow.hpp -- every change of the program's state and of the play phase, and
// the world's step each frame.  The screens, the global keys and start-up ask
// for a change here, so each is written once.  A death starts in the rule of
// the cell that kills Bodger (game/cell_update.cpp): the cells sit below this.
#pragma once

#include "services/graphics/image.hpp"

extern ImageRef pause_image;  // 640x480 snapshot of the play screen behind the pause menu

// --- Screens ----------------------------------------------------------------
// Where one of these leaves the inputs to its caller, every caller flushes them
// at once (the menus after every choice).
void open_title();      // start-up's end: a new game's values, then the title menu
void start_game();      // title: effects cleared, a new game in its introduction
void pause_game();      // play: snapshots the screen, pointer centred, inputs flushed
void resume_game();     // pause: back into the game; the caller flushes
void leave_to_title();  // pause: title, pointer centred, music started if silent; the caller
                        // flushes
void end_game_over();   // game over: title, the music started afresh, inputs flushed
void quit_program();    // the main loop ends after the current frame

// --- Inside a game ----------------------------------------------------------
void start_playing();    // the introduction's end: music stopped, the button pressed
void end_death();        // a death's end: the game-over screen, phase_timer 0, inputs flushed
void advance_realm();    // the remote pressed when complete: bonus, next and harder realm
void keep_best_score();  // every play frame: a higher score becomes the best

// --- The world's step -------------------------------------------------------
// Bodger's controls (the remote button may advance the realm) and his step,
// then the realm's cells and every effect family.
void world_step_playing();
// While he dies (deaths 5, 7, 8 and 9): phase_timer counts on, the realm and
// its effects go on and the popups stand still.
void world_step_dying();

void reset_pause();  // releases the snapshot
