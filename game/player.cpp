// player.cpp -- Bodger's 20-frame step, the controls and the flush that
// keeps a held button from acting on the next screen.  His resets for a new
// game and a new realm are the game's flow (game/flow.cpp).
#include "game/player.hpp"

#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
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
    return pressed && rpieces == 0 ? 1 : 0;
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
