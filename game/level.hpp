// level.hpp -- the level grid: 20x13 cells of 32 pixels (plus an incomplete
// fourteenth row that is drawn but never built), and its random generation.
#pragma once

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
    int trap = 0;      // trap kind: 1 trap door, 2 side shot, 3 falling object

    static int initialize();  // creates the 270 cells
    static int new_level();   // builds a random realm into cells 0..259, places the player
    int update();             // draws the cell and acts on the player standing on it
    static int update_all();  // advances the level timers and updates all 270 cells
};

enum : int {
    TILE_PIT = 0,
    TILE_FLOOR = 2,
    TILE_BRICK = 4,
    TILE_PIT_EDGE = 5,
    TILE_TRAP = 18,
    TILE_TRAP_SPRUNG = 19,
    TILE_TNT = 21,
    TILE_TNT_SPENT = 22,
    TILE_BONUS = 27,
    TILE_BEER = 31,
    TILE_GLASS = 35,
    TILE_PIECE_1 = 51,
    TILE_PIECE_5 = 55,
    TILE_REMOTE = 56,
};

extern int pit_count;                  // pit drops per build: 20 at a new game, +10 each realm
extern int brick_count;                // brick drops per build: 40 at a new game, +10 each realm
extern int level_r, level_g, level_b;  // tint, 40..149; (5, 5, 25) once every torch is out
extern int torches_left;               // torches still burning; 5 after a build
extern float level_alpha;              // fade-in of the level drawing, 0.0 after a build up to 1.0
extern int flame_tick;  // 0..2, torches emit a flame while it is 1 (every second frame)
