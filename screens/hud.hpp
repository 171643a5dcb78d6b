// hud.hpp -- score, best, realm, stocks and the remote, drawn every frame.
#pragma once

#include <string>

void hud_frame();
void panel_bars();
// "Score: " + n, with one leading zero below 10 ("Score: 05", "Score: 1250").
std::string hud_number(const std::string& label, int value);
