// bot_test.cpp -- the player bot: its routes on hand-made grids, and whole
// runs that get into later realms, replay exactly from their record, come
// back from a game over and keep going for a long time without a death.
#include "tools/sim/bot.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/globals.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"
#include "services/input/input.hpp"
#include "tests/app/sim_fixture.hpp"
#include "tools/sim/bot_route.hpp"

namespace {

using sim::CellView;
using sim::GridView;
using sim::Walker;

constexpr CellView kPit{0, 0, 0};
constexpr CellView kPlate{0, 0, 1};
constexpr CellView kBrick{2, 4, 0};
constexpr CellView kTrap{2, 18, 0};
constexpr CellView kPiece{2, 51, 0};

int at(int col, int row) {
    return row * sim::kGridColumns + col;
}

// A floor grid with a wall of `wall` round the cell (col, row): its four
// neighbours and the four corners.
GridView walled(int col, int row, CellView wall) {
    GridView grid{};
    for (int dc = -1; dc <= 1; dc++) {
        for (int dr = -1; dr <= 1; dr++) {
            if (dc != 0 || dr != 0) grid[at(col + dc, row + dr)] = wall;
        }
    }
    return grid;
}

TEST(BotRoute, WrapsAtTheEdgesAndTakesTheShortWayRound) {
    EXPECT_EQ(sim::step_cell(at(7, 0), sim::DIR_UP), at(7, 12));
    EXPECT_EQ(sim::step_cell(at(7, 12), sim::DIR_DOWN), at(7, 0));
    EXPECT_EQ(sim::step_cell(at(19, 4), sim::DIR_RIGHT), at(0, 4));
    GridView grid{};
    grid[at(19, 5)] = kPiece;
    const sim::Route route = sim::find_route(grid, Walker{at(1, 5), 0, 0, 5});
    EXPECT_EQ(route.dir, sim::DIR_LEFT);
    EXPECT_EQ(route.target, at(19, 5));
    EXPECT_EQ(route.steps, 2);
}

TEST(BotRoute, GoesRoundArmedTrapsAndSparesWhatHeCarries) {
    GridView grid{};
    grid[at(10, 5)] = kPiece;
    grid[at(9, 5)] = kTrap;  // right in the way
    sim::Route route = sim::find_route(grid, Walker{at(8, 5), 3, 3, 5});
    EXPECT_NE(route.dir, sim::DIR_RIGHT);
    EXPECT_EQ(route.steps, 4);

    // A brick or a pit in the way: a two-cell detour is better than a beer or a plate.
    grid[at(9, 5)] = kBrick;
    route = sim::find_route(grid, Walker{at(8, 5), 3, 3, 5});
    EXPECT_EQ(route.beer, 0);
    grid[at(9, 5)] = kPit;
    route = sim::find_route(grid, Walker{at(8, 5), 3, 3, 5});
    EXPECT_EQ(route.glass, 0);

    // A laid plate is plain floor.
    grid[at(9, 5)] = kPlate;
    route = sim::find_route(grid, Walker{at(8, 5), 0, 0, 5});
    EXPECT_EQ(route.dir, sim::DIR_RIGHT);
    EXPECT_EQ(route.steps, 2);
}

TEST(BotRoute, NeverNeedsMoreThanHeCarries) {
    // The piece sits in a ring of pits; a second ring of bricks round Bodger.
    GridView grid = walled(5, 5, kPit);
    grid[at(5, 5)] = kPiece;
    EXPECT_EQ(sim::find_route(grid, Walker{at(12, 8), 0, 0, 5}).dir, sim::DIR_NONE);
    sim::Route route = sim::find_route(grid, Walker{at(12, 8), 0, 1, 5});
    EXPECT_NE(route.dir, sim::DIR_NONE);
    EXPECT_EQ(route.glass, 1);

    const GridView bricks = walled(12, 8, kBrick);
    for (int i = 0; i < sim::kGridCells; i++) {
        if (bricks[i].tile2 == 4) grid[i] = kBrick;
    }
    EXPECT_EQ(sim::find_route(grid, Walker{at(12, 8), 5, 0, 5}).dir, sim::DIR_NONE) << "no plate";
    EXPECT_EQ(sim::find_route(grid, Walker{at(12, 8), 0, 5, 5}).dir, sim::DIR_NONE) << "no beer";
    route = sim::find_route(grid, Walker{at(12, 8), 1, 1, 5});
    EXPECT_EQ(route.beer, 1);
    EXPECT_EQ(route.glass, 1);

    // A ring of armed traps cannot be passed at any price.
    grid = walled(5, 5, kTrap);
    grid[at(5, 5)] = kPiece;
    EXPECT_EQ(sim::find_route(grid, Walker{at(12, 8), 9, 9, 5}).dir, sim::DIR_NONE);
}

TEST(BotRoute, FetchesBeerWhenShortAndTheWholeRemoteFirst) {
    GridView grid{};
    grid[at(12, 5)] = kPiece;
    grid[at(4, 5)] = CellView{2, 31, 0};  // beer, a little nearer
    EXPECT_EQ(sim::find_route(grid, Walker{at(7, 5), 0, 3, 5}).target, at(4, 5));
    EXPECT_EQ(sim::find_route(grid, Walker{at(7, 5), 6, 3, 5}).target, at(12, 5));

    grid[at(2, 5)] = CellView{2, 56, 0};  // the whole remote, farther still
    EXPECT_EQ(sim::find_route(grid, Walker{at(7, 5), 6, 3, 5}).target, at(2, 5));
}

TEST(BotRoute, FreeStepKeepsAheadAndNeverPaysOrDies) {
    GridView grid = walled(5, 5, kPit);
    grid[at(4, 5)] = CellView{2, 19, 0};  // a sprung trap is harmless
    EXPECT_EQ(sim::free_step(grid, at(5, 5), sim::DIR_UP), sim::DIR_LEFT);
    grid[at(4, 5)] = kTrap;
    EXPECT_EQ(sim::free_step(grid, at(5, 5), sim::DIR_UP), sim::DIR_NONE);
    EXPECT_EQ(sim::free_step(GridView{}, at(5, 5), sim::DIR_DOWN), sim::DIR_DOWN);
}

TEST(BotRoute, GivingUpWalksToTheNearestCellThatKillsWithWhatHeCarries) {
    GridView grid{};
    grid[at(5, 5)] = kPit;
    grid[at(9, 5)] = kBrick;
    grid[at(14, 5)] = kTrap;
    // A pit only kills without a plate, a brick only without a beer.
    sim::Route end = sim::route_to_death(grid, Walker{at(8, 5), 0, 0, 5});
    EXPECT_EQ(end.target, at(9, 5));
    EXPECT_EQ(end.dir, sim::DIR_RIGHT);
    end = sim::route_to_death(grid, Walker{at(8, 5), 2, 0, 5});
    EXPECT_EQ(end.target, at(5, 5));
    EXPECT_EQ(end.steps, 3);
    // With both, only the trap kills; the brick on the way is no stop.
    end = sim::route_to_death(grid, Walker{at(8, 5), 2, 2, 5});
    EXPECT_EQ(end.target, at(14, 5));

    // Nothing deadly anywhere: towards the nearest cell that uses something up.
    grid[at(14, 5)] = CellView{};
    end = sim::route_to_death(grid, Walker{at(8, 5), 2, 2, 5});
    EXPECT_EQ(end.target, at(9, 5));
    EXPECT_EQ(end.beer, 1);
    EXPECT_EQ(sim::route_to_death(GridView{}, Walker{at(8, 5), 2, 2, 5}).dir, sim::DIR_NONE);
}

// The bot's answer in play to a realm laid out by hand: Bodger at (8, 5) with
// nothing, the only piece walled in by armed traps, a bare pit at (11, 5).
class BotPlayTest : public ::testing::Test {
   protected:
    void SetUp() override {
        reset_globals();
        for (auto& cell : level_cells) cell = std::make_shared<level_tag>();
        const GridView grid = walled(3, 9, kTrap);
        for (int i = 0; i < sim::kGridCells; i++) {
            level_cells[i]->tile1 = grid[i].tile1;
            level_cells[i]->tile2 = grid[i].tile2;
        }
        level_cells[at(3, 9)]->tile2 = 51;
        level_cells[at(11, 5)]->tile1 = 0;
        player = std::make_shared<player_tag>();
        player->x = 16.0f + 32.0f * 8;
        player->y = 48.0f + 32.0f * 5;
        player->beer = player->glass = 0;
        player->rpieces = 5;
        player->level = 25;
        game_state = STATE_PLAY;
        play_phase = PHASE_PLAYING;
    }
    void TearDown() override { reset_globals(); }

