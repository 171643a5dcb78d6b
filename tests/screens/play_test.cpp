// play_test.cpp -- the story introduction's skip and the best score kept in
// every phase.
#include "screens/play.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using PlayTest = ScreenTest;
using Sounds = std::vector<std::string>;

TEST_F(PlayTest, SkipInTheFirstFrameDrawsOnlyTheSecondCaptionAndPlaysNext) {
    key_press(162);
    play_frame();
    EXPECT_EQ(lit(0, 60, 640, 100), 0) << "first caption";
    EXPECT_GT(lit(0, 370, 640, 410), 0) << "second caption";
    play_frame();
    EXPECT_EQ(play_phase, PHASE_PLAYING);
    EXPECT_EQ(sounds, (Sounds{"button", "oh_no"}));
}

TEST_F(PlayTest, BestScoreFollowsAHigherScoreInTheSameFrameEvenWhileDying) {
    player->best_sc = player->score = 100;
    play_frame();
    EXPECT_EQ(player->new_bs, 0) << "an equal score is no record";
    play_phase = PHASE_DYING;
    player->state = DEATH_BRICK;
    player->score = 150;
    play_frame();
    EXPECT_EQ(player->best_sc, 150);
    EXPECT_EQ(player->new_bs, 1);
}

}  // namespace
