// main_loop.hpp -- program entry: start-up, the main loop, the exit sequence.
#pragma once

#include <functional>

// The value start-up gave to SeedRandom (the clock after the display opened);
// 0 from program entry until then.  The program entry's own, so not among
// app/globals.hpp, which the entry includes.
extern int start_seed;

int program_entry();  // start-up, main loop, exit sequence; returns the exit status
// One frame of the current game state's screen; a game that ends with a new
// best is saved at once.
void run_state_handler();

// Run by program_entry once the globals and services are reset, before the
// first start-up step (the headless runner sets up its clock and hooks there).
void set_start_hook(std::function<void()> hook);
