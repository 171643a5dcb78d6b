// wave.hpp -- RIFF WAVE files holding PCM: 8-bit unsigned or 16-bit signed,
// mono or stereo, any rate.  "RIFX" files are the same with every number,
// samples included, big-endian.
#pragma once

#include <string_view>

#include "services/audio/sound.hpp"

// Fills out's rate, channels and samples; false (out untouched) when the bytes
// are not a complete, supported PCM wave file.
bool DecodeWave(std::string_view bytes, TSound& out);
