// bot_route.hpp -- the bot's route finder: from a snapshot of the play grid
// and what Bodger carries, the first step towards the best thing to fetch.
#pragma once

#include <array>

#include "game/level.hpp"

namespace sim {

inline constexpr int kGridColumns = 20;
inline constexpr int kGridRows = 13;
inline constexpr int kGridCells = kGridColumns * kGridRows;  // cells 0..259 of the grid

// What the bot sees of one cell: the codes of its two layers and its plate.
struct CellView {
    int tile1 = TILE_FLOOR;  // ground: TILE_FLOOR, TILE_PIT or TILE_PIT_EDGE
    int tile2 = TILE_NONE;   // object code
    int glass = 0;           // 1 when a plate already bridges the pit
};
using GridView = std::array<CellView, kGridCells>;

// Bodger as the route finder needs him.
struct Walker {
    int cell = 0;     // 0..259, row-major
    int beer = 0;     // bricks he may still smash
    int glass = 0;    // pits he may still bridge
    int rpieces = 5;  // remote pieces still missing
};

// Directions numbered like the player's walking states.
enum : int { DIR_NONE = 0, DIR_LEFT = 1, DIR_RIGHT = 2, DIR_UP = 3, DIR_DOWN = 4 };

int step_cell(int cell, int dir);  // the cell one step away, wrapping at the grid's edges
int reverse_dir(int dir);          // the opposite direction; DIR_NONE stays

// What stepping onto a cell costs: the beers and plates it uses up, or
// death whatever he carries (an armed trap).
struct EntryCost {
    int beer = 0, glass = 0;
    bool deadly = false;
};
EntryCost entry_cost(const CellView& cell);

struct Route {
    int dir = DIR_NONE;  // first step to take; DIR_NONE when nothing can be reached safely
    int target = -1;     // cell the route leads to
    int steps = 0;       // cells walked to get there
    int beer = 0;        // beers the route uses up
    int glass = 0;       // plates the route uses up
};

// The route to the most worthwhile cell reachable without ever needing more
// beer or plates than carried; `keep` is a target to stay with while it is
// about as good as the best (no dithering between equal goals), -1 for none.
Route find_route(const GridView& grid, const Walker& walker, int keep = -1);

// A step that costs nothing and kills nothing, preferring `ahead`; DIR_NONE
// when every neighbour would use up something or kill.
int free_step(const GridView& grid, int cell, int ahead);

// Giving up a hopeless realm: the first step towards the nearest cell that
// kills him with what he carries now (an armed trap, a pit with no plate, a
// brick with no beer), walking only where he survives; failing that, towards
// the nearest cell that uses up a beer or a plate, so that one becomes
// deadly.  DIR_NONE when neither can be reached.
Route route_to_death(const GridView& grid, const Walker& walker);

}  // namespace sim
