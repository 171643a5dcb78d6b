// frame.cpp -- the frame's backdrop and its scan lines.
#include "screens/frame.hpp"

#include "fx/stars.hpp"
#include "game/flow.hpp"
#include "game/state.hpp"
#include "resources/options.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"

void begin_frame() {
    Cls();
    // The field stands still behind the pause menu.
    if (game_state != STATE_PAUSE) star_tag::update_all();
    if (game_state == STATE_PAUSE) {
        // The frozen play screen, darkened and tinted blue, behind the pause menu.
        SetColor(50, 50, 100);
        SetBlend(BLEND_MASK);
        DrawImageFrame(pause_image, 0, 0, 0);
        SetColor(255, 255, 255);
    }
}

void retro_lines(int shade) {
    if (retro_fx == 0) return;
    SetColor(shade, shade, shade);
    SetDrawScale(1.0f, 1.0f);
    SetBlend(BLEND_SOLID);
    // Every odd row, over everything drawn so far in the frame.
    for (int y = 1; y <= ScreenHeight(); y += 2) {
        DrawLine(0.0f, float(y), float(ScreenWidth()), float(y), true);
    }
    SetBlend(BLEND_MASK);
    SetColor(255, 255, 255);
}
