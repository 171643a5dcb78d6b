// joystick.hpp -- joysticks by port.  Every query reads the device anew;
// a button counts a hit when it was up at the previous reading and is down
// now.  Axes read (position - min) * 2 / max - 1: a stick at full deflection
// gives exactly -1.0 and 1.0; with no joystick every axis reads 0.0.
#pragma once

int CountJoysticks();  // enumerates the attached devices
bool JoyIsDown(int button, int port = 0);
int JoyHitCount(int button, int port = 0);  // hits since last asked; asking clears
float JoyAxisX(int port = 0);
float JoyAxisY(int port = 0);
void ResetJoysticks();  // back to the state at program load
