// qwdraw.cpp -- the drawing helper: one call sets blend, alpha, rotation and
// scale; texts are centred on the scale that call recorded.
#include "draw/qwdraw.hpp"

#include "services/graphics/draw.hpp"
#include "services/graphics/font.hpp"

std::shared_ptr<qwdraw_tag> drawer;

int qwdraw_tag::sip(int blend, float alpha, float rotation, float scale_x, float scale_y) {
    SetBlend(blend);
    SetAlpha(alpha);
    SetDrawTransform(rotation, scale_x, scale_y);
    txt_xs = scale_x;
    txt_ys = scale_y;
    return 0;
}

int qwdraw_tag::i3d(const ImageRef& image, float x, float y, int frame) {
    DrawImageFrame(image, x, y, frame);
    return 0;
}

int qwdraw_tag::t3d(const std::string& text, float x, float y, int centred) {
    if (centred != 0) {
        // The recorded scale, not the current one: a later SetDrawScale does
        // not change where a centred text lands.  Float, as the fields are.
        x = x - float(StringWidth(text)) * txt_xs / 2;
        y = y - float(FontHeight()) * txt_ys / 2;
    }
    DrawString(text, x, y);
    return 0;
}
