// hud.hpp -- score, best, realm, stocks and the remote, drawn every frame.
#pragma once

#include <string>

void hud_frame();   // after the state's handler; the title screen gets the three texts only
void panel_bars();  // the two translucent bars: top at (0, 0), bottom at (0, 425)
// "Score: " + n, with one leading zero below 10 ("Score: 05", "Score: 1250").
std::string hud_number(const std::string& label, int value);
