// What a cell does to Bodger standing on it: pickups, pits, bricks, torches,
// TNT, traps and the remote, with their scores, popups and sounds.
#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "game_fixture.hpp"
#include "services/system/random.hpp"

namespace {

class CellTest : public GameTest {
   protected:
    void SetUp() override {
        GameTest::SetUp();
        clear_grid();
        player->beer = 0;
        player->glass = 0;
        player->rpieces = 5;
    }

    // The texts of the live popups, oldest first.
    static std::vector<std::string> popups() {
        std::vector<std::string> texts;
        for (auto walk = points_list.ObjectEnumerator(); walk.HasNext();) {
            texts.push_back(walk.NextObject()->pt);
        }
        return texts;
    }
};

constexpr int kHere = 45;  // row 2, column 5

TEST_F(CellTest, PickupsAddToTheStocksAndTheScore) {
    cell(kHere).tile2 = TILE_BEER;
    stand_on(kHere);
    level_tag::update_all();
    EXPECT_EQ(player->beer, 3);
    EXPECT_EQ(cell(kHere).tile2, 0);

    cell(kHere).tile2 = TILE_GLASS;
    level_tag::update_all();
    EXPECT_EQ(player->glass, 3);

    cell(kHere).tile2 = TILE_BONUS;
    level_tag::update_all();
    level_tag::update_all();  // once taken, nothing is left to score
    EXPECT_GE(player->score, 0);
    EXPECT_LT(player->score, 500);
    EXPECT_EQ(popups(), (std::vector<std::string>{"Beer +3", "Glass +3",
                                                  "+" + std::to_string(player->score)}));
    EXPECT_EQ(sounds(), (Sounds{"pickup", "pickup", "pickup"}));
    EXPECT_EQ(play_phase, PHASE_PLAYING);
}

TEST_F(CellTest, APlateBridgesAPitForGoodAndNoPlateMeansAFall) {
    cell(kHere).tile1 = TILE_PIT_EDGE;
    player->glass = 1;
    stand_on(kHere);
    level_tag::update_all();
    level_tag::update_all();  // the second visit crosses on the plate laid
    EXPECT_EQ(cell(kHere).glass, 1);
    EXPECT_EQ(player->glass, 0);
    EXPECT_EQ(player->score, 50);
    EXPECT_EQ(popups(), (std::vector<std::string>{"+50"}));
    EXPECT_EQ(play_phase, PHASE_PLAYING);

    cell(kHere + 1).tile1 = TILE_PIT;
    stand_on(kHere + 1);
    level_tag::update_all();
    EXPECT_EQ(player->state, DEATH_PIT);
    EXPECT_EQ(play_phase, PHASE_DYING);
    EXPECT_EQ(death_spin, 0);
    EXPECT_EQ(death_scale, 5.0f);
    EXPECT_EQ(sounds(), (Sounds{"glassplate", "ughhhhh"}));
}

TEST_F(CellTest, ABrickAlwaysBreaksAndKillsWithoutBeer) {
    cell(kHere).tile2 = TILE_BRICK;
    player->beer = 1;
    stand_on(kHere);
    level_tag::update_all();
    EXPECT_EQ(cell(kHere).tile2, 0);
    EXPECT_EQ(player->beer, 0);
    EXPECT_EQ(play_phase, PHASE_PLAYING);
    EXPECT_EQ(dust_list.Count(), 11u);
    EXPECT_EQ(brick_list.Count(), 10u);

    cell(kHere + 1).tile2 = TILE_BRICK;
    phase_timer = 99;
    stand_on(kHere + 1);
    level_tag::update_all();
    EXPECT_EQ(cell(kHere + 1).tile2, 0);
    EXPECT_EQ(player->state, DEATH_BRICK);
    EXPECT_EQ(play_phase, PHASE_DYING);
    EXPECT_EQ(phase_timer, 0);
    EXPECT_EQ(sounds(), (Sounds{"brick", "da_oh", "brick", "ughhhhh"}));

    // Dying, Bodger no longer acts on the cells he is drawn over.
    cell(kHere + 1).tile2 = TILE_BEER;
    level_tag::update_all();
    EXPECT_EQ(cell(kHere + 1).tile2, TILE_BEER);
}

TEST_F(CellTest, TorchesFlameEverySecondFrameAndTheLastOneDarkensTheRealm) {
    cell(kHere).tile2 = TILE_BRICK;
    cell(kHere).torch = 1;
    cell(100).tile2 = TILE_PIECE_1;  // a piece laid over a torch's brick
    cell(100).torch = 1;
    stand_on(0);
    for (int f = 0; f < 6; ++f) level_tag::update_all();
    EXPECT_EQ(flame_list.Count(), 3u);

    torches_left = 1;
    player->beer = 1;
    stand_on(kHere);
    level_tag::update_all();
    EXPECT_EQ(cell(kHere).torch, 0);
    EXPECT_EQ(torches_left, 0);
    EXPECT_EQ((std::array<int, 3>{level_r, level_g, level_b}), (std::array<int, 3>{5, 5, 25}));

    // The covered torch is never put out, not even by taking the piece.
    torches_left = 1;
    stand_on(100);
    level_tag::update_all();
    EXPECT_EQ(cell(100).torch, 1);
    EXPECT_EQ(torches_left, 1);
}

TEST_F(CellTest, TntDrawsOncePerSweptIndexAndMayDestroyNothing) {
    cell(kHere).tile2 = TILE_TNT;
    stand_on(kHere);
    SetRandomState(12345);
    level_tag::update_all();
    const auto after_blast = RandomState();
    SetRandomState(12345);
    for (int i = 0; i <= 260; ++i) rnd(0, 4);
    EXPECT_EQ(after_blast, RandomState());
    EXPECT_EQ(cell(kHere).tile2, TILE_TNT_SPENT);
    EXPECT_EQ(explode_list.Count(), 0u);
    EXPECT_EQ(sounds(), (Sounds{"tnt"}));

    level_tag::update_all();  // spent TNT never goes off again
    EXPECT_EQ(sounds().size(), 1u);
}

TEST_F(CellTest, TntBlowsUpAboutAQuarterOfTheBricksAndTheirTorches) {
    for (int i = 0; i < 260; ++i) cell(i).tile2 = TILE_BRICK;
    for (int i : {1, 2, 3, 4, 5}) cell(i).torch = 1;
    cell(kHere).tile2 = TILE_TNT;
    stand_on(kHere);
    SeedRandom(99);
    level_tag::update_all();
    int gone = 0, torches = 0;
    for (int i = 0; i < 260; ++i) {
        if (i != kHere && cell(i).tile2 == 0) ++gone;
        torches += cell(i).torch;
    }
    EXPECT_GT(gone, 30);
    EXPECT_LT(gone, 100);
    EXPECT_EQ(torches_left, torches);
    EXPECT_EQ(explode_list.Count(), 31u * gone);
    EXPECT_EQ(dust_list.Count(), 11u * gone);
    EXPECT_EQ(brick_list.Count(), 10u * gone);
    EXPECT_EQ(player->score, 0);
    EXPECT_EQ(play_phase, PHASE_PLAYING);
}

TEST_F(CellTest, EachTrapKindHandsItsDeathToThePlayState) {
    const int row_y = 48 + 32 * 2;
    cell(kHere).tile2 = TILE_TRAP;
    cell(kHere).trap = 1;
    phase_timer = 7;
    stand_on(kHere);
    level_tag::update_all();
    EXPECT_EQ(player->state, DEATH_TRAP_DOOR);
    EXPECT_EQ(cell(kHere).tile1, TILE_PIT_EDGE);
    EXPECT_EQ(cell(kHere).tile2, 0);
    EXPECT_EQ(phase_timer, 0);
    EXPECT_EQ(play_phase, PHASE_DYING);
    EXPECT_EQ(sounds(), (Sounds{"hittrap", "uh_oh"}));

    play_phase = PHASE_PLAYING;
    cell(kHere + 1).tile2 = TILE_TRAP;
    cell(kHere + 1).trap = 3;
    trap_phase = 1;
    stand_on(kHere + 1);
    level_tag::update_all();
    EXPECT_EQ(player->state, DEATH_FALLING);
    EXPECT_EQ(cell(kHere + 1).tile2, TILE_TRAP_SPRUNG);
    EXPECT_EQ(trap_x, float(cell(kHere + 1).x));
    EXPECT_EQ(trap_y, 0.0f);
    EXPECT_EQ(trap_phase, 0);
    EXPECT_EQ(play_phase, PHASE_DYING);

    // The side shot comes from either edge, one draw deciding.
    bool from_left = false, from_right = false;
    for (int seed = 1; seed <= 20; ++seed) {
        SeedRandom(seed * 104729 + 1);
        play_phase = PHASE_PLAYING;
        cell(kHere + 2).tile2 = TILE_TRAP;
        cell(kHere + 2).trap = 2;
        stand_on(kHere + 2);
        level_tag::update_all();
        EXPECT_EQ(player->state, DEATH_SHOT);
        EXPECT_EQ(play_phase, PHASE_DYING);
        EXPECT_EQ(trap_y, float(row_y - 16));
        if (trap_x == 0.0f) {
            from_left = true;
            EXPECT_EQ(trap_dx, 6.0f);
            EXPECT_EQ(trap_frame, 38);
        } else {
            from_right = true;
            EXPECT_EQ(trap_x, 640.0f);
            EXPECT_EQ(trap_dx, -6.0f);
            EXPECT_EQ(trap_frame, 37);
        }
    }
    EXPECT_TRUE(from_left && from_right);
}

TEST_F(CellTest, FivePiecesCompleteTheRemote) {
    for (int k = 0; k < 5; ++k) cell(kHere + k).tile2 = TILE_PIECE_1 + k;
    for (int k = 0; k < 5; ++k) {
        stand_on(kHere + k);
        level_tag::update_all();
    }
    EXPECT_EQ(player->remote, (std::array<int, 5>{46, 47, 48, 49, 50}));
    EXPECT_EQ(player->rpieces, 0);
    EXPECT_EQ(player->score, 500);
    EXPECT_EQ(sounds(),
              (Sounds{"remote", "remote", "remote", "remote", "complete", "yeah", "remote"}));
}

TEST_F(CellTest, TheWholeRemoteTakesTheRemainingPiecesOffTheLevel) {
    cell(kHere).tile2 = TILE_PIECE_1 + 2;
    cell(kHere + 1).tile2 = TILE_REMOTE;
    cell(200).tile2 = TILE_PIECE_1;
    cell(10).tile2 = TILE_PIECE_5;
    stand_on(kHere);
    level_tag::update_all();
    stand_on(kHere + 1);
    level_tag::update_all();
    EXPECT_EQ(player->remote, (std::array<int, 5>{51, 51, 51, 51, 51}));
    EXPECT_EQ(player->rpieces, 0);
    EXPECT_EQ(player->score, 600);
    EXPECT_EQ(cell(200).tile2, 0);
    EXPECT_EQ(cell(10).tile2, 0);
    EXPECT_EQ(popups(), (std::vector<std::string>{"Remote Piece!", "+500"}));
    EXPECT_EQ(sounds(), (Sounds{"remote", "complete", "yeah", "remote"}));
}

TEST_F(CellTest, TheLevelFadesInAndTheAnimationsCycle) {
    level_alpha = 0.0f;
    cell(kHere).tile2 = TILE_BEER;
    cell(kHere).a_max = 3;
    stand_on(0);
    int frames = 0;
    while (level_alpha < 1.0f) {
        level_tag::update_all();
        ++frames;
    }
    EXPECT_EQ(level_alpha, 1.0f);
    EXPECT_GE(frames, 100);
    EXPECT_LE(frames, 101);
    for (int f = frames; f < 128; ++f) level_tag::update_all();
    EXPECT_EQ(cell(kHere).a_ctr, 0);  // four steps of 8 frames, four times round
    EXPECT_EQ(cell(kHere).a_tmr, 0);
}

}  // namespace
