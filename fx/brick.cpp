// brick.cpp -- the pieces of a broken brick: thrown up, spinning, falling
// off the bottom of the screen, tinted like the level.
#include "fx/brick.hpp"

#include <memory>

#include "app/globals.hpp"
#include "draw/qwdraw.hpp"
#include "game/level.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

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

int brick_tag::update() {
    SetColor(level_r + 5, level_g + 5, level_b + 5);
    drawer->sip(BLEND_MASK, 1.0f, float(rot), sc, sc);
    DrawImageFrame(tiles, x, y, 4);
    x += xs;
    y += ys;
    ys += 0.1f;  // gravity, pixels per frame per frame
    rot = ToInt(float(rot) + xs * 5.0f);
    drawer->sip(BLEND_MASK, 1.0f, 0, 1, 1);
    if (!(y <= 480.0f)) brick_list.RemoveLink(link);
    SetColor(255, 255, 255);
    return 0;
}

int brick_tag::update_all() {
    auto walk = brick_list.ObjectEnumerator();
    while (walk.HasNext()) walk.NextObject()->update();
    return 0;
}

int brick_tag::destroy_all() {
    brick_list.Clear();
    return 0;
}
