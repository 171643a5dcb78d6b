// options.cpp -- the three option steps of the menus.  The volumes are
// accumulated in single precision, never recomputed from the step, so after
// a wrap the top step holds ten additions of 0.1 (1.0000001).
#include "resources/options.hpp"

float music_volume = 1.0f, sound_volume = 1.0f;
int music_level = 10, sound_level = 10;
int retro_fx = 0;

void toggle_retro_fx() {
    retro_fx += 1;
    if (retro_fx > 1) retro_fx = 0;
}

namespace {

// One menu step of a volume: up a tenth, and from the top back to silence.
// The float is stepped, not computed from the level, as the menu always has.
void step_volume(int& level, float& volume) {
    level += 1;
    volume += 0.1f;
    if (level > 10) {
        level = 0;
        volume = 0.0f;
    }
}

}  // namespace

void step_sound_volume() {
    step_volume(sound_level, sound_volume);
}

void step_music_volume() {
    step_volume(music_level, music_volume);
}

void reset_options() {
    music_volume = 1.0f;
    sound_volume = 1.0f;
    music_level = 10;
    sound_level = 10;
    retro_fx = 0;
}
