// web_main.cpp -- the page's program: the saved files brought back from
// IndexedDB, then the very same program entry as the desktop game, run again
// each time the player asks for another game after leaving one.
#include <unistd.h>

#include "app/main_loop.hpp"
#include "services/platform/web/files.hpp"
#include "services/platform/web/web.hpp"

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
