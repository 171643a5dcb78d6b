// flame.hpp -- torch flames that shrink, then rise as smoke.
#pragma once

#include "services/system/list.hpp"

struct flame_tag {
    float x = 0, y = 0, scale = 0, alpha = 0, spd = 0;
    int frame = 0;  // FRAME_FLAME, then FRAME_SMOKE
    TList<flame_tag>::Link link;

    static int create_it(int x, int y);
    int update();
    static int update_all();
    static int destroy_all();
};

extern TList<flame_tag> flame_list;  // the live flames, oldest first
