// skip.hpp -- the one "skip this screen" press shared by the story
// introduction and the game-over screen.
#pragma once

// True when Left Control, or else joystick 0 button 0, or else the left mouse
// button was hit; the sources after the first hit are not asked this frame.
bool skip_pressed();
