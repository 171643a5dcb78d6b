// explode.hpp -- the 31 glowing particles of a brick blown up by TNT.
#pragma once

#include "services/system/list.hpp"

struct explode_tag {
    float x = 0, y = 0, sc = 0, al = 0, alst = 0;
    TList<explode_tag>::Link link;

    static int set(float x, float y);
    int update();
    static int update_all();
    static int destroy_all();
};

extern TList<explode_tag> explode_list;  // the live blast particles, oldest first
