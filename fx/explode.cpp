// explode.cpp -- the glowing particles of a brick blown up by TNT: they
// shrink and fade where they are, in light blending.
#include "fx/explode.hpp"

#include <memory>

#include "draw/qwdraw.hpp"
#include "fx/list_walk.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/random.hpp"

TList<explode_tag> explode_list;

int explode_tag::set(float x, float y) {
    for (int n = 0; n < 31; ++n) {
        auto e = std::make_shared<explode_tag>();
        e->al = float(rnd(0.5, 1.0));
        e->x = float((x - 8.0f) + rnd(0, 24));
        e->y = float((y - 8.0f) + rnd(0, 24));
        e->sc = float(rnd(1, 2));
        e->alst = float(rnd(-0.04, -0.02));
        e->link = explode_list.AddLast(e);
    }
    return 0;
}

int explode_tag::update() {
    SetColor(255, 255, 255);
    drawer->sip(BLEND_LIGHT, al, 0, sc, sc);
    DrawImageFrame(tiles, x, y, FRAME_FLAME);
    al += alst;
    sc -= 0.02f;
    if (!(al > 0.0f)) explode_list.RemoveLink(link);
    // Leaves light blending set once the family is drawn.
    drawer->sip(BLEND_LIGHT, al, 0, sc, sc);
    return 0;
}

int explode_tag::update_all() {
    update_each(explode_list);
    return 0;
}

int explode_tag::destroy_all() {
    explode_list.Clear();
    return 0;
}
