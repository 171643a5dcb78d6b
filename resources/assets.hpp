// assets.hpp -- the game's art, font and sounds, loaded once at start-up and
// alive until the program ends, and their playback.  Every part of the game
// draws and plays these, so nothing here reaches up into the game.
#pragma once

#include "services/audio/sound.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"

extern ImageRef tiles;             // the 91 sprite cells, 32x32, handle at the centre
extern ImageRef title_image;       // 352x128, handle at the centre
extern ImageRef hud_top_image;     // 640x32, handle top-left
extern ImageRef hud_bottom_image;  // 640x55, handle top-left
extern ImageRef pointer_image;
extern FontRef game_font;

extern SoundRef snd_footstep, snd_button, snd_oh_no, snd_pickup, snd_yeah, snd_tnt, snd_remote,
    snd_brick, snd_da_oh, snd_glassplate, snd_complete, snd_hittrap, snd_uh_oh, snd_ughhhhh;
extern ChannelRef music_channel;

void create_asset_images();  // the empty images the sheet is cut into
void load_assets();          // font, pointer, sheet (drawn to the back buffer and cut), sounds
void play_sfx(const SoundRef& sound);
void start_music();
void reset_assets();  // releases every image, sound and the music channel
