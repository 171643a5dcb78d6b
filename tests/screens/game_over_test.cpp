// game_over_test.cpp -- how long the game-over screen stays.
#include "screens/game_over.hpp"

#include <gtest/gtest.h>

#include <set>

#include "app/globals.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using GameOverTest = ScreenTest;

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

TEST_F(GameOverTest, GameOverLasts201FramesOr51AfterTheLastPress) {
    EXPECT_EQ(game_over_frames({}), 201);
    EXPECT_EQ(game_over_frames({1}), 52);
    EXPECT_EQ(game_over_frames({1, 40, 90, 140, 190}), 190 + 51);
}

}  // namespace
