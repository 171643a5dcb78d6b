// deaths_test.cpp -- each death's length from its first frame, and what is
// drawn and moved meanwhile.  The test tiles are solid 32x32 squares.
#include <gtest/gtest.h>

#include <functional>

#include "app/globals.hpp"
#include "fx/points.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

int frames_to_game_over() {
    for (int f = 1; f <= 1000; f++) {
        play_frame();
        if (game_state == STATE_GAME_OVER) return f;
    }
    return 0;
}

// As the cell under the player at (304, 240) starts a death.
void start_death(int state) {
    play_phase = PHASE_DYING;
    player->state = state;
    player->x = 304, player->y = 240;
    phase_timer = trap_phase = death_spin = 0;
    death_scale = 5.0f;
    trap_x = 304, trap_y = 0;
}
void shot_from_left() {
    trap_x = 0, trap_dx = 6, trap_frame = 38, trap_y = 224;
}

struct DeathCase {
    const char* name;
    int state;
    std::function<void()> trap;
    int frames;
};
class DeathLength : public ScreenTest, public ::testing::WithParamInterface<DeathCase> {};

TEST_P(DeathLength, EndsInGameOver) {
    start_death(GetParam().state);
    GetParam().trap();
    EXPECT_EQ(frames_to_game_over(), GetParam().frames);
    EXPECT_EQ(phase_timer, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Deaths, DeathLength,
    ::testing::Values(DeathCase{"Brick", DEATH_BRICK, [] {}, 151},
                      DeathCase{"Pit", DEATH_PIT, [] {}, 100},
                      DeathCase{"TrapDoor", DEATH_TRAP_DOOR, [] {}, 51 + 100},
                      // 42 frames of falling; then the piece with further to go decides.
                      DeathCase{"Falling", DEATH_FALLING, [] {}, 42 + 169},
                      DeathCase{"FallingNearTheLeftEdge", DEATH_FALLING,
                                [] { player->x = trap_x = 16; }, 42 + 313},
                      // The shot meets the figure 28 (30) pixels short; the figure flies at 2.
                      DeathCase{"ShotFromLeft", DEATH_SHOT, shot_from_left, 46 + 185},
                      DeathCase{"ShotFromRight", DEATH_SHOT,
                                [] { trap_x = 640, trap_dx = -6, trap_frame = 37, trap_y = 224; },
                                51 + 169},
                      // A figure without a solid pixel: the shot strikes once past x 672.
                      DeathCase{"ShotThatNeverTouches", DEATH_SHOT,
                                [] {
                                    std::vector<std::uint32_t> clear(32 * 32, 0);
                                    SetImageFramePixels(tiles, 62, clear.data(), true);
                                    shot_from_left();
                                },
                                113 + 185}),
    [](const auto& info) { return std::string(info.param.name); });

using DeathTest = ScreenTest;

TEST_F(DeathTest, PitFallDrawsNoLevelAndPopupsStandStillWhileDying) {
    level_r = level_g = level_b = 100;
    level_alpha = 1.0f;
    points_tag::set(100, 100, "+50");
    const points_tag& popup = *points_list.ObjectEnumerator().NextObject();
    start_death(DEATH_BRICK);
    play_frame();
    EXPECT_NE(pixel(48, 80), 0u) << "the level is drawn";
    EXPECT_EQ(popup.alpha, 1.0f);
    EXPECT_EQ(popup.y, 100);

    start_death(DEATH_PIT);
    SetColor(255, 255, 255);  // as the HUD leaves it
    Cls();
    play_frame();
    EXPECT_EQ(pixel(320, 220), tile_colour(90));
    EXPECT_EQ(lit(0, 0, 640, 480), 160 * 160) << "only the figure at scale 5";
}

}  // namespace
