// game_fixture.hpp -- what the gameplay tests stand on: a headless 640x480
// display, a blank sprite sheet, the drawer, the player, the 270 cells and a
// log of the sounds started, all put back to their load-time state afterwards.
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
#include "services/audio/sound.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/image.hpp"
#include "services/platform/headless/headless.hpp"
#include "services/system/app.hpp"

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
        make_sounds();
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

    // Base names of the sounds started since the test began, in order.
    static std::vector<std::string>& sounds() {
        static std::vector<std::string> log;
        return log;
    }

    static level_tag& cell(int i) { return *level_cells[i]; }

    // An empty, lit realm of plain floor, in the playing phase.
    static void clear_grid() {
        for (int i = 0; i < 260; ++i) {
            level_tag& c = cell(i);
            const int x = c.x, y = c.y;
            c = level_tag{};
            c.x = x;
            c.y = y;
            c.tile1 = TILE_FLOOR;
        }
        level_r = level_g = level_b = 40;
        level_alpha = 1.0f;
        torches_left = 5;
        play_phase = PHASE_PLAYING;
    }

    // Bodger standing on the centre of cell i.
    static void stand_on(int i) {
        player->x = float(cell(i).x);
        player->y = float(cell(i).y);
        player->state = PLAYER_STANDING;
    }

    static void press(int key) {
        headless::PushEvent({platform::EventType::KeyDown, key});
        headless::PushEvent({platform::EventType::KeyUp, key});
    }

   private:
    static void make_sounds() {
        const std::pair<SoundRef*, const char*> named[] = {
            {&snd_footstep, "footstep"},     {&snd_button, "button"},     {&snd_oh_no, "oh_no"},
            {&snd_pickup, "pickup"},         {&snd_yeah, "yeah"},         {&snd_tnt, "tnt"},
            {&snd_remote, "remote"},         {&snd_brick, "brick"},       {&snd_da_oh, "da_oh"},
            {&snd_glassplate, "glassplate"}, {&snd_complete, "complete"}, {&snd_hittrap, "hittrap"},
            {&snd_uh_oh, "uh_oh"},           {&snd_ughhhhh, "ughhhhh"}};
        for (const auto& [ref, name] : named) {
            auto s = std::make_shared<TSound>();
            s->rate = 44100;
            s->channels = 1;
            s->path = name;
            s->samples.assign(64, 0);
            *ref = s;
        }
    }
};

using Sounds = std::vector<std::string>;
