// brick.hpp -- the ten pieces of a broken brick, thrown up and falling.
#pragma once

#include "services/system/list.hpp"

struct brick_tag {
    float x = 0, y = 0, xs = 0, ys = 0, sc = 0;
    int rot = 0;
    TList<brick_tag>::Link link;

    static int set(float x, float y);
    // The pieces take the tint the level has now (r, g, b: level_r, level_g,
    // level_b), lit by 5 like the bricks still standing.
    int update(int r, int g, int b);
    static int update_all(int r, int g, int b);
    static int destroy_all();
};

extern TList<brick_tag> brick_list;  // the live brick pieces, oldest first
