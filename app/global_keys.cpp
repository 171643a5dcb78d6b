// global_keys.cpp -- the keys that act in every state (pause, resume, quit),
// entering the pause, and the wait while the window is inactive.
#include "app/global_keys.hpp"

#include "app/assets.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "services/audio/sound.hpp"
#include "services/graphics/image.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/system/app.hpp"

ImageRef pause_image;

void enter_pause() {
    game_state = STATE_PAUSE;
    // What the back buffer holds just after the play frame was presented.
    GrabImageFrame(pause_image, 0, 0, 0);
    MoveMouse(320, 240);
    player->flush_inputs();
}

void check_keys() {
    if (KeyHitCount(KEY_ESCAPE) != 0) {
        if (game_state == STATE_TITLE) {
            quit_game = 1;
        } else if (game_state == STATE_PAUSE) {
            game_state = STATE_TITLE;
            MoveMouse(320, 240);
            if (!Playing(music_channel)) start_music();
            player->flush_inputs();
        } else if (game_state == STATE_PLAY) {
            enter_pause();
        }
    }
    // The joystick is asked only when Space was not hit, so a Space hit
    // leaves the button's hit pending.
    if (KeyHitCount(KEY_SPACE) != 0 || JoyHitCount(1, 0) != 0) {
        if (game_state == STATE_PLAY) {
            enter_pause();
        } else if (game_state == STATE_PAUSE) {
            game_state = STATE_PLAY;
            player->flush_inputs();
        }
    }
    if (CloseRequested()) quit_game = 1;
}

void check_suspend() {
    if (!AppIsSuspended()) return;
    // No frame runs while inactive, so every frame-counted timer stands still;
    // only the music is held, effects already playing run out.
    bool paused_music = false;
    if (Playing(music_channel)) {
        SetPaused(music_channel, true);
        paused_music = true;
    }
    while (AppIsSuspended()) WaitSystem();
    if (paused_music) SetPaused(music_channel, false);
}

void reset_pause() {
    pause_image.reset();
}
