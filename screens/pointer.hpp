// pointer.hpp -- the menus' pointer, which the joystick can steer too.
#pragma once

extern int pointer_x, pointer_y;  // working copy of the pointer while it is steered

// Moves the pointer 6 pixels a frame per axis while the stick is fully deflected.
void steer_pointer();
void reset_pointer();  // the working copy back to (0, 0)
