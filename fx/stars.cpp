// stars.cpp -- the star field: 100 stars in four layers scrolling right to
// left behind every screen, frozen while the pause menu shows.
#include "fx/stars.hpp"

#include <memory>

#include "draw/qwdraw.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

std::array<std::shared_ptr<star_tag>, kStars> stars;

int star_tag::create_em() {
    float sc = 0.8f;
    int spd = 8;
    for (int i = 0; i < kStars; ++i) {
        auto s = std::make_shared<star_tag>();
        s->x = ToInt(rnd(0, 640));
        s->y = ToInt(rnd(0, 480));
        s->sc = sc;
        s->spd = spd;
        stars[i] = s;
        // Every 25 stars a layer further back: smaller and slower.
        if ((i + 1) % 25 == 0) {
            sc -= 0.2f;
            spd -= 2;
        }
    }
    return 0;
}

int star_tag::update() {
    x -= spd;
    drawer->sip(BLEND_LIGHT, 0.5f, 0, sc + 0.2f, sc + 0.2f);
    SetColor(50, 60, 150);
    DrawImageFrame(tiles, float(x), float(y), FRAME_GLOW);
    drawer->sip(BLEND_LIGHT, 1.0f, 0, sc, sc);
    SetColor(255, 255, 255);
    DrawImageFrame(tiles, float(x), float(y), FRAME_STAR);
    if (x < -16) {
        x = 656;
        y = ToInt(rnd(0, 480));
    }
    return 0;
}

int star_tag::update_all() {
    for (auto& s : stars) {
        if (s) s->update();
    }
    return 0;
}

void reset_stars() {
    stars.fill(nullptr);
}
