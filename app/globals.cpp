// globals.cpp -- the program-wide globals with their load-time values, and
// the reset that puts them back (so that repeated runs in one process, as the
// runner and the tests make them, each start clean).
#include "app/globals.hpp"

#include "draw/qwdraw.hpp"
#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "fx/stars.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"

int game_state = 0;
int play_phase = 0;
int phase_timer = 0;
int quit_game = 0;

std::array<std::shared_ptr<star_tag>, 100> stars;
std::array<std::shared_ptr<level_tag>, 270> level_cells;
std::shared_ptr<qwdraw_tag> drawer;
std::shared_ptr<player_tag> player;
std::array<int, 18> idle_frames = {62, 63, 62, 63, 62, 63, 62, 63, 62,
                                   64, 65, 64, 65, 64, 65, 64, 65, 64};
TList<flame_tag> flame_list;
TList<points_tag> points_list;
TList<brick_tag> brick_list;
TList<dust_tag> dust_list;
TList<explode_tag> explode_list;
ImageRef pause_image;
ImageRef tiles;
ImageRef title_image;
ImageRef hud_top_image;
ImageRef hud_bottom_image;
FontRef game_font;
ImageRef pointer_image;
// The label tables never change; start-up fills them again in its own step.
std::array<std::string, 2> off_on_labels = {"Off", "On"};
std::array<std::string, 11> volume_labels = {"Off", "10%", "20%", "30%", "40%", "50%",
                                             "60%", "70%", "80%", "90%", "Max"};
std::array<std::string, 5> menu_labels = {
    "Start Game", "Retro Line FX: ", "Sound Volume: ", "Music Volume: ", "Exit Game"};
const std::string version_line = "Version 1.0 - a game by the Bodger crew";

SoundRef snd_footstep, snd_button, snd_oh_no, snd_pickup, snd_yeah, snd_tnt, snd_remote, snd_brick,
    snd_da_oh, snd_glassplate, snd_complete, snd_hittrap, snd_uh_oh, snd_ughhhhh;
ChannelRef music_channel;

float music_volume = 1.0f, sound_volume = 1.0f;
int music_level = 10, sound_level = 10;
int retro_fx = 0;

int pointer_x = 0, pointer_y = 0;
int start_seed = 0;

void reset_globals() {
    game_state = 0;
    play_phase = 0;
    phase_timer = 0;
    quit_game = 0;

    // Effects first: they are the objects that come and go during play.
    flame_list.Clear();
    points_list.Clear();
    brick_list.Clear();
    dust_list.Clear();
    explode_list.Clear();
    stars.fill(nullptr);
    level_cells.fill(nullptr);
    drawer.reset();
    player.reset();

    pause_image.reset();
    tiles.reset();
    title_image.reset();
    hud_top_image.reset();
    hud_bottom_image.reset();
    game_font.reset();
    pointer_image.reset();
    for (SoundRef* sound : {&snd_footstep, &snd_button, &snd_oh_no, &snd_pickup, &snd_yeah,
                            &snd_tnt, &snd_remote, &snd_brick, &snd_da_oh, &snd_glassplate,
                            &snd_complete, &snd_hittrap, &snd_uh_oh, &snd_ughhhhh}) {
        sound->reset();
    }
    music_channel.reset();

    music_volume = 1.0f;
    sound_volume = 1.0f;
    music_level = 10;
    sound_level = 10;
    retro_fx = 0;
    pointer_x = 0;
    pointer_y = 0;
    start_seed = 0;

    // The level's and the death sequences' globals are all 0 before the first build.
    pit_count = 0;
    brick_count = 0;
    level_r = level_g = level_b = 0;
    torches_left = 0;
    level_alpha = 0.0f;
    flame_tick = 0;
    remote_msg_alpha = 0.0f;
    trap_x = trap_y = trap_x2 = trap_dx = 0.0f;
    trap_frame = 0;
    trap_phase = 0;
    death_spin = 0;
    death_scale = 0.0f;
}
