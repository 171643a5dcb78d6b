// web_main.cpp -- the page's program: the saved files brought back from
// IndexedDB, then the very same program entry as the desktop game.
#include <emscripten.h>
#include <unistd.h>

#include "app/main_loop.hpp"
#include "services/platform/web/files.hpp"
#include "services/platform/web/web.hpp"

int main() {
    if (chdir("/game") != 0) return 1;  // the sounds are packed into /game/data
    web_backend::RestoreSavedFiles();
    const int status = program_entry();
    web_backend::PersistIfChanged();  // the score saved by the exit sequence
    // Quitting from the title menu ends the program; the page stays.
    EM_ASM({
        if (Module["setStatus"])
            Module["setStatus"]("The game has ended: reload the page to play again.");
    });
    return status;
}
