// game_main.cpp -- the game binary: the real window, sound card and joystick.
// It reads no command line.
#include "app/main_loop.hpp"

int main() {
    return program_entry();
}
