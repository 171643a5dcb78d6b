// hud.cpp -- the heads-up display: the three texts along the top edge and,
// outside the title screen, the bars, the beer and glass rows and the remote.
#include "screens/hud.hpp"

#include <algorithm>

#include "draw/qwdraw.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/font.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

namespace {

constexpr int kMaxIcons = 18;  // per stock row; more are not shown
constexpr float kRemoteX = 320, kRemoteY = 457;
constexpr float kRemoteScale = 1.6f;

void hud_text(const std::string& text, int x) {
    SetColor(50, 200, 255);
    drawer->sip(BLEND_ALPHA, 1.0f, 0, 1.0f, 1.0f);
    drawer->t3d(text, float(x), 0, 0);
}

void stock_rows() {
    SetColor(255, 255, 255);
    const int beer = std::min(player->beer, kMaxIcons);
    for (int i = 1; i <= beer; i++)
        DrawImageFrame(tiles, float(8 + 14 * (i - 1)), 465, FRAME_BEER_ICON);
    const int glass = std::min(player->glass, kMaxIcons);
    for (int i = 1; i <= glass; i++)
        DrawImageFrame(tiles, float(630 - 14 * (i - 1)), 465, FRAME_GLASS_ICON);
}

void remote_picture() {
    drawer->sip(BLEND_MASK, 1.0f, 0, kRemoteScale, kRemoteScale);
    DrawImageFrame(tiles, kRemoteX, kRemoteY, FRAME_REMOTE_OUTLINE);
    if (player->rpieces != 0) {
        for (int piece : player->remote) {
            if (piece != 0) DrawImageFrame(tiles, kRemoteX, kRemoteY, piece);
        }
    } else {
        // Two draws, x scale first: the random stream depends on the order.
        const double sx = kRemoteScale + rnd(0, 0.5);
        const double sy = kRemoteScale + rnd(0, 0.5);
        drawer->sip(BLEND_LIGHT, 1.0f, 0, float(sx), float(sy));
        for (int i = 0; i < 5; i++) DrawImageFrame(tiles, kRemoteX, kRemoteY, FRAME_REMOTE_OUTLINE);
        drawer->sip(BLEND_MASK, 1.0f, 0, kRemoteScale, kRemoteScale);
        DrawImageFrame(tiles, kRemoteX, kRemoteY,
                       FRAME_REMOTE_LIGHTS + ToInt(rnd(0, kRemoteLightStates)));
    }
    drawer->sip(BLEND_MASK, 1.0f, 0, 1.0f, 1.0f);
}

}  // namespace

std::string hud_number(const std::string& label, int value) {
    return (value < 10 ? label + "0" : label) + IntToText(value);
}

void panel_bars() {
    SetColor(80, 150, 200);
    drawer->sip(BLEND_ALPHA, 0.6f, 0, 1.0f, 1.0f);
    DrawImageFrame(hud_top_image, 0, 0, 0);
    DrawImageFrame(hud_bottom_image, 0, 425, 0);
}

void hud_frame() {
    const bool title = game_state == STATE_TITLE;
    if (!title) panel_bars();
    hud_text(hud_number("Score: ", player->score), 4);
    const std::string best = hud_number("Best: ", player->best_sc);
    hud_text(best, 320 - StringWidth(best) / 2);
    const std::string realm = hud_number("Realm: ", player->level);
    hud_text(realm, 636 - StringWidth(realm));
    if (title) return;
    stock_rows();
    remote_picture();
}
