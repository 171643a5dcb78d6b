// stars.hpp -- the star field of 100 stars in four layers behind every screen.
#pragma once

struct star_tag {
    int x = 0, y = 0;
    float sc = 0;  // scale
    int spd = 0;   // pixels per frame, right to left

    static int create_em();
    int update();
    static int update_all();
};
