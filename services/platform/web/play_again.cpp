// play_again.cpp -- the end of a game on the page: the desktop's program
// ends there, the page instead offers another game and waits for the answer.
#include <emscripten.h>

#include "services/platform/web/web.hpp"

namespace {

// Resolves when the player asks for another game; 0 when the page has no
// such offer (the program then ends as on the desktop).
// clang-format off
EM_ASYNC_JS(int, ask_play_again, (), {
    var offer = Module["bodgerGameEnded"];
    if (!offer) return 0;
    return await new Promise(function(resolve) { offer(function() { resolve(1); }); });
});
// clang-format on

}  // namespace

namespace web_backend {

bool WaitForPlayAgain() {
    if (!ask_play_again()) return false;
    // Keys typed while the offer was shown belong to no game.
    DropEvents();
    return true;
}

}  // namespace web_backend
