// deaths_test.cpp -- the length of each death from its first frame, what is
// drawn meanwhile, and the shot that never touches the figure.
#include <gtest/gtest.h>

#include <functional>

#include "app/globals.hpp"
#include "fx/points.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

// Frames of play until the game-over screen takes over (0: not within limit).
int frames_to_game_over(int limit = 1000) {
    for (int f = 1; f <= limit; f++) {
        Cls();
        play_frame();
        if (game_state == STATE_GAME_OVER) return f;
    }
    return 0;
}

// A death as the cell under the player at (304, 240) starts it.
void start_death(int state) {
    play_phase = PHASE_DYING;
    player->state = state;
    player->x = 304;
    player->y = 240;
    phase_timer = 0;
    trap_phase = 0;
    death_spin = 0;
    death_scale = 5.0f;
}

struct DeathCase {
    const char* name;
    int state;
    std::function<void()> setup;  // what the trap cell sets beyond the state
    int frames;
};

class DeathLength : public ScreenTest, public ::testing::WithParamInterface<DeathCase> {};

TEST_P(DeathLength, EndsInGameOverAfterItsFrames) {
    start_death(GetParam().state);
    GetParam().setup();
    EXPECT_EQ(frames_to_game_over(), GetParam().frames);
    EXPECT_EQ(phase_timer, 0);
}

// Test tiles are solid squares: the shot meets the figure 32 pixels apart.
INSTANTIATE_TEST_SUITE_P(
    Deaths, DeathLength,
    ::testing::Values(
        DeathCase{"Brick", DEATH_BRICK, [] {}, 151}, DeathCase{"PitFall", DEATH_PIT, [] {}, 100},
        DeathCase{"TrapDoorThenFall", DEATH_TRAP_DOOR, [] {}, 51 + 100},
        // Drops 5 a frame until below y - 32 (42 frames); then the right
        // piece, 32 further from its edge, decides (169 frames).
        DeathCase{"FallingObject", DEATH_FALLING, [] { trap_x = 304; }, 42 + 169},
        DeathCase{"FallingObjectNearTheLeftEdge", DEATH_FALLING, [] { player->x = trap_x = 16; },
                  42 + 313},
        // Hit 28 or 30 pixels short of the figure; it then flies off at 2 a frame.
        DeathCase{"ShotFromTheLeft", DEATH_SHOT,
                  [] { trap_x = 0, trap_dx = 6, trap_frame = 38, trap_y = 224; }, 46 + 185},
        DeathCase{"ShotFromTheRight", DEATH_SHOT,
                  [] { trap_x = 640, trap_dx = -6, trap_frame = 37, trap_y = 224; }, 51 + 169}),
    [](const auto& info) { return std::string(info.param.name); });

using DeathTest = ScreenTest;

TEST_F(DeathTest, TrapDoorStandsFiftyFramesThenFalls) {
    start_death(DEATH_TRAP_DOOR);
    for (int f = 0; f < 50; f++) play_frame();
    EXPECT_EQ(player->state, DEATH_TRAP_DOOR);
    EXPECT_TRUE(sounds.empty());
    play_frame();
    EXPECT_EQ(player->state, DEATH_PIT);
    EXPECT_EQ(sounds, std::vector<std::string>{"ughhhhh"});
}

TEST_F(DeathTest, ShotThatNeverTouchesTheFigureStrikesOnceOffScreen) {
    blank_tile(62);  // no solid pixel to meet
    start_death(DEATH_SHOT);
    trap_x = 0, trap_dx = 6, trap_frame = 38, trap_y = 224;
    int f = 0;
    while (trap_phase == 0 && f < 1000) {
        play_frame();
        f++;
    }
    EXPECT_EQ(f, 113) << "first frame beyond x 672";
    EXPECT_EQ(sounds, (std::vector<std::string>{"brick", "ughhhhh"}));
    EXPECT_EQ(trap_x, 304.0f);
    EXPECT_EQ(frames_to_game_over(), 185);
}

TEST_F(DeathTest, PitFallDrawsNoLevelAndPopupsStandStillWhileDying) {
    level_r = level_g = level_b = 100;
    level_alpha = 1.0f;
    points_tag::set(100, 100, "+50");
    const points_tag before = *points_list.ObjectEnumerator().NextObject();

    start_death(DEATH_BRICK);
    Cls();
    play_frame();
    EXPECT_NE(pixel(48, 80), 0u) << "the level goes on being drawn";
    const points_tag after = *points_list.ObjectEnumerator().NextObject();
    EXPECT_EQ(after.y, before.y);
    EXPECT_EQ(after.alpha, before.alpha);

    start_death(DEATH_PIT);
    SetColor(255, 255, 255);  // as the HUD leaves it
    Cls();
    play_frame();
    EXPECT_EQ(pixel(48, 80), 0u);
    EXPECT_EQ(pixel(320, 220), tile_colour(90) & 0xFFFFFFu);
    EXPECT_EQ(lit(0, 0, 640, 480), lit(320 - 80, 220 - 80, 320 + 80, 220 + 80))
        << "only the falling figure";
}

}  // namespace
