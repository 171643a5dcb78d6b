// message_box.cpp -- fatal messages in a box of the desktop's, for a player
// who started the game from a menu and never sees stderr.
#include "services/platform/platform.hpp"
#include "services/platform/sdl/sdl_window.hpp"

namespace platform {

// SDL opens its own connection to the display for the box, with or without
// a window; with no display reachable it fails at once.
bool ShowErrorBox(const std::string& title, const std::string& text) {
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(),
                                    sdl_backend::Window()) == 0;
}

}  // namespace platform
