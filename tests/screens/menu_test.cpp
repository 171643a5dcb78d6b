// menu_test.cpp -- the menus' items under the pointer and the flush after
// every click, and the music they start.
#include "screens/menu.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "screens/pointer.hpp"
#include "services/audio/sound.hpp"
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

TEST_F(MenuTest, AMusicVolumeStepIsHeardAtOnce) {
    StartAudioAt(44100);
    auto tune = std::make_shared<TSound>(TSound{44100, 1, true, "tune", {1000, 1000}});
    music_channel = Cue(tune);
    SetPaused(music_channel, false);
    std::vector<std::int16_t> mixed(2);
    MixAudio(mixed.data(), 1);
    EXPECT_EQ(mixed[0], 1000);
    game_state = STATE_TITLE;
    click_at(320, 370);  // "Music Volume: " steps from Max to Off
    menu_frame();
    EXPECT_EQ(music_level, 0);
    MixAudio(mixed.data(), 1);
    EXPECT_EQ(mixed[0], 0);
}

}  // namespace
