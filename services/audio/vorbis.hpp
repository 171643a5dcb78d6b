// vorbis.hpp -- Ogg Vorbis files, decoded completely at load.
#pragma once

#include <string_view>

#include "services/audio/sound.hpp"

// Fills out's rate, channels and samples from a whole mono or stereo Ogg
// Vorbis stream; false (out untouched) when it is damaged, cut short or
// has more than two channels.
bool DecodeVorbis(std::string_view bytes, TSound& out);
