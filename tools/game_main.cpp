// game_main.cpp -- the game binary: the real window, sound card and joystick.
// It reads no command line.
#include "app/main_loop.hpp"
#include "assets/window_icon.hpp"
#include "services/graphics/display.hpp"

int main() {
    // The desktop shows the game's own icon on its window, as on its entry.
    set_start_hook([] { SetAppIcon(window_icon_png, window_icon_png_size); });
    return program_entry();
}
