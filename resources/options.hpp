// options.hpp -- the three options and their step rules (held in memory only).
#pragma once

extern float music_volume, sound_volume;  // 0.0 to 1.0 (just above 1.0 after a wrap)
extern int music_level, sound_level;      // steps 0 to 10
extern int retro_fx;                      // scan lines on (1) or off (0)

void toggle_retro_fx();
void step_sound_volume();
void step_music_volume();  // the menu applies the new volume to the music channel at once
void reset_options();      // the defaults every run starts with
