// main_loop.hpp -- program entry: start-up, the main loop, the exit sequence,
// and the backdrop and scan lines every frame (the splash's too) is drawn with.
#pragma once

#include <functional>

extern int
    start_seed;  // the value start-up gave to SeedRandom (the clock after the display opened)

int program_entry();          // start-up, main loop, exit sequence; returns the exit status
void begin_frame();           // clears the screen, moves the stars (frozen in the pause menu)
void retro_lines(int shade);  // the scan lines over the frame, when the option is on
// One frame of the current game state's screen; a game that ends with a new
// best is saved at once.
void run_state_handler();

// Run by program_entry once the globals and services are reset, before the
// first start-up step (the headless runner sets up its clock and hooks there).
void set_start_hook(std::function<void()> hook);
