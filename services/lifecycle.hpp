// lifecycle.hpp -- the end of the program, and every service back to load
// time.  It sits above the services it stops, which never include it.
#pragma once

// Closes the display and the audio device.  The program entry then returns 0.
void EndProgram();
// Puts every service back to its state at program load (for repeated runs in
// one process: tests and the runner).
void ResetServices();
