// points.hpp -- score popups that rise and fade over about 100 frames.
#pragma once

#include <string>

#include "services/system/list.hpp"

struct points_tag {
    int x = 0, y = 0;
    std::string pt;
    int r = 0, g = 0, b = 0;
    float alpha = 0;
    TList<points_tag>::Link link;

    static int set(int x, int y, const std::string& text);
    int update();
    static int update_all();
    static int destroy_all();
};

extern TList<points_tag> points_list;  // the live popups, oldest first
