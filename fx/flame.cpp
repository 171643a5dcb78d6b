// flame.cpp -- torch flames: a shrinking glow in light blending that turns
// into a growing, fading smoke puff, both rising.
#include "fx/flame.hpp"

#include <memory>

#include "draw/qwdraw.hpp"
#include "fx/list_walk.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/random.hpp"

TList<flame_tag> flame_list;

int flame_tag::create_it(int x, int y) {
    auto f = std::make_shared<flame_tag>();
    f->frame = FRAME_FLAME;
    f->alpha = 0.4f;
    f->x = float((x - 2) + rnd(0, 4));
    f->y = float((y - 2) - rnd(0, 4));
    f->scale = float(rnd(0.4, 1.0));
    f->spd = float(rnd(0.02, 0.6));
    f->link = flame_list.AddLast(f);
    return 0;
}

int flame_tag::update() {
    SetColor(255, 255, 255);
    if (frame == FRAME_FLAME) {
        scale -= 0.01f;
        if (!(scale > 0.0f)) {
            frame = FRAME_SMOKE;
            scale = 0.5f;
            alpha = 0.6f;
            spd = float(rnd(1, 4));
        }
        // The frame that turns to smoke is still drawn as a flame.
        drawer->sip(BLEND_LIGHT, alpha, 0, scale, scale);
    } else {
        scale += 0.03f;
        alpha -= 0.02f;
        drawer->sip(BLEND_ALPHA, alpha, 0, scale, scale);
    }
    DrawImageFrame(tiles, x, y, frame);
    y -= spd;
    if (y < 0.0f || scale <= 0.0f || alpha <= 0.0f) flame_list.RemoveLink(link);
    return 0;
}

int flame_tag::update_all() {
    update_each(flame_list);
    return 0;
}

int flame_tag::destroy_all() {
    flame_list.Clear();
    return 0;
}
