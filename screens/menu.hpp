// menu.hpp -- the title and pause menus (one frame handler for both).
#pragma once

void menu_frame();  // one frame of STATE_TITLE or STATE_PAUSE: logo, five items, pointer
