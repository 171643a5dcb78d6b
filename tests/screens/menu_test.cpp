// menu_test.cpp -- the menus' items under the pointer and the flush after
// every click; and how long the game-over screen stays.
#include "screens/menu.hpp"

#include <gtest/gtest.h>

#include <set>

#include "app/globals.hpp"
#include "screens/game_over.hpp"
#include "screens/pointer.hpp"
#include "services/input/input.hpp"
#include "services/platform/headless/headless.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using MenuTest = ScreenTest;

TEST_F(MenuTest, ClickActsOnTheBandUnderThePointerInItsFrameAndAlwaysFlushes) {
    game_state = STATE_PAUSE;
    // Bands of 40 rows from y 221; "Retro Line FX: " is item 1.
    for (auto [y, retro] : {std::pair{220, 0}, {420, 0}, {260, 1}, {299, 0}, {300, 0}}) {
        key_press(32);
        click_at(320, y);
        menu_frame();
        EXPECT_EQ(KeyHitCount(32), 0) << "flushed at y " << y;
        EXPECT_EQ(retro_fx, retro) << "y " << y;
    }
    click_at(320, 221);  // "Resume Game"
    menu_frame();
    EXPECT_EQ(game_state, STATE_PLAY);
}

TEST_F(MenuTest, AFullStickSteersThePointerSixPixelsAndStopsAtTheEndsOfInt) {
    headless::AttachJoystick(true);
    headless::SetJoyAxis(0, 1.0f);
    headless::SetJoyAxis(1, -1.0f);
    MoveMouse(100, 100);
    steer_pointer();
    EXPECT_EQ(MousePosX(), 106);
    EXPECT_EQ(MousePosY(), 94);
    // A script may put the pointer anywhere: it stays put instead of wrapping.
    constexpr int kMax = 2147483647, kMin = -kMax - 1;
    MoveMouse(kMax - 2, kMin + 2);
    steer_pointer();
    EXPECT_EQ(MousePosX(), kMax);
    EXPECT_EQ(MousePosY(), kMin);
    headless::SetJoyAxis(0, -1.0f);
    headless::SetJoyAxis(1, 1.0f);
    steer_pointer();
    EXPECT_EQ(MousePosX(), kMax - 6);
    EXPECT_EQ(MousePosY(), kMin + 6);
    headless::AttachJoystick(false);
    headless::SetJoyAxis(0, 0.0f);
    headless::SetJoyAxis(1, 0.0f);
}

TEST_F(MenuTest, PauseMenuMusicStartsOnlyWhenQuittingToASilentTitle) {
    const ChannelRef idle = music_channel;
    game_state = STATE_PAUSE;
    click_at(320, 370);  // "Music Volume: "
    menu_frame();
    EXPECT_EQ(music_channel, idle);
    click_at(320, 419);  // the last row of "Quit This Game"
    menu_frame();
    EXPECT_EQ(game_state, STATE_TITLE);
    EXPECT_NE(music_channel, idle) << "started afresh";

    music_channel = Cue(std::make_shared<TSound>(TSound{44100, 1, true, "tune", {0, 0}}));
    SetPaused(music_channel, false);
    const ChannelRef playing = music_channel;
    game_state = STATE_PAUSE;
    click_at(320, 410);
    menu_frame();
    EXPECT_EQ(music_channel, playing) << "the introduction's music goes on";
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
