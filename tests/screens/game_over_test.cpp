// game_over_test.cpp -- how long "Game Over" stays and how a press shortens it.
#include "screens/game_over.hpp"

#include <gtest/gtest.h>

#include <set>

#include "app/globals.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

class GameOverTest : public ScreenTest {
   protected:
    // Frames until the title menu, with a skip press before each listed frame.
    int frames_to_title(const std::set<int>& presses) {
        game_state = STATE_GAME_OVER;
        phase_timer = 0;
        for (int f = 1; f <= 1000; f++) {
            if (presses.count(f)) key_press(162);
            game_over_frame();
            if (game_state == STATE_TITLE) return f;
        }
        return 0;
    }
};

TEST_F(GameOverTest, EndsInItsTwoHundredAndFirstFrame) {
    EXPECT_EQ(frames_to_title({}), 201);
}

TEST_F(GameOverTest, PressInTheFirstFrameEndsInFrame52) {
    EXPECT_EQ(frames_to_title({1}), 52);
}

TEST_F(GameOverTest, RepeatedPressesHoldItUp) {
    EXPECT_EQ(frames_to_title({1, 40, 90, 140, 190}), 190 + 51);
}

TEST_F(GameOverTest, EndingStartsTheMusicAfresh) {
    const ChannelRef idle = music_channel;
    frames_to_title({});
    EXPECT_NE(music_channel, idle);
}

}  // namespace
