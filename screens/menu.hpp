// menu.hpp -- the title and pause menus (one frame handler for both).
#pragma once

void menu_frame();  // one frame of STATE_TITLE or STATE_PAUSE: logo, five items, pointer

// The item under a pointer at screen y: 0..4, or -1 above the first band.
// Values of 5 and more (y 420 and below) select nothing either.
int menu_item_at(int y);
