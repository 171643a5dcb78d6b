// game_fixture.hpp -- a headless 640x480 display, a blank sprite sheet, the
// drawer, the player, the 270 cells and a log of the sounds started; every
// global is put back to its load-time value afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/globals.hpp"
#include "draw/qwdraw.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"
#include "services/graphics/display.hpp"
#include "services/lifecycle.hpp"
#include "services/platform/headless/headless.hpp"
#include "services/system/app.hpp"

using Texts = std::vector<std::string>;

class GameTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headless::Reset();
        ResetServices();
        reset_globals();
        ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 2));
        SetAutoCentreHandle(true);
        tiles = NewImage(32, 32, 91);
        SetAutoCentreHandle(false);
        drawer = std::make_shared<qwdraw_tag>();
        player = std::make_shared<player_tag>();
        // Named as the runner logs them.
        // clang-format off
        const std::pair<SoundRef*, const char*> named[] = {
            {&snd_footstep, "footstep"}, {&snd_button, "button"}, {&snd_oh_no, "oh_no"},
            {&snd_pickup, "pickup"}, {&snd_yeah, "yeah"}, {&snd_tnt, "tnt"},
            {&snd_remote, "remote"}, {&snd_brick, "brick"}, {&snd_da_oh, "da_oh"},
            {&snd_complete, "complete"}, {&snd_glassplate, "glassplate"},
            {&snd_uh_oh, "uh_oh"}, {&snd_hittrap, "hittrap"}, {&snd_ughhhhh, "ughhhhh"}};
        // clang-format on
        for (const auto& [ref, name] : named) {
            *ref = std::make_shared<TSound>();
            (*ref)->rate = 44100;
            (*ref)->channels = 1;
            (*ref)->path = name;
            (*ref)->samples.assign(64, 0);
        }
        sounds().clear();
        SetSoundStartHook([](const TSound& s) { sounds().push_back(s.path); });
        level_tag::initialize();
    }

    void TearDown() override {
        SetSoundStartHook(nullptr);
        headless::SetWaitHandler(nullptr);
        reset_globals();
        ResetServices();
        headless::Reset();
    }

    static Texts& sounds() {  // base names of the sounds started, in order
        static Texts log;
        return log;
    }
    static level_tag& cell(int i) { return *level_cells[i]; }

    // An empty, lit realm of plain floor, in the playing phase.
    static void clear_grid() {
        for (int i = 0; i < 260; ++i) {
            level_tag fresh;
            fresh.x = cell(i).x;
            fresh.y = cell(i).y;
            fresh.tile1 = TILE_FLOOR;
            cell(i) = fresh;
        }
        level_r = level_g = level_b = 40;
        level_alpha = 1.0f;
        torches_left = 5;
        play_phase = PHASE_PLAYING;
    }
    static void stand_on(int i) {
        player->x = float(cell(i).x);
        player->y = float(cell(i).y);
        player->state = PLAYER_STANDING;
    }
    static void press(int key) {
        headless::PushEvent({platform::EventType::KeyDown, key});
        headless::PushEvent({platform::EventType::KeyUp, key});
    }
};
