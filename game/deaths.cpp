// deaths.cpp -- the five death sequences: brick (5), pit fall (6), side shot
// (7), falling object (8) and trap door (9, which turns into the pit fall).
#include "game/deaths.hpp"

#include "draw/qwdraw.hpp"
#include "game/flow.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"
#include "services/graphics/overlap.hpp"
#include "services/system/convert.hpp"

float trap_x = 0.0f, trap_y = 0.0f;
float trap_x2 = 0.0f;
float trap_dx = 0.0f;
int trap_frame = 0;
int trap_phase = 0;
int death_spin = 0;
float death_scale = 0.0f;

namespace {

constexpr int kBrickFrames = 150;    // the silhouette under the brick, in frames
constexpr int kTrapDoorFrames = 50;  // standing on the opened pit before the fall
// A piece or figure centred beyond these x has left the 640-pixel screen.
constexpr float kOffLeft = -32.0f, kOffRight = 672.0f;

void neutral() {
    drawer->sip(BLEND_MASK, 1.0f, 0, 1.0f, 1.0f);
}

void draw_player(int frame) {
    DrawImageFrame(tiles, player->x, player->y - 16, frame);
}

void brick_death() {
    SetColor(level_r + 5, level_g + 5, level_b + 5);
    neutral();
    draw_player(FRAME_BRICK);
    SetColor(2, 2, 2);
    draw_player(player->frame + player->a_ctr);
    if (phase_timer > kBrickFrames) end_death();
}

// No world step: only the stars, the falling figure and the HUD are drawn.
void pit_fall() {
    drawer->sip(BLEND_MASK, 1.0f, float(death_spin), death_scale, death_scale);
    DrawImageFrame(tiles, 320, 220, FRAME_FALLING);
    death_spin += 5;
    death_scale -= 0.05f;
    if (death_scale <= 0) end_death();
    neutral();
}

void side_shot() {
    if (trap_phase == 0) {
        draw_player(FRAME_STANDING_FRONT);
        DrawImageFrame(tiles, trap_x, trap_y, trap_frame);
        trap_x += trap_dx;
        const bool hit =
            ImagesOverlap(tiles, ToInt(player->x), ToInt(player->y - 16), FRAME_STANDING_FRONT,
                          tiles, ToInt(trap_x), ToInt(trap_y), trap_frame);
        // Art in which the shot and the figure share no solid pixel would let
        // the shot fly on for ever; once it has left the screen it strikes.
        const bool gone = trap_x < kOffLeft || trap_x > kOffRight;
        if (hit || gone) {
            trap_phase = 1;
            play_sfx(snd_brick);
            play_sfx(snd_ughhhhh);
            trap_dx = trap_dx >= 0 ? 2.0f : -2.0f;
            trap_x = player->x;
            trap_y = player->y - 24;
            death_spin = 0;
        }
        return;
    }
    draw_player(FRAME_SHOES_LEFT_BEHIND);
    drawer->sip(BLEND_MASK, 1.0f, float(death_spin), 1.0f, 1.0f);
    DrawImageFrame(tiles, trap_x, trap_y, FRAME_KNOCKED_AWAY);
    trap_x += trap_dx;
    neutral();
    death_spin = ToInt(death_spin + trap_dx);
    if (trap_x < kOffLeft || trap_x > kOffRight) end_death();
}

void falling_object() {
    if (trap_phase == 0) {
        draw_player(FRAME_STANDING_FRONT);
        DrawImageFrame(tiles, trap_x, trap_y, FRAME_POT);
        trap_y += 5;
        if (trap_y > player->y - 32) {
            trap_phase = 1;
            trap_y = player->y - 16;
            trap_x = player->x - 32;
            trap_x2 = player->x + 32;
            play_sfx(snd_brick);
            play_sfx(snd_ughhhhh);
        }
        return;
    }
    draw_player(FRAME_SQUASHED);
    DrawImageFrame(tiles, trap_x, trap_y, FRAME_POT_LEFT_HALF);
    DrawImageFrame(tiles, trap_x2, trap_y, FRAME_POT_RIGHT_HALF);
    trap_x -= 2;
    trap_x2 += 2;
    if (trap_x < kOffLeft && trap_x2 > kOffRight) end_death();
}

void trap_door() {
    draw_player(FRAME_STANDING_FRONT);
    if (phase_timer > kTrapDoorFrames) {
        death_spin = 0;
        death_scale = 5.0f;
        player->state = DEATH_PIT;
        play_sfx(snd_ughhhhh);
    }
}

}  // namespace

void dying_step() {
    const int state = player->state;
    if (state == DEATH_BRICK || state == DEATH_SHOT || state == DEATH_FALLING ||
        state == DEATH_TRAP_DOOR) {
        world_step_dying();
    }
    if (state == DEATH_SHOT || state == DEATH_FALLING || state == DEATH_TRAP_DOOR) {
        SetColor(255, 255, 255);
        neutral();
    }
    switch (state) {
        case DEATH_BRICK:
            brick_death();
            break;
        case DEATH_PIT:
            pit_fall();
            break;
        case DEATH_SHOT:
            side_shot();
            break;
        case DEATH_FALLING:
            falling_object();
            break;
        case DEATH_TRAP_DOOR:
            trap_door();
            break;
        default:
            break;
    }
}

void reset_deaths() {
    trap_x = trap_y = trap_x2 = trap_dx = 0.0f;
    trap_frame = 0;
    trap_phase = 0;
    death_spin = 0;
    death_scale = 0.0f;
}
