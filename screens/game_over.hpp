// game_over.hpp -- the "Game Over" screen.
#pragma once

void game_over_frame();
