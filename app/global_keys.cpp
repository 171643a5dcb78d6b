// global_keys.cpp -- the keys that act in every state (pause, resume, quit)
// and the wait while the window is inactive.
#include "app/global_keys.hpp"

#include "game/flow.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "services/audio/sound.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/system/app.hpp"

void check_keys() {
    if (KeyHitCount(KEY_ESCAPE) != 0) {
        if (game_state == STATE_TITLE) {
            quit_program();
        } else if (game_state == STATE_PAUSE) {
            leave_to_title();
            player->flush_inputs();
        } else if (game_state == STATE_PLAY) {
            pause_game();
        }
    }
    // The joystick is asked only when Space was not hit, so a Space hit
    // leaves the button's hit pending.
    if (KeyHitCount(KEY_SPACE) != 0 || JoyHitCount(1, 0) != 0) {
        if (game_state == STATE_PLAY) {
            pause_game();
        } else if (game_state == STATE_PAUSE) {
            resume_game();
            player->flush_inputs();
        }
    }
    if (CloseRequested()) quit_program();
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
