// menu.hpp -- the title and pause menus (one frame handler for both).
#pragma once

#include <array>
#include <string>

extern const std::array<std::string, 2> off_on_labels;
extern const std::array<std::string, 11> volume_labels;
extern const std::array<std::string, 5> menu_labels;  // the title menu's items
extern const std::string version_line;

// Where the menus' items are centred: item i at (kMenuX, kFirstItemY + 40 i).
inline constexpr int kMenuX = 320, kFirstItemY = 240;

void menu_frame();  // one frame of STATE_TITLE or STATE_PAUSE: logo, five items, pointer
