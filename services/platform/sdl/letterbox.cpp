// letterbox.cpp -- the picture's place on any screen or window size.
#include "services/platform/sdl/letterbox.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace sdl_backend {

Box Letterbox(int out_w, int out_h, int pic_w, int pic_h) {
    Box box;
    if (out_w <= 0 || out_h <= 0 || pic_w <= 0 || pic_h <= 0) return box;
    // Whole-number cross products: exact, so a 4:3 output gets no bar at all.
    if (std::int64_t(out_w) * pic_h <= std::int64_t(out_h) * pic_w) {
        box.w = out_w;
        box.h = int(std::int64_t(out_w) * pic_h / pic_w);
    } else {
        box.h = out_h;
        box.w = int(std::int64_t(out_h) * pic_w / pic_h);
    }
    box.w = std::max(box.w, 1);
    box.h = std::max(box.h, 1);
    box.x = (out_w - box.w) / 2;
    box.y = (out_h - box.h) / 2;
    return box;
}

int SharpFactor(const Box& box, int pic_w, int pic_h) {
    if (pic_w <= 0 || pic_h <= 0) return 1;
    const int fx = (box.w + pic_w - 1) / pic_w;
    const int fy = (box.h + pic_h - 1) / pic_h;
    return std::max({fx, fy, 1});
}

int PicturePixel(double out_pos, int box_pos, int box_size, int pic_size) {
    if (box_size <= 0 || pic_size <= 0) return 0;
    const double p = std::floor((out_pos - box_pos) * pic_size / box_size);
    return int(std::clamp(p, 0.0, double(pic_size - 1)));
}

double OutputPosition(int p, int box_pos, int box_size, int pic_size) {
    if (pic_size <= 0) return box_pos;
    return box_pos + (p + 0.5) * box_size / pic_size;
}

void WindowedSize(int usable_w, int usable_h, int pic_w, int pic_h, int* w, int* h) {
    int k = 1;
    if (pic_w > 0 && pic_h > 0) k = std::max(1, std::min(usable_w / pic_w, usable_h / pic_h));
    *w = pic_w * k;
    *h = pic_h * k;
}

}  // namespace sdl_backend
