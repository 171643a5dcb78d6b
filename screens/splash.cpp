// splash.cpp -- the logo splash: held opaque, then faded out, skippable.
#include "screens/splash.hpp"

#include "draw/qwdraw.hpp"
#include "game/flow.hpp"
#include "game/player.hpp"
#include "resources/assets.hpp"
#include "screens/frame.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/system/app.hpp"

namespace {

// Any of the four skip inputs, asked in order and only until one answers.
bool splash_skipped() {
    return KeyHitCount(KEY_ESCAPE) != 0 || KeyHitCount(KEY_SPACE) != 0 || MouseHitCount(1) != 0 ||
           JoyHitCount(0, 0) != 0;
}

}  // namespace

void show_splash(int y_offset) {
    // hold climbs for 225 frames with the logo opaque, then alpha fades by
    // 0.01 a frame: the splash ends at its 326th frame.
    float alpha = 1.0f;
    float hold = 0.1f;
    ImageRef logo = LoadImageFile("incbin::graphx\\qwlogo.png", -1);
    if (logo) CentreHandle(logo);
    const int x = ScreenWidth() / 2;
    const int y = ScreenHeight() / 2 + y_offset;
    start_music();

    do {
        begin_frame();
        SetColor(255, 255, 255);
        drawer->sip(BLEND_ALPHA, alpha, 0.0f, 1.0f, 1.0f);
        drawer->i3d(logo, float(x), float(y), 0);
        if (hold <= 1.0f) {
            hold += 0.004f;
        } else {
            alpha -= 0.01f;
        }
        retro_lines(2);
        if (alpha < 0.0f) alpha = 0.0f;
        Flip(-1);
        // The music plays on while the window is inactive here.
        while (AppIsSuspended()) WaitSystem();
        if (CloseRequested()) {
            quit_program();
            break;
        }
        if (splash_skipped()) break;
    } while (alpha > 0.0f);

    SetColor(255, 255, 255);
    drawer->sip(BLEND_MASK, 1.0f, 0.0f, 1.0f, 1.0f);
    player->flush_inputs();
}
