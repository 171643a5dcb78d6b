// globals.cpp -- the reset of every part's globals, each by its owner.
#include "app/globals.hpp"

#include "fx/effects.hpp"

void reset_globals() {
    reset_game_state();
    // Effects first: they are the objects that come and go during play.
    clear_effects();
    reset_stars();
    reset_level();
    drawer.reset();
    reset_player();
    reset_pause();
    reset_assets();
    reset_options();
    reset_pointer();
    reset_deaths();
}
