// brick.cpp -- the pieces of a broken brick: thrown up, spinning, falling
// off the bottom of the screen, tinted like the bricks still standing.
#include "fx/brick.hpp"

#include <memory>

#include "draw/qwdraw.hpp"
#include "fx/list_walk.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

TList<brick_tag> brick_list;

int brick_tag::set(float x, float y) {
    for (int n = 0; n < 10; ++n) {
        auto b = std::make_shared<brick_tag>();
        b->y = y;
        b->rot = ToInt(rnd(0, 360));
        b->x = float((x - 8.0f) + rnd(0, 24));
        b->xs = float(rnd(-2, 2));
        b->ys = float(rnd(-4, -2));
        b->sc = float(rnd(0.1, 0.3));
        b->link = brick_list.AddLast(b);
    }
    return 0;
}

int brick_tag::update(int r, int g, int b) {
    SetColor(r + 5, g + 5, b + 5);
    drawer->sip(BLEND_MASK, 1.0f, float(rot), sc, sc);
    DrawImageFrame(tiles, x, y, FRAME_BRICK);
    x += xs;
    y += ys;
    ys += 0.1f;  // gravity, pixels per frame per frame
    rot = ToInt(float(rot) + xs * 5.0f);
    drawer->sip(BLEND_MASK, 1.0f, 0, 1, 1);
    if (!(y <= 480.0f)) brick_list.RemoveLink(link);
    SetColor(255, 255, 255);
    return 0;
}

int brick_tag::update_all(int r, int g, int b) {
    update_each(brick_list, r, g, b);
    return 0;
}

int brick_tag::destroy_all() {
    brick_list.Clear();
    return 0;
}
