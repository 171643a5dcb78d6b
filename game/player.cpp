// player.cpp -- Bodger's resets, his 20-frame step, the controls and the
// flush that keeps a held button from acting on the next screen.
#include "game/player.hpp"

#include "app/assets.hpp"
#include "app/sprite_frames.hpp"
#include "game/level.hpp"
#include "game/state.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"

std::shared_ptr<player_tag> player;
// Front, breathing, for nine ticks; then looking left and right for nine.
const std::array<int, 18> idle_frames = {
    FRAME_STANDING_FRONT, FRAME_STANDING_BREATH, FRAME_STANDING_FRONT, FRAME_STANDING_BREATH,
    FRAME_STANDING_FRONT, FRAME_STANDING_BREATH, FRAME_STANDING_FRONT, FRAME_STANDING_BREATH,
    FRAME_STANDING_FRONT, FRAME_STANDING_LEFT,   FRAME_STANDING_RIGHT, FRAME_STANDING_LEFT,
    FRAME_STANDING_RIGHT, FRAME_STANDING_LEFT,   FRAME_STANDING_RIGHT, FRAME_STANDING_LEFT,
    FRAME_STANDING_RIGHT, FRAME_STANDING_LEFT};
float remote_msg_alpha = 0.0f;

int player_tag::reset(int new_game) {
    player_tag& p = *player;
    if (new_game != 0) {
        phase_timer = 0;
        p.score = 0;
        p.level = 1;
        p.lives = 1;
        p.new_bs = 0;
        p.beer = 3;
        p.glass = 3;
        pit_count = 20;
        brick_count = 40;
        game_state = STATE_PLAY;
        play_phase = PHASE_INTRO;
    }
    remote_msg_alpha = 1.0f;
    p.rpieces = 5;
    p.state = PLAYER_STANDING;
    p.remote.fill(0);
    level_tag::new_level();
    return 0;
}

int player_tag::update() {
    a_tmr += 1;
    if (a_tmr >= kStepFrames) {
        a_tmr = 0;
        switch (state) {
            case PLAYER_STANDING:
                a_ctr += 1;
                // a_ctr is at most 17 here; the wrap only guards a hand-set counter.
                frame = idle_frames[a_ctr % int(idle_frames.size())];
                break;
            case PLAYER_LEFT:
                x -= 32.0f;
                a_ctr += 1;
                frame = FRAME_WALKING_LEFT;
                break;
            case PLAYER_RIGHT:
                x += 32.0f;
                a_ctr += 1;
                frame = FRAME_WALKING_RIGHT;
                break;
            case PLAYER_UP:
                y -= 32.0f;
                a_ctr += 1;
                frame = FRAME_WALKING_UP;
                break;
            case PLAYER_DOWN:
                y += 32.0f;
                a_ctr += 1;
                frame = FRAME_WALKING_DOWN;
                break;
            default:
                break;
        }
        if (state != PLAYER_STANDING) play_sfx(snd_footstep);
    }

    if (state == PLAYER_STANDING && a_ctr >= 17) a_ctr = 0;
    if (state != PLAYER_STANDING && a_ctr > 1) a_ctr = 0;

    // Leaving the grid on one side comes back on the other, same row or column.
    if (!(x >= 16.0f)) x = 624.0f;
    if (!(x <= 624.0f)) x = 16.0f;
    if (!(y >= 48.0f)) y = 432.0f;
    if (!(y <= 432.0f)) y = 48.0f;
    return 0;
}

int player_tag::get_inputs() {
    // The key is asked first; the stick only when the key was not hit.  A later
    // direction overrides an earlier one in the same frame.
    if (KeyHitCount(KEY_LEFT) != 0 || JoyAxisX(0) == joy_left) state = PLAYER_LEFT;
    if (KeyHitCount(KEY_RIGHT) != 0 || JoyAxisX(0) == joy_right) state = PLAYER_RIGHT;
    if (KeyHitCount(KEY_UP) != 0 || JoyAxisY(0) == joy_up) state = PLAYER_UP;
    if (KeyHitCount(KEY_DOWN) != 0 || JoyAxisY(0) == joy_down) state = PLAYER_DOWN;

    // The remote button is consumed even while pieces are missing.
    const bool pressed = KeyHitCount(KEY_LCONTROL) != 0 || JoyHitCount(0, 0) != 0;
    if (pressed && rpieces == 0) {
        reset(0);
        pit_count += 10;
        brick_count += 10;
        score += level * 250;
        level += 1;
        play_sfx(snd_button);
        play_sfx(snd_oh_no);
        level_tag::new_level();
    }
    return 0;
}

int player_tag::flush_inputs() {
    int counter = 0;
    do {
        if (counter > 0) counter -= 1;
        bool held = false;  // some button answered "down" in this round
        auto down = [&held](bool is_down) {
            held = held || is_down;
            return is_down;
        };
        if (down(MouseIsDown(0)) || MouseHitCount(0) != 0) counter += 1;
        if (down(MouseIsDown(1)) || MouseHitCount(1) != 0) counter += 1;
        if (down(JoyIsDown(0, 0)) || down(JoyIsDown(1, 0))) counter += 1;
        if (JoyHitCount(0, 0) != 0 || JoyHitCount(1, 0) != 0) counter += 1;
        ClearKeys();
        ClearMouse();
        // A held button: block briefly on the event queue instead of spinning.
        if (held) WaitSystem();
    } while (counter != 0);
    return 0;
}

void reset_player() {
    player.reset();
    remote_msg_alpha = 0.0f;
}
