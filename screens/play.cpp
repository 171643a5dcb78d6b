// play.cpp -- the play state's frame: the story introduction, the playing
// step with the remote prompt, and the best score kept up in every frame.
#include "screens/play.hpp"

#include "draw/qwdraw.hpp"
#include "game/deaths.hpp"
#include "game/flow.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "screens/skip.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

namespace {

// The introduction's timeline, in frames of phase_timer.
constexpr int kFirstCaption = 50;    // shown from frame 51
constexpr int kSecondCaption = 100;  // shown from frame 101

// The remote at five times its size in a flickering glow, centred on (x, y).
void draw_glowing_remote(float x, float y) {
    SetColor(255, 255, 255);
    // Three draws in this order: the random stream of a replay depends on it.
    const double alpha = rnd(0.5, 1.0);
    const double sx = 5 + rnd(0, 2);
    const double sy = 5 + rnd(0, 2);
    drawer->sip(BLEND_LIGHT, float(alpha), 0, float(sx), float(sy));
    for (int i = 0; i < 5; i++) DrawImageFrame(tiles, x, y, FRAME_REMOTE_OUTLINE);
    drawer->sip(BLEND_MASK, 1.0f, 0, 5.0f, 5.0f);
    DrawImageFrame(tiles, x, y, FRAME_REMOTE_LIGHTS + ToInt(rnd(0, kRemoteLightStates)));
}

void intro_step() {
    phase_timer += 1;
    draw_glowing_remote(320, 240);
    drawer->sip(BLEND_ALPHA, 1.0f, 0, 1.0f, 1.0f);
    SetColor(50, 200, 255);
    if (phase_timer > kFirstCaption) {
        if (phase_timer == kFirstCaption + 1) play_sfx(snd_complete);
        drawer->t3d("An Ordinary Guy Finds a Suspicious Remote.", 320, 80, 1);
    }
    if (skip_pressed()) phase_timer = kIntroEnd;
    if (phase_timer > kSecondCaption) {
        if (phase_timer == kSecondCaption + 1) play_sfx(snd_complete);
        drawer->t3d("The Unsuspecting Bodger Presses The Button..", 320, 390, 1);
    }
    if (phase_timer > kIntroEnd) start_playing();
}

void remote_prompt() {
    if (player->rpieces != 0 || !(remote_msg_alpha > 0)) return;
    SetColor(50, 200, 255);
    drawer->sip(BLEND_ALPHA, remote_msg_alpha, 0, 1.0f, 1.0f);
    drawer->t3d("Quick, Press The Remote Button!", 320, 242, 1);
    drawer->sip(BLEND_MASK, 1.0f, 0, 1.0f, 1.0f);
    remote_msg_alpha -= 0.005f;
    if (remote_msg_alpha < 0) remote_msg_alpha = 0.0f;
}

void playing_step() {
    world_step_playing();
    remote_prompt();
    SetColor(255, 255, 255);
}

}  // namespace

void play_frame() {
    switch (play_phase) {
        case PHASE_INTRO:
            intro_step();
            break;
        case PHASE_PLAYING:
            playing_step();
            break;
        case PHASE_DYING:
            dying_step();
            break;
        default:
            break;
    }
    // Also in the frame that ends a game, so the HUD and the saved best agree.
    keep_best_score();
}
