// globals.hpp -- the program-wide globals shared by every screen, created
// once at start-up and alive until the program ends.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "services/audio/sound.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"
#include "services/system/list.hpp"

struct level_tag;
struct player_tag;
struct qwdraw_tag;
struct star_tag;
struct flame_tag;
struct points_tag;
struct brick_tag;
struct dust_tag;
struct explode_tag;

enum : int {
    STATE_PLAY = 2,
    STATE_PAUSE = 3,
    STATE_TITLE = 4,
    STATE_GAME_OVER = 5,
};

extern int game_state;   // current game state; 0 until the splash has ended
extern int play_phase;   // inside STATE_PLAY: 0 story introduction, 1 playing, 2 dying
extern int phase_timer;  // frames spent in the current phase or screen
extern int quit_game;    // 1 ends the main loop after the current frame

extern std::array<std::shared_ptr<star_tag>, 100> stars;
extern std::array<std::shared_ptr<level_tag>, 270> level_cells;
extern std::shared_ptr<qwdraw_tag> drawer;
extern std::shared_ptr<player_tag> player;
extern std::array<int, 18> idle_frames;
extern TList<flame_tag> flame_list;
extern TList<points_tag> points_list;
extern TList<brick_tag> brick_list;
extern TList<dust_tag> dust_list;
extern TList<explode_tag> explode_list;
extern ImageRef pause_image;       // 640x480 snapshot of the play screen behind the pause menu
extern ImageRef tiles;             // the 91 sprite cells, 32x32, handle at the centre
extern ImageRef title_image;       // 352x128, handle at the centre
extern ImageRef hud_top_image;     // 640x32, handle top-left
extern ImageRef hud_bottom_image;  // 640x55, handle top-left
extern FontRef game_font;
extern ImageRef pointer_image;
extern std::array<std::string, 2> off_on_labels;
extern std::array<std::string, 11> volume_labels;
extern std::array<std::string, 5> menu_labels;
extern const std::string version_line;

extern SoundRef snd_footstep, snd_button, snd_oh_no, snd_pickup, snd_yeah, snd_tnt, snd_remote,
    snd_brick, snd_da_oh, snd_glassplate, snd_complete, snd_hittrap, snd_uh_oh, snd_ughhhhh;
extern ChannelRef music_channel;

extern float music_volume, sound_volume;  // 0.0 to 1.0 (just above 1.0 after a wrap)
extern int music_level, sound_level;      // steps 0 to 10
extern int retro_fx;                      // scan lines on (1) or off (0)

// Joystick readings that count as a direction (compared exactly).
inline constexpr float joy_left = -1.0f, joy_right = 1.0f, joy_up = -1.0f, joy_down = 1.0f;

extern int pointer_x, pointer_y;  // working copy of the pointer in steer_pointer

extern int
    start_seed;  // the value start-up gave to SeedRandom (the clock after the display opened)

// Puts every global above back to its value at program load.
void reset_globals();
