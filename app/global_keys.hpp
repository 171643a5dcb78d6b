// global_keys.hpp -- what acts in every state after the frame is shown: the
// pause, resume and quit keys, and the wait while the window is inactive.
#pragma once

void check_keys();     // Escape and Space (or joystick button 1), and the close box
void check_suspend();  // waits while the window is inactive, the music held
