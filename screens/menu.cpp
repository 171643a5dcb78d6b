// menu.cpp -- the title and pause menus: the logo, five items picked by
// pointing, their actions on a left click or joystick button 0, the pointer.
#include "screens/menu.hpp"

#include <string>

#include "draw/qwdraw.hpp"
#include "game/flow.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "resources/options.hpp"
#include "screens/pointer.hpp"
#include "services/audio/sound.hpp"
#include "services/graphics/draw.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"

const std::array<std::string, 2> off_on_labels = {"Off", "On"};
const std::array<std::string, 11> volume_labels = {"Off", "10%", "20%", "30%", "40%", "50%",
                                                   "60%", "70%", "80%", "90%", "Max"};
const std::array<std::string, 5> menu_labels = {
    "Start Game", "Retro Line FX: ", "Sound Volume: ", "Music Volume: ", "Exit Game"};
const std::string version_line = "Version 1.0 - a game by the Bodger crew";

namespace {

constexpr int kItems = 5;
constexpr int kFirstBand = 220;  // pointer y above which the first item's band starts
constexpr int kBandHeight = 40;  // pixels per item, also the item spacing

std::string item_text(int item, bool pause) {
    switch (item) {
        case 0:
            return pause ? "Resume Game" : menu_labels[0];
        case 1:
            return menu_labels[1] + off_on_labels[retro_fx];
        case 2:
            return menu_labels[2] + volume_labels[sound_level];
        case 3:
            return menu_labels[3] + volume_labels[music_level];
        default:
            return pause ? "Quit This Game" : menu_labels[4];
    }
}

void perform(int item, bool pause) {
    switch (item) {
        case 0:
            if (pause) {
                resume_game();
            } else {
                start_game();
            }
            play_sfx(snd_remote);
            break;
        case 1:
            toggle_retro_fx();
            play_sfx(snd_brick);
            break;
        case 2:
            step_sound_volume();
            play_sfx(snd_pickup);  // already at the new volume
            break;
        case 3:
            step_music_volume();
            SetVolume(music_channel, music_volume);  // heard at once
            break;
        case 4:
            play_sfx(snd_remote);
            if (pause) {
                leave_to_title();
            } else {
                quit_program();
            }
            break;
        default:
            break;  // no item under the pointer
    }
}

}  // namespace

void menu_frame() {
    steer_pointer();
    const int mx = MousePosX();
    const int my = MousePosY();
    const bool pause = game_state == STATE_PAUSE;

    SetColor(255, 255, 255);
    drawer->sip(BLEND_MASK, 1.0f, 0, 1.0f, 1.0f);
    DrawImageFrame(title_image, 320, 128, 0);
    if (game_state == STATE_TITLE) {
        SetColor(180, 180, 10);
        drawer->sip(BLEND_ALPHA, 1.0f, 0, 1.0f, 1.0f);
        drawer->t3d(version_line, 320, 464, 1);
    }

    // The pointer is asked again here; at y 420 and below the item is 5 or more: none.
    const int selected = my > kFirstBand ? (MousePosY() - kFirstBand) / kBandHeight : -1;
    for (int i = 0; i < kItems; i++) {
        const float scale = i == selected ? 1.2f : 1.0f;
        if (i == selected) {
            SetColor(150, 200, 200);
        } else {
            SetColor(80, 160, 200);
        }
        drawer->sip(BLEND_ALPHA, 1.0f, 0, scale, scale);
        drawer->t3d(item_text(i, pause), kMenuX, float(kFirstItemY + kBandHeight * i), 1);
    }

    // The joystick is asked only when no click is pending.
    if (MouseHitCount(1) != 0 || JoyHitCount(0, 0) != 0) {
        perform(selected, pause);
        player->flush_inputs();
    }

    SetColor(255, 255, 255);
    drawer->sip(BLEND_MASK, 1.0f, 0, 1.0f, 1.0f);
    drawer->i3d(pointer_image, float(mx), float(my), 0);
}