    // The keys the bot presses in one frame.
    static std::vector<int> keys(int frame) {
        std::vector<int> pressed;
        for (const sim::TimedEvent& ev : sim::bot_frame(frame)) {
            if (ev.action == sim::Action::KeyPress) pressed.push_back(ev.a);
        }
        return pressed;
    }
};

TEST_F(BotPlayTest, WithNothingReachableStaysPut) {
    sim::bot_start(false);
    player->state = PLAYER_STANDING;
    EXPECT_TRUE(keys(1).empty());
    // A walk cannot be stopped: he turns back to the cell he came from.
    sim::bot_start(false);
    player->state = PLAYER_UP;
    EXPECT_EQ(keys(1), std::vector<int>{KEY_DOWN});
}

TEST_F(BotPlayTest, RestartWalksIntoTheNearestDeadlyCell) {
    sim::Script script;
    ASSERT_TRUE(sim::parse_script("bot restart\n", script, nullptr));
    EXPECT_TRUE(script.bot && script.bot_restart);

    sim::bot_start(true);
    player->state = PLAYER_STANDING;
    EXPECT_EQ(keys(1), std::vector<int>{KEY_RIGHT});
    // Still hopeless on the next cell: on he goes, and he reads only.
    player->state = PLAYER_RIGHT;
    player->x += 32.0f;
    EXPECT_TRUE(keys(21).empty());
    EXPECT_EQ(player->beer, 0);
    EXPECT_EQ(level_cells[at(11, 5)]->tile1, 0);

    // A reachable piece is fetched, restart or not.
    level_cells[at(6, 5)]->tile2 = 52;
    sim::bot_start(true);
    player->state = PLAYER_STANDING;
    player->x -= 32.0f;
    EXPECT_EQ(keys(1), std::vector<int>{KEY_LEFT});
}

class BotRunTest : public SimTest {
   protected:
    static bool sanitized() { return std::getenv("BODGER_SANITIZE") != nullptr; }
};

TEST_F(BotRunTest, ReachesLaterRealmsAndReplaysFromItsRecord) {
    const std::string tail = "at 1000 dump bot.json\nstop 1000\n";
    ASSERT_EQ(run("bot on\nrecord first.txt\n" + tail), 0) << message_;
    const std::string played = read_file("bot.json");
    EXPECT_EQ(dump_int(played, "game_state"), STATE_PLAY);
    EXPECT_GE(dump_int(played, "level"), 2);

    // The same game gives the same presses, and they alone replay it.
    ASSERT_EQ(run("bot on\nrecord second.txt\n" + tail), 0) << message_;
    const std::string recorded = read_file("first.txt");
    EXPECT_EQ(read_file("second.txt"), recorded);
    ASSERT_EQ(run(recorded + "at 1000 dump replay.json\nstop 1000\n"), 0) << message_;
    EXPECT_EQ(read_file("replay.json"), played);
}

TEST_F(BotRunTest, AfterADeathGetsThroughGameOverIntoANewGame) {
    // The script's own presses, right and down by turns, win over the bot's
    // until frame 300 (down is read last, right beats left) and walk Bodger
    // into his death; the bot then carries on by itself.
    std::string script = "bot on\nsounds sounds.log\nat 1000 dump end.json\nstop 1000\n";
    for (int f = 1; f <= 300; f++) {
        script += "at " + std::to_string(f) + " key press " + ((f / 37) % 2 ? "40\n" : "39\n");
    }
    ASSERT_EQ(run(script), 0) << message_;
    const std::string sounds = read_file("sounds.log");
    ASSERT_TRUE(sounds.find(" ughhhhh") != std::string::npos ||
                sounds.find(" hittrap") != std::string::npos)
        << "the forced walk did not kill";
    const std::string last = read_file("end.json");
    EXPECT_EQ(dump_int(last, "game_state"), STATE_PLAY);
    EXPECT_EQ(dump_int(last, "play_phase"), 1);
}

TEST_F(BotRunTest, KeepsALongRunGoingWithoutDying) {
    // A short run keeps the suite fast; the long runs belong to the soak.
    const int frames = sanitized() ? 1500 : 3000;
    const std::string end = std::to_string(frames);
    ASSERT_EQ(run("bot on\nclock 4242\nsounds sounds.log\nat " + end + " dump end.json\nstop " +
                  end + "\n"),
              0)
        << message_;
    const std::string last = read_file("end.json");
    EXPECT_EQ(dump_int(last, "frame"), frames);
    EXPECT_GE(dump_int(last, "level"), sanitized() ? 2 : 5);
    // Every death starts with a groan or a sprung trap; the bot knows the
    // whole grid, so it never walks into one.
    const std::string sounds = read_file("sounds.log");
    EXPECT_EQ(sounds.find(" ughhhhh"), std::string::npos);
    EXPECT_EQ(sounds.find(" hittrap"), std::string::npos);
}

}  // namespace
