// web_main.cpp -- the page's program: the saved files brought back from
// IndexedDB, then the very same program entry as the desktop game, run again
// each time the player asks for another game after leaving one.
#include <emscripten.h>
#include <unistd.h>

#include "app/main_loop.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "services/platform/web/files.hpp"
#include "services/platform/web/web.hpp"

// For the page test, read only: the game's state and where Bodger stands,
// as the runner's dump gives them (-1 before the player exists).
extern "C" EMSCRIPTEN_KEEPALIVE int web_game_state() {
    return game_state;
}
extern "C" EMSCRIPTEN_KEEPALIVE float web_player_x() {
    return player ? player->x : -1.0f;
}
extern "C" EMSCRIPTEN_KEEPALIVE float web_player_y() {
    return player ? player->y : -1.0f;
}

int main() {
    if (chdir("/game") != 0) return 1;  // the sounds are packed into /game/data
    web_backend::RestoreSavedFiles();
    int status = 0;
    do {
        // program_entry resets the globals and services itself, as the
        // runner relies on between runs.
        status = program_entry();
        web_backend::PersistIfChanged();  // the score saved by the exit sequence
    } while (web_backend::WaitForPlayAgain());
    return status;
}
