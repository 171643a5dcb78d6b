// points.cpp -- score popups: half-size text centred on a cell, flickering in
// light colours, rising a pixel a frame and fading out in about 100 frames.
#include "fx/points.hpp"

#include <memory>

#include "draw/qwdraw.hpp"
#include "fx/list_walk.hpp"
#include "resources/assets.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/font.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

TList<points_tag> points_list;

int points_tag::set(int x, int y, const std::string& text) {
    auto p = std::make_shared<points_tag>();
    const int w = StringWidth(text);  // unscaled; the text is drawn at half size
    p->x = ToInt(x - (w / 2) * 0.5);
    p->y = y;
    p->pt = text;
    p->alpha = 1.0f;
    p->link = points_list.AddLast(p);
    return 0;
}

int points_tag::update() {
    // Three draws every frame the popup lives.
    r = ToInt(rnd(150, 255));
    g = ToInt(rnd(150, 255));
    b = ToInt(rnd(150, 255));
    SetColor(r, g, b);
    drawer->sip(BLEND_ALPHA, alpha, 0, 0.5f, 0.5f);
    DrawString(pt, float(x), float(y));
    y -= 1;
    alpha -= 0.01f;
    if (!(alpha > 0.0f)) points_list.RemoveLink(link);
    return 0;
}

int points_tag::update_all() {
    update_each(points_list);
    return 0;
}

int points_tag::destroy_all() {
    points_list.Clear();
    return 0;
}
