// menu.hpp -- the title and pause menus (one frame handler for both).
#pragma once

void menu_frame();
