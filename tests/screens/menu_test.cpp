// menu_test.cpp -- the bands under the pointer, the item actions of both
// menus and the flush after every click.
#include "screens/menu.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "fx/points.hpp"
#include "game/player.hpp"
#include "services/input/input.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using MenuTest = ScreenTest;
using Sounds = std::vector<std::string>;

TEST_F(MenuTest, ClickOutsideTheItemsOnlyFlushes) {
    game_state = STATE_TITLE;
    for (int y : {220, 420, -5, 2000}) {
        key_press(32);
        click_at(320, y);
        menu_frame();
        EXPECT_EQ(KeyHitCount(32), 0) << "flushed at y " << y;
    }
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(quit_game, 0);
    EXPECT_EQ(retro_fx, 0);
    EXPECT_EQ(sound_level, 10);
    EXPECT_EQ(music_level, 10);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MenuTest, ItemUnderThePointerIsTakenInTheClicksFrame) {
    game_state = STATE_TITLE;
    MoveMouse(320, 240);  // over "Start Game"
    menu_frame();
    click_at(320, 290);  // "Retro Line FX"
    menu_frame();
    EXPECT_EQ(retro_fx, 1);
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(sounds, Sounds{"brick"});
}

TEST_F(MenuTest, SoundVolumeStepsElevenTimesBackToMax) {
    game_state = STATE_TITLE;
    for (int i = 0; i < 11; i++) {
        click_at(320, 330);
        menu_frame();
        if (i == 0) {
            EXPECT_EQ(sound_volume, 0.0f);
        }
    }
    EXPECT_EQ(sound_level, 10);
    EXPECT_EQ(sound_volume, 1.0000001f);
}

TEST_F(MenuTest, PauseMenuMusicVolumeDoesNotStartTheMusic) {
    game_state = STATE_PAUSE;
    const ChannelRef idle = music_channel;
    click_at(320, 370);
    menu_frame();
    EXPECT_EQ(music_level, 0);
    EXPECT_EQ(music_channel, idle);
    EXPECT_FALSE(Playing(music_channel));
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MenuTest, QuitToTitleRestartsTheMusicOnlyWhenSilent) {
    music_channel = playing_music();
    const ChannelRef still_playing = music_channel;
    game_state = STATE_PAUSE;
    click_at(320, 410);
    menu_frame();
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_EQ(music_channel, still_playing);
    EXPECT_EQ(MousePosX(), 320);
    EXPECT_EQ(MousePosY(), 240);

    Stop(music_channel);
    game_state = STATE_PAUSE;
    click_at(320, 410);
    menu_frame();
    EXPECT_NE(music_channel, still_playing) << "start_music replaces the channel";
}

TEST_F(MenuTest, StartGameBeginsAtRealmOneWithAFreshScore) {
    player_tag::reset(1);
    player->score = 4321;
    player->level = 6;
    points_tag::set(100, 100, "+50");
    game_state = STATE_TITLE;
    click_at(320, 250);
    menu_frame();
    EXPECT_EQ(game_state, STATE_PLAY);
    EXPECT_EQ(play_phase, 0);
    EXPECT_EQ(player->score, 0);
    EXPECT_EQ(player->level, 1);
    EXPECT_TRUE(points_list.IsEmpty());
    EXPECT_EQ(sounds, Sounds{"remote"});
}

TEST_F(MenuTest, PauseItemsResumeAndTitleItemQuits) {
    game_state = STATE_PAUSE;
    click_at(320, 221);  // first pixel of item 0's band
    menu_frame();
    EXPECT_EQ(game_state, STATE_PLAY);
    game_state = STATE_TITLE;
    click_at(320, 419);  // last pixel of item 4's band
    menu_frame();
    EXPECT_EQ(quit_game, 1);
    EXPECT_EQ(sounds, (Sounds{"remote", "remote"}));
}

}  // namespace
