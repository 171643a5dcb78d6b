// flow.cpp -- the transitions of the program's state and the play phase, the
// new-game and new-realm resets, and the one list of what moves in a frame.
#include "game/flow.hpp"

#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/effects.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "services/audio/sound.hpp"
#include "services/input/input.hpp"

ImageRef pause_image;

namespace {

// What moves in a frame, in this order; the popups only while Bodger plays.
void step_world(bool popups) {
    level_tag::update_all();
    flame_tag::update_all();
    explode_tag::update_all();
    dust_tag::update_all();
    brick_tag::update_all(level_r, level_g, level_b);
    if (popups) points_tag::update_all();
}

}  // namespace

// The player's reset starts a game (1) or a realm (0), so it is the flow's.
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

void open_title() {
    // The reset enters play; the title menu is shown first.
    player_tag::reset(1);
    game_state = STATE_TITLE;
    MoveMouse(320, 240);
}

void start_game() {
    clear_effects();
    player_tag::reset(1);
}

void pause_game() {
    game_state = STATE_PAUSE;
    // What the back buffer holds just after the play frame was presented.
    GrabImageFrame(pause_image, 0, 0, 0);
    MoveMouse(320, 240);
    player->flush_inputs();
}

void resume_game() {
    game_state = STATE_PLAY;
}

void leave_to_title() {
    game_state = STATE_TITLE;
    MoveMouse(320, 240);
    // Music still playing from the introduction goes on.
    if (!Playing(music_channel)) start_music();
}

void end_game_over() {
    game_state = STATE_TITLE;
    start_music();
    player->flush_inputs();
}

void quit_program() {
    quit_game = 1;
}

void start_playing() {
    play_phase = PHASE_PLAYING;
    player->flush_inputs();
    Stop(music_channel);
    play_sfx(snd_button);
    play_sfx(snd_oh_no);
    player->flush_inputs();
}

void end_death() {
    phase_timer = 0;
    game_state = STATE_GAME_OVER;
    player->flush_inputs();
}

void advance_realm() {
    player_tag& p = *player;
    player_tag::reset(0);
    // Each realm is harder by ten pit and ten brick drops; the bonus is for
    // the realm just finished.
    pit_count += 10;
    brick_count += 10;
    p.score += p.level * 250;
    p.level += 1;
    play_sfx(snd_button);
    play_sfx(snd_oh_no);
    // Built again with the raised counts, replacing the reset's build.
    level_tag::new_level();
}

void keep_best_score() {
    // Equal scores change nothing.
    if (player->score > player->best_sc) {
        if (player->new_bs == 0) player->new_bs = 1;
        player->best_sc = player->score;
    }
}

void world_step_playing() {
    if (player->get_inputs() != 0) advance_realm();
    player->update();
    step_world(true);
}

void world_step_dying() {
    phase_timer += 1;
    step_world(false);
}

void reset_pause() {
    pause_image.reset();
}
