// decode.hpp -- turning the bytes of a sound file into a sound: Ogg Vorbis or
// RIFF WAVE, decoded completely to interleaved 16-bit PCM, or for the music
// kept to be decoded as it plays.
#pragma once

#include <string>
#include <string_view>

#include "services/audio/sound.hpp"
#include "services/audio/sound_limits.hpp"

// The sound held in a file's bytes, picked by its signature; none when the
// bytes are not a whole, supported file. flags bit 1 = loop; path kept as given.
SoundRef DecodeSound(std::string_view bytes, int flags, const std::string& path);
// As DecodeSound, but Ogg Vorbis is kept to be decoded as it plays.  Either
// gives none, never an exception, when memory runs out on the way.
SoundRef StreamSound(std::string bytes, int flags, const std::string& path);
