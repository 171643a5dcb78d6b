// options.hpp -- the three options and their step rules (held in memory only).
#pragma once

void toggle_retro_fx();
void step_sound_volume();
void step_music_volume();  // also applies the new volume to the music channel at once
