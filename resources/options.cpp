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

void step_sound_volume() {
    sound_level += 1;
    sound_volume += 0.1f;
    if (sound_level > 10) {
        sound_level = 0;
        sound_volume = 0.0f;
    }
}

void step_music_volume() {
    music_level += 1;
    music_volume += 0.1f;
    if (music_level > 10) {
        music_level = 0;
        music_volume = 0.0f;
    }
}

void reset_options() {
    music_volume = 1.0f;
    sound_volume = 1.0f;
    music_level = 10;
    sound_level = 10;
    retro_fx = 0;
}
