// assets.hpp -- loading the art, font and sounds, the splash, and playback.
#pragma once

#include "services/audio/sound.hpp"

void load_assets();
void show_splash(int y_offset);
void play_sfx(const SoundRef& sound);
void start_music();
