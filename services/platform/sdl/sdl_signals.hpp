// sdl_signals.hpp -- a closed terminal (SIGHUP) asks the game to close like
// the close box does, so the exit sequence runs and the best score is kept.
// SDL itself does the same for SIGINT and SIGTERM.
#pragma once

namespace sdl_backend {

void WatchHangup();  // installs the handler; harmless to call again
bool TakeHangup();   // true once after each SIGHUP

}  // namespace sdl_backend
