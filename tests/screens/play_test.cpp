// play_test.cpp -- the story introduction and the best score.
#include "screens/play.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "services/graphics/display.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using PlayTest = ScreenTest;
using Sounds = std::vector<std::string>;

void frame() {
    Cls();
    play_frame();
}

TEST_F(PlayTest, IntroductionCaptionSoundsAt51And101AndPlayFrom801) {
    for (int f = 1; f <= 800; f++) frame();
    EXPECT_EQ(sounds, (Sounds{"complete", "complete"}));
    EXPECT_EQ(play_phase, PHASE_INTRO);
    frame();
    EXPECT_EQ(play_phase, PHASE_PLAYING);
    EXPECT_EQ(sounds, (Sounds{"complete", "complete", "button", "oh_no"}));
}

TEST_F(PlayTest, SkipInTheFirstFrameDrawsOnlyTheSecondCaptionAndPlaysNext) {
    key_press(162);
    frame();
    EXPECT_EQ(lit(0, 60, 640, 100), 0) << "first caption";
    EXPECT_GT(lit(0, 370, 640, 410), 0) << "second caption";
    frame();
    EXPECT_EQ(play_phase, PHASE_PLAYING);
    EXPECT_EQ(sounds, (Sounds{"button", "oh_no"}));
}

TEST_F(PlayTest, SkipLeavesTheHitsOfLaterSourcesForTheNextFrame) {
    key_press(162);
    click_at(10, 10);
    frame();
    phase_timer = 5;
    frame();
    EXPECT_EQ(phase_timer, 800) << "the click skips in the second frame";
}

TEST_F(PlayTest, BestScoreFollowsAHigherScoreInTheSameFrameEvenWhileDying) {
    player->best_sc = player->score = 100;
    frame();
    EXPECT_EQ(player->new_bs, 0) << "an equal score is no record";
    play_phase = PHASE_DYING;
    player->state = DEATH_BRICK;
    player->score = 150;
    frame();
    EXPECT_EQ(player->best_sc, 150);
    EXPECT_EQ(player->new_bs, 1);
}

}  // namespace
