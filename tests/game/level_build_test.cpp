// Realm building: what every build guarantees, over many seeds and realms.
#include <array>

#include "game_fixture.hpp"
#include "services/system/random.hpp"

namespace {

struct Census {
    int pits = 0, bricks = 0, torches = 0, remotes = 0;
    int stray_torches = 0;  // a torch on neither its brick nor a piece that covered it
    std::array<int, 5> pieces{};
    bool piece_in_bottom_row = false;
    bool edge_in_top_row = false;
    bool edge_rule_broken = false;  // an edge not below floor, or a plain pit below floor
};

Census count_level() {
    Census c;
    for (int i = 0; i < 260; ++i) {
        const level_tag& l = *level_cells[i];
        if (l.tile1 == TILE_PIT || l.tile1 == TILE_PIT_EDGE) ++c.pits;
        if (l.tile2 == TILE_BRICK) ++c.bricks;
        if (l.torch) ++c.torches;
        if (l.tile2 == TILE_REMOTE) ++c.remotes;
        if (l.tile2 >= TILE_PIECE_1 && l.tile2 <= TILE_PIECE_5) {
            ++c.pieces[l.tile2 - TILE_PIECE_1];
            if (i >= 240) c.piece_in_bottom_row = true;
        } else if (l.torch && l.tile2 != TILE_BRICK) {
            ++c.stray_torches;
        }
        if (i < 20 && l.tile1 == TILE_PIT_EDGE) c.edge_in_top_row = true;
        if (i >= 20 && l.tile1 != TILE_FLOOR) {
            const bool floor_above = level_cells[i - 20]->tile1 == TILE_FLOOR;
            if (floor_above != (l.tile1 == TILE_PIT_EDGE)) c.edge_rule_broken = true;
        }
    }
    return c;
}

// The cell under the player after a build; -1 when he is not on a cell centre.
int start_index() {
    for (int i = 0; i < 260; ++i) {
        if (float(level_cells[i]->x) == player->x && float(level_cells[i]->y) == player->y) {
            return i;
        }
    }
    return -1;
}

void expect_playable(const Census& c) {
    EXPECT_EQ(c.torches, 5);
    EXPECT_EQ(c.stray_torches, 0);
    EXPECT_EQ(c.pieces, (std::array<int, 5>{1, 1, 1, 1, 1}));
    EXPECT_FALSE(c.piece_in_bottom_row);
    EXPECT_FALSE(c.edge_in_top_row);
    EXPECT_FALSE(c.edge_rule_broken);
    EXPECT_LE(c.remotes, 1);
    const int s = start_index();
    ASSERT_GE(s, 0);
    EXPECT_EQ(level_cells[s]->tile1, TILE_FLOOR);
    EXPECT_EQ(level_cells[s]->tile2, 0);
}

class LevelBuildTest : public GameTest {};

TEST_F(LevelBuildTest, EveryBuildOfTheFirstRealmsIsPlayable) {
    int remote_builds = 0;
    const int builds = 1000;
    for (int seed = 1; seed <= builds; ++seed) {
        SCOPED_TRACE(seed);
        SeedRandom(seed);
        pit_count = 20 + 10 * (seed % 30);
        brick_count = 40 + 10 * (seed % 30);
        level_tag::new_level();
        const Census c = count_level();
        expect_playable(c);
        EXPECT_LE(c.pits, pit_count);
        EXPECT_LE(c.bricks, brick_count);
        if (c.remotes) ++remote_builds;
        EXPECT_EQ(torches_left, 5);
        EXPECT_EQ(level_alpha, 0.0f);
        for (int v : {level_r, level_g, level_b}) {
            EXPECT_GE(v, 40);
            EXPECT_LE(v, 149);
        }
        if (HasFailure()) return;
    }
    // 11 chances in 50, a little less when a piece lands on the remote.
    EXPECT_GT(remote_builds, builds * 17 / 100);
    EXPECT_LT(remote_builds, builds * 25 / 100);
}

TEST_F(LevelBuildTest, TheExtraRowStaysEmptyAndTheSameSeedBuildsTheSameRealm) {
    std::array<level_tag, 260> first;
    SeedRandom(100052);
    pit_count = 20;
    brick_count = 40;
    level_tag::new_level();
    for (int i = 0; i < 260; ++i) first[i] = cell(i);
    const float x = player->x, y = player->y;
    const auto state = RandomState();
    const int tint[3] = {level_r, level_g, level_b};

    level_tag::new_level();  // a different realm in between
    SeedRandom(100052);
    level_tag::new_level();
    for (int i = 0; i < 260; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cell(i).tile1, first[i].tile1);
        EXPECT_EQ(cell(i).tile2, first[i].tile2);
        EXPECT_EQ(cell(i).torch, first[i].torch);
        EXPECT_EQ(cell(i).trap, first[i].trap);
        EXPECT_EQ(cell(i).a_max, first[i].a_max);
    }
    EXPECT_EQ(player->x, x);
    EXPECT_EQ(player->y, y);
    EXPECT_EQ(RandomState(), state);
    EXPECT_EQ(level_r, tint[0]);
    EXPECT_EQ(level_g, tint[1]);
    EXPECT_EQ(level_b, tint[2]);
    for (int i = 260; i < 270; ++i) {
        const level_tag& c = cell(i);
        EXPECT_EQ(c.x, 16 + 32 * (i - 260));
        EXPECT_EQ(c.y, 464);
        EXPECT_EQ(c.tile1 | c.tile2 | c.torch | c.glass | c.trap | c.a_max, 0);
    }
}

// Late realms drop more pits and bricks than the grid has cells: the build must
// still finish with five torches, five pieces and a free start cell.
TEST_F(LevelBuildTest, CrowdedLateRealmsStillBuild) {
    for (int seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        SeedRandom(seed);
        pit_count = 20 + 99 * 10;
        brick_count = 40 + 99 * 10;
        level_tag::new_level();
        expect_playable(count_level());
    }
}

TEST_F(LevelBuildTest, ARealmWithoutBricksStillGetsFiveTorches) {
    SeedRandom(7);
    pit_count = 0;
    brick_count = 0;
    level_tag::new_level();
    expect_playable(count_level());
}

}  // namespace
