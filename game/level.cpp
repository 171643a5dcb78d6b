// level.cpp -- the level grid and the building of a random realm.
#include "game/level.hpp"

#include <memory>

#include "game/player.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

std::array<std::shared_ptr<level_tag>, kLevelCells> level_cells;
int pit_count = 0;
int brick_count = 0;
int level_r = 0, level_g = 0, level_b = 0;
int torches_left = 0;
float level_alpha = 0.0f;
int flame_tick = 0;

namespace {

constexpr int kGridCells = 260;   // 20 columns x 13 rows that a build touches
constexpr int kPieceCells = 240;  // rows 0..11: the bottom row never holds a piece

// A search for a suitable cell gives up on random draws after this many. Realms 1
// to 30 find their cells within a few hundred draws, so the stream of a replay is
// unchanged there; the bound only stops a crowded late realm from hanging the build.
constexpr int kMaxDraws = 100000;

level_tag& cell(int i) {
    return *level_cells[i];
}

// A random cell of the play grid, 0..259 with equal chances.
level_tag& random_cell() {
    return cell(ToInt(rnd(0, kGridCells)));
}

bool is_piece(const level_tag& c) {
    return c.tile2 >= TILE_PIECE_1 && c.tile2 <= TILE_PIECE_5;
}
bool is_free_brick(const level_tag& c) {
    return c.tile2 == TILE_BRICK && c.torch == 0;
}
bool is_free_floor(const level_tag& c) {
    return c.tile1 == TILE_FLOOR && c.tile2 == TILE_NONE;
}

// Draws random cells until one fits; after kMaxDraws the first fitting cell in
// index order, or none (-1).
template <typename Fits>
int find_cell(int range, Fits fits) {
    for (int draws = 0; draws < kMaxDraws; ++draws) {
        const int i = ToInt(rnd(0, range));
        if (fits(cell(i))) return i;
    }
    for (int i = 0; i < range; ++i) {
        if (fits(cell(i))) return i;
    }
    return -1;
}

// A torch needs a brick without one.  When no brick is left free, one is laid on
// the first torch-free cell, floor first (pieces are not placed yet).
int torch_cell() {
    int i = find_cell(kGridCells, is_free_brick);
    if (i >= 0) return i;
    for (int pass = 0; pass < 2 && i < 0; ++pass) {
        for (int j = 0; j < kGridCells; ++j) {
            const level_tag& c = cell(j);
            if (c.torch == 0 && (pass == 1 || is_free_floor(c))) {
                i = j;
                break;
            }
        }
    }
    cell(i).tile1 = TILE_FLOOR;
    cell(i).tile2 = TILE_BRICK;
    return i;
}

// Bodger starts on empty floor.  When none is left, the first cell that holds
// neither a piece nor a torch is cleared to floor, and the pit below it becomes
// an edge as the build would have made it.
int start_cell() {
    int i = find_cell(kGridCells, is_free_floor);
    if (i >= 0) return i;
    for (int j = 0; j < kGridCells; ++j) {
        if (!is_piece(cell(j)) && cell(j).torch == 0) {
            i = j;
            break;
        }
    }
    cell(i).tile1 = TILE_FLOOR;
    cell(i).tile2 = TILE_NONE;
    if (i + 20 < kGridCells && cell(i + 20).tile1 == TILE_PIT) cell(i + 20).tile1 = TILE_PIT_EDGE;
    return i;
}

// Beer, glass, bonuses, TNT and the whole remote each make the picked cell
// floor before placing their object.
level_tag& floor_cell() {
    level_tag& c = random_cell();
    c.tile1 = TILE_FLOOR;
    return c;
}

}  // namespace

int level_tag::initialize() {
    for (int i = 0; i < kLevelCells; ++i) {
        auto c = std::make_shared<level_tag>();
        c->x = kFirstCellX + kCellSize * (i % 20);
        c->y = kFirstCellY + kCellSize * (i / 20);
        level_cells[i] = c;
    }
    return 0;
}

int level_tag::new_level() {
    level_alpha = 0.0f;
    torches_left = 5;

    for (int i = 0; i < kGridCells; ++i) {
        level_tag& c = cell(i);
        c.anim = c.a_ctr = c.a_tmr = c.a_max = 0;
        c.tile1 = TILE_FLOOR;
        c.tile2 = TILE_NONE;
        c.glass = c.torch = 0;
        c.trap = TRAP_NONE;
    }

    level_r = ToInt(rnd(40, 150));
    level_g = ToInt(rnd(40, 150));
    level_b = ToInt(rnd(40, 150));

    for (int n = 0; n < pit_count; ++n) random_cell().tile1 = TILE_PIT;
    for (int n = 0; n < brick_count; ++n) {
        level_tag& c = random_cell();
        if (c.tile1 == TILE_FLOOR) c.tile2 = TILE_BRICK;
    }

    int n = ToInt(rnd(5, 10));
    for (int k = 0; k < n; ++k) {
        level_tag& c = random_cell();
        const int kind = ToInt(rnd(0, 3));
        c.tile1 = TILE_FLOOR;
        c.tile2 = TILE_TRAP;
        c.trap = TRAP_DOOR + kind;
    }

    n = ToInt(rnd(2, 5));
    for (int k = 0; k < n; ++k) {
        level_tag& c = floor_cell();
        c.tile2 = TILE_BEER;
        c.a_max = 3;
        c.anim = 1;
    }

    n = ToInt(rnd(2, 5));
    for (int k = 0; k < n; ++k) floor_cell().tile2 = TILE_GLASS;

    n = ToInt(rnd(5, 15));
    for (int k = 0; k < n; ++k) {
        level_tag& c = floor_cell();
        c.tile2 = TILE_BONUS;
        c.a_max = 3;
        c.anim = 1;
    }

    n = ToInt(rnd(1, 4));
    for (int k = 0; k < n; ++k) floor_cell().tile2 = TILE_TNT;

    const int v = ToInt(rnd(0, 50));
    if (v >= 25 && v <= 35) {
        level_tag& c = floor_cell();
        c.tile2 = TILE_REMOTE;
        c.a_max = 3;
        c.anim = 1;
    }

    for (int k = 0; k < 5; ++k) cell(torch_cell()).torch = 1;

    for (int k = 0; k < 5; ++k) {
        level_tag& c =
            cell(find_cell(kPieceCells, [](const level_tag& c) { return !is_piece(c); }));
        c.tile1 = TILE_FLOOR;
        c.tile2 = TILE_PIECE_1 + k;
    }

    for (int i = 0; i < kPieceCells; ++i) {
        if (cell(i).tile1 == TILE_FLOOR && cell(i + 20).tile1 == TILE_PIT) {
            cell(i + 20).tile1 = TILE_PIT_EDGE;
        }
    }

    const level_tag& start = cell(start_cell());
    player->x = float(start.x);
    player->y = float(start.y);
    return 0;
}

void reset_level() {
    level_cells.fill(nullptr);
    pit_count = 0;
    brick_count = 0;
    level_r = level_g = level_b = 0;
    torches_left = 0;
    level_alpha = 0.0f;
    flame_tick = 0;
}
