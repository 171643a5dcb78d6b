// main_loop.cpp -- program entry: the start-up sequence, the frame loop with
// its state dispatch, and the exit sequence.
#include "app/main_loop.hpp"

#include <cstdio>
#include <string>

#include "app/global_keys.hpp"
#include "app/globals.hpp"
#include "app/hiscore.hpp"
#include "assets/embedded.hpp"
#include "draw/qwdraw.hpp"
#include "fx/effects.hpp"
#include "fx/stars.hpp"
#include "game/flow.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "resources/options.hpp"
#include "screens/frame.hpp"
#include "screens/game_over.hpp"
#include "screens/hud.hpp"
#include "screens/menu.hpp"
#include "screens/play.hpp"
#include "screens/splash.hpp"
#include "services/audio/sound.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/lifecycle.hpp"
#include "services/system/app.hpp"
#include "services/system/clock.hpp"
#include "services/system/random.hpp"

int start_seed = 0;

namespace {

std::function<void()>& start_hook() {
    static std::function<void()> hook;
    return hook;
}

// Creates every shared object in start-up's order: stars, cells, drawer,
// player, effect lists, the pause snapshot, then the images the sheet fills.
void create_globals() {
    reset_stars();
    level_cells.fill(nullptr);
    drawer = std::make_shared<qwdraw_tag>();
    player = std::make_shared<player_tag>();
    clear_effects();
    pause_image = NewImage(640, 480, 1, -1);
    create_asset_images();
}

}  // namespace

void run_state_handler() {
    switch (game_state) {
        case STATE_PLAY:
            play_frame();
            // A game that just ended with a new best keeps it on disk at once,
            // so a later crash, kill or lost display cannot take it away.
            if (game_state == STATE_GAME_OVER && player->new_bs != 0) hiscore_io(1);
            break;
        case STATE_PAUSE:
        case STATE_TITLE:
            menu_frame();
            break;
        case STATE_GAME_OVER:
            game_over_frame();
            break;
        default:
            break;  // STATE_STARTUP and unknown states run the bare frame
    }
}

void set_start_hook(std::function<void()> hook) {
    start_hook() = std::move(hook);
}

int program_entry() {
    // Objects of an earlier run go back to the services before those reset.
    reset_globals();
    start_seed = 0;
    ResetServices();
    if (start_hook()) start_hook()();

    register_embedded_assets();
    // The services start on first use and the game's record types need no registration.
    SetAppTitle("Bodger 2010");
    std::string error;
    if (!OpenGraphics(640, 480, 32, 60, 2, &error)) {
        if (error.empty()) error = "no video device";
        std::fprintf(stderr, "bodger2010: cannot open the 640x480 display: %s\n", error.c_str());
        // Started from a menu, the player sees no stderr: a box says it too
        // where a display can show one.
        ShowErrorBox("Bodger 2010 cannot open its 640x480 window (" + error +
                     ");\ncheck that the display and its graphics driver work, then start "
                     "the game again.");
        return 1;
    }
    CountJoysticks();
    SetImageMaskColor(0, 0, 0);
    SetDefaultImageFlags(IMAGE_MASKED | IMAGE_DYNAMIC);
    create_globals();
    music_channel = AllocChannel();
    SetMouseVisible(false);
    start_seed = ClockMillis();
    SeedRandom(start_seed);
    load_assets();
    hiscore_io(0);
    star_tag::create_em();
    level_tag::initialize();
    show_splash(-25);
    open_title();

    do {
        begin_frame();
        run_state_handler();
        hud_frame();
        retro_lines(2);
        Flip(-1);
        check_keys();
        check_suspend();
    } while (quit_game == 0);

    // Let the music's stop be heard before the process goes.
    if (Playing(music_channel)) {
        Stop(music_channel);
        SleepMillis(500);
    }
    hiscore_io(1);
    EndProgram();
    return 0;
}
