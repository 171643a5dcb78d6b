// dust.cpp -- a ring of eleven puffs of radius 16 that drifts outward,
// grows and fades out in 50 frames.
#include "fx/dust.hpp"

#include <memory>

#include "draw/qwdraw.hpp"
#include "fx/list_walk.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/convert.hpp"

TList<dust_tag> dust_list;

int dust_tag::set(float x, float y) {
    // 0 to 360 inclusive: the first and the last puff both sit at the top.
    for (int a = 0; a <= 360; a += 36) {
        auto d = std::make_shared<dust_tag>();
        d->rot = a;
        d->al = 1.0f;
        d->sc = 0.5f;
        d->x = float(x + SinDeg(a) * 16);
        d->y = float(y - CosDeg(a) * 16);
        d->link = dust_list.AddLast(d);
    }
    return 0;
}

int dust_tag::update() {
    SetColor(255, 255, 255);
    drawer->sip(BLEND_ALPHA, al, float(rot), sc, sc);
    DrawImageFrame(tiles, x, y, FRAME_SMOKE);
    x = float(x + SinDeg(rot) * 0.5);
    y = float(y - CosDeg(rot) * 0.5);
    al -= 0.02f;
    sc += 0.06f;
    if (!(al > 0.0f)) dust_list.RemoveLink(link);
    drawer->sip(BLEND_MASK, 1.0f, 0, 1, 1);
    return 0;
}

int dust_tag::update_all() {
    update_each(dust_list);
    return 0;
}

int dust_tag::destroy_all() {
    dust_list.Clear();
    return 0;
}
