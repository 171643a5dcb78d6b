// global_keys.hpp -- what acts in every state after the frame is shown: the
// pause, resume and quit keys, and the wait while the window is inactive.
#pragma once

#include "services/graphics/image.hpp"

extern ImageRef pause_image;  // 640x480 snapshot of the play screen behind the pause menu

void check_keys();     // Escape and Space (or joystick button 1), and the close box
void check_suspend();  // waits while the window is inactive, the music held
void enter_pause();    // snapshots the play screen and shows the pause menu
void reset_pause();    // releases the snapshot
