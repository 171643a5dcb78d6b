// game_over.cpp -- "Game Over" for 200 frames (51 after the last skip
// press), then back to the title menu with the music started afresh.
#include "screens/game_over.hpp"

#include "draw/qwdraw.hpp"
#include "game/flow.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "screens/skip.hpp"
#include "services/graphics/draw.hpp"

namespace {
constexpr int kLastFrame = 200;  // the screen ends in its 201st frame
}  // namespace

void game_over_frame() {
    SetColor(50, 200, 255);
    drawer->sip(BLEND_ALPHA, 1.0f, 0, 2.0f, 2.0f);
    drawer->t3d("Game Over", 320, 220, 1);
    drawer->sip(BLEND_ALPHA, 1.0f, 0, 1.0f, 1.0f);
    phase_timer += 1;
    if (skip_pressed()) phase_timer = kGameOverSkipTo;
    if (phase_timer > kLastFrame) end_game_over();
}
