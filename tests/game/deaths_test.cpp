// deaths_test.cpp -- each death's length from its first frame to the
// game-over screen, on tiles that are solid squares.
#include "game/deaths.hpp"

#include <cstdint>
#include <ostream>
#include <vector>

#include "game_fixture.hpp"
#include "services/graphics/image.hpp"

namespace {

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
class DeathLength : public GameTest, public ::testing::WithParamInterface<DeathCase> {
   protected:
    // Every sprite a solid square, so that the shot meets the figure.
    void SetUp() override {
        GameTest::SetUp();
        std::vector<std::uint32_t> solid(32 * 32, 0xFFFFFFFFu);
        for (int f = 0; f < FRAME_COUNT; ++f) SetImageFramePixels(tiles, f, solid.data(), false);
    }
};

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
    for (dying_step(); game_state != STATE_GAME_OVER && f < 1000; f++) dying_step();
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
