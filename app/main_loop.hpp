// main_loop.hpp -- program entry, start-up, the main loop and the per-frame
// services that run in every state.
#pragma once

#include <functional>

int program_entry();  // start-up, main loop, exit sequence; returns the exit status
void begin_frame();
void retro_lines(int shade);
void check_keys();
void check_suspend();
void steer_pointer();
void clear_effects();
void enter_pause();

// Run by program_entry once the globals and services are reset, before the
// first start-up step (the headless runner sets up its clock and hooks there).
void set_start_hook(std::function<void()> hook);
