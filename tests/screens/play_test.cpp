// play_test.cpp -- the story introduction's timeline and skip, the remote
// prompt and the best score.
#include "screens/play.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "services/graphics/display.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using PlayTest = ScreenTest;
using Sounds = std::vector<std::string>;

// Rows of the two captions: the glowing remote stays between them.
int first_caption() {
    return ScreenTest::lit(0, 60, 640, 100);
}
int second_caption() {
    return ScreenTest::lit(0, 370, 640, 410);
}

void frame() {
    Cls();
    play_frame();
}

TEST_F(PlayTest, IntroductionShowsCaptionsOnTimeAndPlaysFromFrame801) {
    music_channel = playing_music();
    sounds.clear();
    for (int f = 1; f <= 800; f++) {
        frame();
        if (f == 50) {
            EXPECT_EQ(first_caption(), 0);
        }
        if (f == 51) {
            EXPECT_GT(first_caption(), 0);
            EXPECT_EQ(sounds, Sounds{"complete"});
        }
        if (f == 100) {
            EXPECT_EQ(second_caption(), 0);
        }
        if (f == 101) {
            EXPECT_GT(second_caption(), 0);
            EXPECT_EQ(sounds, (Sounds{"complete", "complete"}));
        }
    }
    EXPECT_EQ(play_phase, PHASE_INTRO);
    EXPECT_TRUE(Playing(music_channel));
    frame();
    EXPECT_EQ(play_phase, PHASE_PLAYING);
    EXPECT_FALSE(Playing(music_channel));
    EXPECT_EQ(sounds, (Sounds{"complete", "complete", "button", "oh_no"}));
}

TEST_F(PlayTest, SkipOnTheFirstFrameShowsTheSecondCaptionAndPlaysNext) {
    key_press(162);
    frame();
    EXPECT_EQ(phase_timer, 800);
    EXPECT_EQ(first_caption(), 0);
    EXPECT_GT(second_caption(), 0);
    EXPECT_EQ(play_phase, PHASE_INTRO);
    frame();
    EXPECT_GT(first_caption(), 0);
    EXPECT_EQ(play_phase, PHASE_PLAYING);
    EXPECT_EQ(sounds, (Sounds{"button", "oh_no"}));
}

TEST_F(PlayTest, SkipAsksOnlyUntilTheFirstSourceWithAHit) {
    // Control and a click together: the click is left for a later frame.
    key_press(162);
    click_at(10, 10);
    frame();
    EXPECT_EQ(phase_timer, 800);
    phase_timer = 5;
    frame();
    EXPECT_EQ(phase_timer, 800);
}

TEST_F(PlayTest, RemotePromptFadesOutOnceComplete) {
    player_tag::reset(1);
    play_phase = PHASE_PLAYING;
    player->rpieces = 1;
    frame();
    EXPECT_EQ(remote_msg_alpha, 1.0f) << "hidden while a piece is missing";
    player->rpieces = 0;
    int drawn = 0;
    for (int f = 0; f < 300; f++) {
        const float before = remote_msg_alpha;
        frame();
        drawn += remote_msg_alpha != before;
    }
    EXPECT_EQ(remote_msg_alpha, 0.0f);
    EXPECT_EQ(drawn, 201);
}

TEST_F(PlayTest, BestScoreFollowsTheScoreInTheSameFrameInEveryPhase) {
    player->best_sc = 100;
    player->score = 100;
    frame();
    EXPECT_EQ(player->new_bs, 0) << "an equal score is no record";
    // While dying, too: a brick death in its first frame.
    play_phase = PHASE_DYING;
    player->state = DEATH_BRICK;
    player->score = 150;
    frame();
    EXPECT_EQ(player->best_sc, 150);
    EXPECT_EQ(player->new_bs, 1);
    player->score = 120;
    frame();
    EXPECT_EQ(player->best_sc, 150);
}

}  // namespace
