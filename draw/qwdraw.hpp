// qwdraw.hpp -- the one drawing helper: blend, alpha, rotation and scale set
// in one call, image frames and texts drawn with them, texts centred at any scale.
#pragma once

#include <memory>
#include <string>

#include "services/graphics/image.hpp"

struct qwdraw_tag {
    float txt_xs = 0.0f;  // scale recorded by the last sip, for centring text
    float txt_ys = 0.0f;

    int sip(int blend, float alpha, float rotation, float scale_x, float scale_y);
    int i3d(const ImageRef& image, float x, float y, int frame);
    int t3d(const std::string& text, float x, float y, int centred);
};

extern std::shared_ptr<qwdraw_tag> drawer;  // the one helper every part draws through
