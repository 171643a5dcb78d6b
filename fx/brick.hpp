// brick.hpp -- the ten pieces of a broken brick, thrown up and falling.
#pragma once

#include "services/system/list.hpp"

struct brick_tag {
    float x = 0, y = 0, xs = 0, ys = 0, sc = 0;
    int rot = 0;
    TList<brick_tag>::Link link;

    static int set(float x, float y);
    int update();
    static int update_all();
    static int destroy_all();
};
