// Realm building over many seeds and realms, and what a cell does to Bodger
// standing on it: pickups, pits, bricks, torches, TNT, traps, the remote.
#include <algorithm>
#include <array>

#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "game_fixture.hpp"
#include "services/system/random.hpp"

namespace {

class LevelTest : public GameTest {
   protected:
    // Builds the realm and checks what every build guarantees.
    static void build_and_check(int seed, int pits, int bricks) {
        SCOPED_TRACE(seed);
        SeedRandom(seed);
        pit_count = pits;
        brick_count = bricks;
        level_tag::new_level();
        int pit_cells = 0, brick_cells = 0, torches = 0, start = -1;
        std::array<int, 5> pieces{};
        for (int i = 0; i < 260; ++i) {
            const level_tag& c = cell(i);
            const bool piece = c.tile2 >= TILE_PIECE_1 && c.tile2 <= TILE_PIECE_5;
            pit_cells += c.tile1 != TILE_FLOOR;
            brick_cells += c.tile2 == TILE_BRICK;
            torches += c.torch;
            if (piece) {
                ++pieces[c.tile2 - TILE_PIECE_1];
                EXPECT_LT(i, 240);
            }
            if (c.torch) {
                EXPECT_TRUE(piece || c.tile2 == TILE_BRICK) << i;
            }
            // An edge is exactly a pit under floor; never in the top row.
            const bool under_floor = i >= 20 && cell(i - 20).tile1 == TILE_FLOOR;
            if (c.tile1 != TILE_FLOOR) {
                EXPECT_EQ(c.tile1 == TILE_PIT_EDGE, under_floor) << i;
            }
            if (float(c.x) == player->x && float(c.y) == player->y) start = i;
        }
        EXPECT_LE(pit_cells, pits);
        EXPECT_LE(brick_cells, std::max(bricks, 5));  // torches get bricks where none was left
        EXPECT_EQ(torches, 5);
        EXPECT_EQ(pieces, (std::array<int, 5>{1, 1, 1, 1, 1}));
        ASSERT_GE(start, 0);
        EXPECT_EQ(cell(start).tile1, TILE_FLOOR);
        EXPECT_EQ(cell(start).tile2, 0);
    }
    static Texts popups() {
        Texts texts;
        for (auto walk = points_list.ObjectEnumerator(); walk.HasNext();) {
            texts.push_back(walk.NextObject()->pt);
        }
        return texts;
    }
};

TEST_F(LevelTest, EveryBuildIsPlayableAndTheWholeRemoteComesInAboutOneOfFive) {
    int remotes = 0;
    for (int seed = 1; seed <= 1000 && !HasFailure(); ++seed) {
        build_and_check(seed, 20 + 10 * (seed % 30), 40 + 10 * (seed % 30));
        for (int i = 0; i < 260; ++i) remotes += cell(i).tile2 == TILE_REMOTE;
    }
    EXPECT_GT(remotes, 170);  // 11 in 50, less where a piece lands on it
    EXPECT_LT(remotes, 250);
}

// Pits and bricks grow by 10 a realm; by realm 100 they outnumber the cells.
TEST_F(LevelTest, CrowdedLateRealmsAndRealmsWithoutBricksStillBuild) {
    for (int seed = 1; seed <= 5; ++seed) build_and_check(seed, 20 + 99 * 10, 40 + 99 * 10);
    build_and_check(6, 0, 0);
}

TEST_F(LevelTest, TheSameSeedBuildsTheSameRealmAndTheExtraRowStaysEmpty) {
    auto snapshot = [] {
        std::vector<int> s = {level_r,        level_g,        level_b,
                              int(player->x), int(player->y), RandomState()};
        for (int i = 0; i < 270; ++i) {
            const level_tag& c = cell(i);
            s.insert(s.end(), {c.tile1, c.tile2, c.torch, c.trap, c.a_max, c.anim});
        }
        return s;
    };
    build_and_check(100052, 20, 40);
    const auto first = snapshot();
    level_tag::new_level();
    build_and_check(100052, 20, 40);
    EXPECT_EQ(snapshot(), first);
    for (int i = 260; i < 270; ++i) EXPECT_EQ(cell(i).tile1 | cell(i).tile2 | cell(i).torch, 0);
}

constexpr int kHere = 45;  // row 2 (y 112), column 5

TEST_F(LevelTest, PickupsPlatesAndBricksActOnceEach) {
    clear_grid();
    cell(kHere).tile2 = TILE_BEER;
    cell(kHere + 1).tile2 = TILE_GLASS;
    cell(kHere + 2).tile2 = TILE_BONUS;
    cell(kHere + 3).tile1 = TILE_PIT_EDGE;
    cell(kHere + 4).tile2 = TILE_BRICK;
    player->glass = 0;
    for (int k = 0; k < 5; ++k) {
        stand_on(kHere + k);
        level_tag::update_all();
        level_tag::update_all();  // a second frame on the cell changes nothing
    }
    const int bonus = player->score - 50;
    EXPECT_GE(bonus, 0);
    EXPECT_LT(bonus, 500);
    EXPECT_EQ(popups(), (Texts{"Beer +3", "Glass +3", "+" + std::to_string(bonus), "+50"}));
    EXPECT_EQ(player->beer, 2);
    EXPECT_EQ(player->glass, 2);
    EXPECT_EQ(cell(kHere + 3).glass, 1);
    EXPECT_EQ(dust_list.Count(), 11u);
    EXPECT_EQ(play_phase, PHASE_PLAYING);
    EXPECT_EQ(sounds(), (Texts{"pickup", "pickup", "pickup", "glassplate", "brick", "da_oh"}));
}

TEST_F(LevelTest, APitWithoutPlatesOrABrickWithoutBeerKills) {
    clear_grid();
    player->glass = player->beer = 0;
    cell(kHere).tile1 = TILE_PIT;
    stand_on(kHere);
    level_tag::update_all();
    EXPECT_EQ(player->state, DEATH_PIT);
    EXPECT_EQ(play_phase, PHASE_DYING);
    EXPECT_EQ(death_scale, 5.0f);

    cell(kHere + 1).tile2 = TILE_BRICK;
    stand_on(kHere + 1);
    level_tag::update_all();  // dying, Bodger no longer acts on cells
    EXPECT_EQ(cell(kHere + 1).tile2, TILE_BRICK);
    play_phase = PHASE_PLAYING;
    phase_timer = 9;
    level_tag::update_all();
    EXPECT_EQ(cell(kHere + 1).tile2, 0);
    EXPECT_EQ(player->state, DEATH_BRICK);
    EXPECT_EQ(play_phase, PHASE_DYING);
    EXPECT_EQ(phase_timer, 0);
    EXPECT_EQ(sounds(), (Texts{"ughhhhh", "brick", "ughhhhh"}));
}

TEST_F(LevelTest, TorchesFlameEverySecondFrameAndTheLastOneDarkensTheRealm) {
    clear_grid();
    cell(kHere).tile2 = TILE_BRICK;
    cell(kHere).torch = 1;
    cell(100).tile2 = TILE_PIECE_1;  // a piece laid over a torch's brick
    cell(100).torch = 1;
    stand_on(0);
    for (int f = 0; f < 6; ++f) level_tag::update_all();
    EXPECT_EQ(flame_list.Count(), 3u);

    cell(kHere + 1).tile2 = TILE_BRICK;
    cell(kHere + 1).torch = 1;
    torches_left = 2;
    for (int i : {100, kHere, kHere + 1}) {  // the covered torch never goes out
        player->beer = 1;
        stand_on(i);
        level_tag::update_all();
        EXPECT_EQ(cell(100).torch, 1);
    }
    EXPECT_EQ(torches_left, 0);
    EXPECT_EQ((std::array<int, 3>{level_r, level_g, level_b}), (std::array<int, 3>{5, 5, 25}));
}

TEST_F(LevelTest, TntDrawsOncePerSweptIndexAndBlowsUpAQuarterOfTheBricks) {
    clear_grid();
    cell(kHere).tile2 = TILE_TNT;
    stand_on(kHere);
    SetRandomState(12345);
    level_tag::update_all();  // nothing to blow up
    const auto after = RandomState();
    SetRandomState(12345);
    for (int i = 0; i <= 260; ++i) rnd(0, 4);
    EXPECT_EQ(after, RandomState());
    EXPECT_EQ(cell(kHere).tile2, TILE_TNT_SPENT);
    level_tag::update_all();  // and it never goes off again
    EXPECT_EQ(sounds(), (Texts{"tnt"}));

    for (int i = 0; i < 260; ++i) cell(i).tile2 = TILE_BRICK;
    cell(kHere).tile2 = TILE_TNT;
    SeedRandom(99);
    level_tag::update_all();
    int gone = 0;
    for (int i = 0; i < 260; ++i) gone += cell(i).tile2 == 0;
    EXPECT_GT(gone, 30);
    EXPECT_LT(gone, 100);
    EXPECT_EQ(explode_list.Count(), 31u * gone);
    EXPECT_EQ(player->score, 0);
    EXPECT_EQ(play_phase, PHASE_PLAYING);
}

TEST_F(LevelTest, EachTrapKindHandsItsDeathToThePlayState) {
    clear_grid();
    auto spring = [](int kind, int seed) {
        SeedRandom(seed);
        play_phase = PHASE_PLAYING;
        phase_timer = trap_phase = 7;
        cell(kHere).tile1 = TILE_FLOOR;
        cell(kHere).tile2 = TILE_TRAP;
        cell(kHere).trap = kind;
        stand_on(kHere);
        level_tag::update_all();
        EXPECT_EQ(play_phase, PHASE_DYING);
        EXPECT_EQ(trap_phase, 0);
    };
    spring(1, 1);
    EXPECT_EQ(player->state, DEATH_TRAP_DOOR);
    EXPECT_EQ(cell(kHere).tile1, TILE_PIT_EDGE);
    EXPECT_EQ(cell(kHere).tile2, 0);
    EXPECT_EQ(phase_timer, 0);
    EXPECT_EQ(sounds(), (Texts{"hittrap", "uh_oh"}));

    spring(3, 1);
    EXPECT_EQ(player->state, DEATH_FALLING);
    EXPECT_EQ(cell(kHere).tile2, TILE_TRAP_SPRUNG);
    EXPECT_EQ(trap_x, 176.0f);
    EXPECT_EQ(trap_y, 0.0f);

    int sides = 0;
    for (int seed = 1; seed <= 20; ++seed) {
        spring(2, seed * 104729 + 1);
        EXPECT_EQ(player->state, DEATH_SHOT);
        EXPECT_EQ(trap_y, 96.0f);
        const bool left = trap_x == 0.0f;
        sides |= left ? 1 : 2;
        EXPECT_EQ(trap_x, left ? 0.0f : 640.0f);
        EXPECT_EQ(trap_dx, left ? 6.0f : -6.0f);
        EXPECT_EQ(trap_frame, left ? 38 : 37);
    }
    EXPECT_EQ(sides, 3);
}

TEST_F(LevelTest, PiecesFillTheRemoteAndTheWholeRemoteTakesTheRest) {
    clear_grid();
    for (int k = 0; k < 5; ++k) cell(kHere + k).tile2 = TILE_PIECE_1 + k;
    player->rpieces = 5;
    for (int k = 0; k < 5; ++k) {
        stand_on(kHere + k);
        level_tag::update_all();
    }
    EXPECT_EQ(player->remote, (std::array<int, 5>{46, 47, 48, 49, 50}));
    EXPECT_EQ(player->rpieces, 0);
    EXPECT_EQ(sounds(),
              (Texts{"remote", "remote", "remote", "remote", "complete", "yeah", "remote"}));

    player->rpieces = 2;
    cell(10).tile2 = TILE_PIECE_1;
    cell(200).tile2 = TILE_REMOTE;
    stand_on(200);
    level_tag::update_all();
    EXPECT_EQ(player->remote, (std::array<int, 5>{51, 51, 51, 51, 51}));
    EXPECT_EQ(player->rpieces, 0);
    EXPECT_EQ(cell(10).tile2, 0);
    EXPECT_EQ(player->score, 1000);
    EXPECT_EQ(popups().back(), "+500");
}

}  // namespace
