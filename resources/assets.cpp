// assets.cpp -- the font, pointer and sprite sheet (cut into the game's
// images), the fourteen sound effects, and sound playback.
// A sound file that is missing loads as none and then simply stays silent.
#include "resources/assets.hpp"

#include "resources/options.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"

ImageRef tiles;
ImageRef title_image;
ImageRef hud_top_image;
ImageRef hud_bottom_image;
ImageRef pointer_image;
FontRef game_font;

SoundRef snd_footstep, snd_button, snd_oh_no, snd_pickup, snd_yeah, snd_tnt, snd_remote, snd_brick,
    snd_da_oh, snd_glassplate, snd_complete, snd_hittrap, snd_uh_oh, snd_ughhhhh;
ChannelRef music_channel;

namespace {

// Sheet cells: rows of 19, 32x32 each, a one-pixel gutter left of and above every cell.
constexpr int kCellsPerRow = 19;
constexpr int kCellPitch = 33;

void cut_sheet() {
    GrabImageFrame(title_image, 0, 201, 0);
    GrabImageFrame(hud_top_image, 0, 336, 0);
    GrabImageFrame(hud_bottom_image, 0, 382, 0);
    int x = 1, y = 1;
    for (int f = 0; f < FRAME_COUNT; ++f) {
        GrabImageFrame(tiles, x, y, f);
        x += kCellPitch;
        if ((f + 1) % kCellsPerRow == 0) {
            x = 1;
            y += kCellPitch;
        }
    }
}

void load_sounds() {
    snd_footstep = TSound::Load("data\\footstep.ogg", 0);
    snd_button = TSound::Load("data\\button.ogg", 0);
    snd_oh_no = TSound::Load("data\\oh_no.ogg", 0);
    snd_pickup = TSound::Load("data\\pickup.ogg", 0);
    snd_yeah = TSound::Load("data\\yeah.ogg", 0);
    snd_tnt = TSound::Load("data\\tnt.ogg", 0);
    snd_remote = TSound::Load("data\\remote.ogg", 0);
    snd_brick = TSound::Load("data\\brick.ogg", 0);
    snd_da_oh = TSound::Load("data\\da_oh.ogg", 0);
    snd_glassplate = TSound::Load("data\\glassplate.ogg", 0);
    snd_complete = TSound::Load("data\\complete.ogg", 0);
    snd_hittrap = TSound::Load("data\\hittrap.ogg", 0);
    snd_uh_oh = TSound::Load("data\\uh_oh.ogg", 0);
    snd_ughhhhh = TSound::Load("data\\ughhhhh.ogg", 0);
}

}  // namespace

void create_asset_images() {
    // The sprite cells and the title logo are drawn about their centres,
    // the HUD bars from their top-left corners.
    SetAutoCentreHandle(true);
    tiles = NewImage(32, 32, FRAME_COUNT, -1);
    title_image = NewImage(352, 128, 1, -1);
    SetAutoCentreHandle(false);
    hud_top_image = NewImage(640, 32, 1, -1);
    hud_bottom_image = NewImage(640, 55, 1, -1);
}

void load_assets() {
    game_font = TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4);
    SetCurrentFont(game_font);
    pointer_image = LoadImageFile("incbin::graphx\\bgpointer.png", -1);

    // The sheet is drawn once into the back buffer and cut from there; the
    // splash clears the buffer before its first frame is shown.
    ImageRef sheet = LoadImageFile("incbin::graphx\\bodger2010_sf1.png", -1);
    Cls();
    DrawImageFrame(sheet, 0, 0, 0);
    cut_sheet();

    load_sounds();
}

void play_sfx(const SoundRef& sound) {
    if (!sound) return;
    // Cued paused so the volume is set before anything is heard; the channel
    // is dropped at once and the effect plays on to its end.
    ChannelRef channel = Cue(sound);
    SetVolume(channel, sound_volume);
    SetPaused(channel, false);
}

void start_music() {
    // Read afresh on every start; the old channel is released, not stopped.
    // Decoded as it plays, so starting it never holds up a frame.
    SoundRef music = TSound::Stream("data\\thebodger.ogg", SOUND_LOOP);
    music_channel = Cue(music);
    SetVolume(music_channel, music_volume);
    SetPaused(music_channel, false);
}

void reset_assets() {
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
}
