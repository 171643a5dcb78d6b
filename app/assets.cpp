// assets.cpp -- the font, pointer and sprite sheet (cut into the game's
// images), the fourteen sound effects, the logo splash, and sound playback.
// A sound file that is missing loads as none and then simply stays silent.
#include "app/assets.hpp"

#include "app/globals.hpp"
#include "app/main_loop.hpp"
#include "draw/qwdraw.hpp"
#include "game/player.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/system/app.hpp"

namespace {

// Sheet cells: rows of 19, 32x32 each, a one-pixel gutter left of and above every cell.
constexpr int kCellsPerRow = 19;
constexpr int kCellPitch = 33;

void cut_sheet() {
    GrabImageFrame(title_image, 0, 201, 0);
    GrabImageFrame(hud_top_image, 0, 336, 0);
    GrabImageFrame(hud_bottom_image, 0, 382, 0);
    int x = 1, y = 1;
    for (int f = 0; f < 91; ++f) {
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

// Any of the four skip inputs, asked in order and only until one answers.
bool splash_skipped() {
    return KeyHitCount(KEY_ESCAPE) != 0 || KeyHitCount(KEY_SPACE) != 0 || MouseHitCount(1) != 0 ||
           JoyHitCount(0, 0) != 0;
}

}  // namespace

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

void show_splash(int y_offset) {
    // hold climbs for 225 frames with the logo opaque, then alpha fades by
    // 0.01 a frame: the splash ends at its 326th frame.
    float alpha = 1.0f;
    float hold = 0.1f;
    ImageRef logo = LoadImageFile("incbin::graphx\\qwlogo.png", -1);
    if (logo) CentreHandle(logo);
    const int x = ScreenWidth() / 2;
    const int y = ScreenHeight() / 2 + y_offset;
    start_music();

    do {
        begin_frame();
        SetColor(255, 255, 255);
        drawer->sip(BLEND_ALPHA, alpha, 0.0f, 1.0f, 1.0f);
        drawer->i3d(logo, float(x), float(y), 0);
        if (hold <= 1.0f) {
            hold += 0.004f;
        } else {
            alpha -= 0.01f;
        }
        retro_lines(2);
        if (alpha < 0.0f) alpha = 0.0f;
        Flip(-1);
        // The music plays on while the window is inactive here.
        while (AppIsSuspended()) WaitSystem();
        if (CloseRequested()) {
            quit_game = 1;
            break;
        }
        if (splash_skipped()) break;
    } while (alpha > 0.0f);

    SetColor(255, 255, 255);
    drawer->sip(BLEND_MASK, 1.0f, 0.0f, 1.0f, 1.0f);
    player->flush_inputs();
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
