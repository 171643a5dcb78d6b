// menu_test.cpp -- the menus' items under the pointer, their actions, the
// flush after every click; and the game-over screen's length.
#include "screens/menu.hpp"

#include <gtest/gtest.h>

#include <set>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "screens/game_over.hpp"
#include "services/input/input.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using MenuTest = ScreenTest;

TEST_F(MenuTest, ClickOutsideTheItemsOnlyFlushes) {
    game_state = STATE_TITLE;
    for (int y : {220, 420, 2000}) {
        key_press(32);
        click_at(320, y);
        menu_frame();
        EXPECT_EQ(KeyHitCount(32), 0) << "flushed at y " << y;
    }
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MenuTest, ItemIsTheOneUnderThePointerInTheClicksFrame) {
    game_state = STATE_PAUSE;
    MoveMouse(320, 240);  // over "Resume Game"
    menu_frame();
    click_at(320, 290);  // over "Retro Line FX: "
    menu_frame();
    EXPECT_EQ(retro_fx, 1);
    EXPECT_EQ(game_state, STATE_PAUSE);
    click_at(320, 221);  // the first row of "Resume Game"
    menu_frame();
    EXPECT_EQ(game_state, STATE_PLAY);
}

TEST_F(MenuTest, PauseMenuStartsTheMusicOnlyWhenQuittingToASilentTitle) {
    const ChannelRef idle = music_channel;
    game_state = STATE_PAUSE;
    click_at(320, 370);  // "Music Volume: "
    menu_frame();
    EXPECT_EQ(music_channel, idle);
    EXPECT_FALSE(Playing(music_channel));

    auto tune = std::make_shared<TSound>(TSound{44100, 1, true, "tune", {0, 0, 0}});
    music_channel = Cue(tune);
    SetPaused(music_channel, false);
    const ChannelRef playing = music_channel;
    click_at(320, 419);  // the last row of "Quit This Game"
    menu_frame();
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(music_channel, playing) << "the introduction's music goes on";

    Stop(music_channel);
    game_state = STATE_PAUSE;
    click_at(320, 410);
    menu_frame();
    EXPECT_NE(music_channel, playing);
}

TEST_F(MenuTest, StartGameBeginsAtRealmOneWithAFreshScore) {
    player_tag::reset(1);
    player->score = 4321;
    player->level = 6;
    game_state = STATE_TITLE;
    click_at(320, 250);
    menu_frame();
    EXPECT_EQ(game_state, STATE_PLAY);
    EXPECT_EQ(player->score, 0);
    EXPECT_EQ(player->level, 1);
}

// Frames of "Game Over" until the title, with a skip before each listed frame.
int game_over_frames(const std::set<int>& presses) {
    game_state = STATE_GAME_OVER;
    phase_timer = 0;
    for (int f = 1; f <= 1000; f++) {
        if (presses.count(f)) ScreenTest::key_press(162);
        game_over_frame();
        if (game_state == STATE_TITLE) return f;
    }
    return 0;
}

TEST_F(MenuTest, GameOverLasts201FramesOr51AfterTheLastPress) {
    EXPECT_EQ(game_over_frames({}), 201);
    EXPECT_EQ(game_over_frames({1}), 52);
    EXPECT_EQ(game_over_frames({1, 40, 90, 140, 190}), 190 + 51);
}

}  // namespace
