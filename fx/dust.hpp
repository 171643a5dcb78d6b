// dust.hpp -- a ring of eleven dust puffs drifting outward and fading.
#pragma once

#include "services/system/list.hpp"

struct dust_tag {
    float x = 0, y = 0;
    int rot = 0;
    float sc = 0, al = 0;
    TList<dust_tag>::Link link;

    static int set(float x, float y);
    int update();
    static int update_all();
    static int destroy_all();
};

extern TList<dust_tag> dust_list;  // the live dust puffs, oldest first
