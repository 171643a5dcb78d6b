// stars.hpp -- the star field of 100 stars in four layers behind every screen.
#pragma once

#include <array>
#include <memory>

inline constexpr int kStars = 100;

struct star_tag {
    int x = 0, y = 0;
    float sc = 0;  // scale
    int spd = 0;   // pixels per frame, right to left

    static int create_em();
    int update();
    static int update_all();  // every star once; the pause menu freezes the field by not calling it
};

extern std::array<std::shared_ptr<star_tag>, kStars> stars;
void reset_stars();  // no stars, as before start-up makes them
