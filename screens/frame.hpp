// frame.hpp -- what every frame (the splash's too) is drawn on and finished
// with: the cleared screen with the star field, the frozen play screen behind
// the pause menu, and the scan lines over everything.
#pragma once

void begin_frame();           // clears the screen, moves the stars (frozen in the pause menu)
void retro_lines(int shade);  // the scan lines over the frame, when the option is on
