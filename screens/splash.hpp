// splash.hpp -- the logo shown at start-up while the music begins.
#pragma once

// Fades the logo in the screen's centre moved by y_offset; returns when it has
// faded, on a skip press or on the close box (which also sets quit_game).
void show_splash(int y_offset);
