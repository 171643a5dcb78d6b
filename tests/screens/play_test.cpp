// play_test.cpp -- the story introduction's skip, the best score, and each
// death's length from its first frame on test tiles that are solid squares.
#include "screens/play.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "services/graphics/image.hpp"
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

struct DeathCase {
    const char* name;
    int state;
    float x;                // the player's cell; y is 240
    float trap_x, trap_dx;  // the shot's start and speed (7), the object's x (8)
    bool figure_blank;      // the standing figure has no solid pixel
    int frames;             // until the game-over screen takes over
};
// Names the case in test listings, instead of the bytes of the parameter.
void PrintTo(const DeathCase& c, std::ostream* out) {
    *out << c.name;
}
class DeathLength : public ScreenTest, public ::testing::WithParamInterface<DeathCase> {};

TEST_P(DeathLength, EndsInGameOver) {
    const DeathCase& c = GetParam();
    play_phase = PHASE_DYING;
    player->state = c.state;
    player->x = c.x, player->y = 240;
    death_scale = 5.0f;
    trap_x = c.trap_x, trap_dx = c.trap_dx, trap_y = c.state == DEATH_SHOT ? 224 : 0;
    trap_frame = c.trap_dx > 0 ? FRAME_SHOT_FROM_LEFT : FRAME_SHOT_FROM_RIGHT;
    if (c.figure_blank) {
        std::vector<std::uint32_t> clear(32 * 32, 0);
        SetImageFramePixels(tiles, FRAME_STANDING_FRONT, clear.data(), true);
    }
    int f = 1;
    for (play_frame(); game_state != STATE_GAME_OVER && f < 1000; f++) play_frame();
    EXPECT_EQ(f, c.frames);
    EXPECT_EQ(phase_timer, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Deaths, DeathLength,
    ::testing::Values(DeathCase{"Brick", DEATH_BRICK, 304, 0, 0, false, 151},
                      DeathCase{"Pit", DEATH_PIT, 304, 0, 0, false, 100},
                      DeathCase{"TrapDoor", DEATH_TRAP_DOOR, 304, 0, 0, false, 51 + 100},
                      // 42 frames falling, then the piece with further to go decides.
                      DeathCase{"Falling", DEATH_FALLING, 304, 304, 0, false, 42 + 169},
                      DeathCase{"FallingAtTheLeftEdge", DEATH_FALLING, 16, 16, 0, false, 42 + 313},
                      // The shot meets the figure 28 or 30 pixels short of it.
                      DeathCase{"ShotFromLeft", DEATH_SHOT, 304, 0, 6, false, 46 + 185},
                      DeathCase{"ShotFromRight", DEATH_SHOT, 304, 640, -6, false, 51 + 169},
                      // Nothing to meet: the shot strikes once past x 672.
                      DeathCase{"ShotNeverTouching", DEATH_SHOT, 304, 0, 6, true, 113 + 185}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
