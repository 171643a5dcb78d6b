// level.hpp -- the level grid: 20x13 cells of 32 pixels (plus an incomplete
// fourteenth row that is drawn but never built), and its random generation.
#pragma once

#include <array>
#include <memory>

#include "resources/sprite_frames.hpp"

struct level_tag {
    int x = 0, y = 0;  // centre of the cell in screen pixels
    int tile1 = 0;     // ground: 2 floor, 0 pit, 5 pit edge
    int tile2 = 0;     // object: 4 brick, 18/19 trap armed/sprung, 21/22 TNT/spent, 27 bonus,
                       // 31 beer, 35 glass, 51..55 remote pieces, 56 whole remote
    int torch = 0;     // 1 while a torch burns on this cell's brick
    int glass = 0;     // 1 once a glass plate bridges this pit
    int a_ctr = 0;     // animation step, 0 .. a_max
    int a_tmr = 0;     // frames since the last animation step, 0 .. 7
    int a_max = 0;     // last animation step: 3 for beer, bonus and whole remote
    int anim = 0;      // an animated object was placed here (nothing depends on it)
    int trap = 0;      // one of TRAP_*

    static int initialize();  // creates the 270 cells
    static int new_level();   // builds a random realm into cells 0..259, places the player
    int update();             // draws the cell and acts on the player standing on it
    static int update_all();  // advances the level timers and updates all 270 cells
};

// A cell's codes are the sprite frames its ground and object are drawn with.
enum : int {
    TILE_NONE = 0,  // no object (tile2)
    TILE_PIT = FRAME_PIT,
    TILE_FLOOR = FRAME_FLOOR,
    TILE_BRICK = FRAME_BRICK,
    TILE_PIT_EDGE = FRAME_PIT_EDGE,
    TILE_TRAP = FRAME_TRAP,
    TILE_TRAP_SPRUNG = FRAME_TRAP_SPRUNG,
    TILE_TNT = FRAME_TNT,
    TILE_TNT_SPENT = FRAME_TNT_SPENT,
    TILE_BONUS = FRAME_COIN,
    TILE_BEER = FRAME_BEER,
    TILE_GLASS = FRAME_GLASS_STACK,
    TILE_PIECE_1 = FRAME_PIECE_LYING,
    TILE_PIECE_5 = FRAME_PIECE_LYING + 4,
    TILE_REMOTE = FRAME_REMOTE_LYING,
};

// What an armed trap does to Bodger (the cell's `trap`).
enum : int {
    TRAP_NONE = 0,
    TRAP_DOOR = 1,       // the floor opens: he falls as into a pit
    TRAP_SIDE_SHOT = 2,  // a shot flies in from one side
    TRAP_FALLING = 3,    // a pot falls from above
};

inline constexpr int kLevelCells = 270;  // 20 x 13 built, plus a 14th row only drawn
inline constexpr int kCellSize = 32;     // pixels a cell is wide and high, and a step long
inline constexpr int kFirstCellX = 16, kFirstCellY = 48;  // centre of cell 0 in screen pixels

extern int pit_count;                  // pit drops per build: 20 at a new game, +10 each realm
extern int brick_count;                // brick drops per build: 40 at a new game, +10 each realm
extern int level_r, level_g, level_b;  // tint, 40..149; (5, 5, 25) once every torch is out
extern int torches_left;               // torches still burning; 5 after a build
extern float level_alpha;              // fade-in of the level drawing, 0.0 after a build up to 1.0
extern int flame_tick;  // 0..2, torches emit a flame while it is 1 (every second frame)
extern std::array<std::shared_ptr<level_tag>, kLevelCells> level_cells;

void reset_level();  // no cells, every level global 0, as before the first build
