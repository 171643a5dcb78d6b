// decode.hpp -- turning the bytes of a sound file into a sound: Ogg Vorbis or
// RIFF WAVE, decoded completely to interleaved 16-bit PCM, or for the music
// kept to be decoded as it plays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "services/audio/sound.hpp"

// Longest sound accepted, in interleaved samples (about 25 minutes of 44.1 kHz
// stereo); anything longer is refused rather than exhausting memory.
constexpr std::size_t kMaxSoundSamples = std::size_t(1) << 27;
// Largest sound file read: a WAVE file of the longest sound, headers and stray
// chunks included.  Anything after an Ogg stream's last page is only read.
constexpr std::uintmax_t kLargestSoundFile = 2 * kMaxSoundSamples + (1 << 20);
// Highest rate accepted, in frames per second; above it a header is broken.
constexpr long kHighestSoundRate = 1 << 20;

// The sound held in a file's bytes, picked by its signature; none when the
// bytes are not a whole, supported file. flags bit 1 = loop; path kept as given.
SoundRef DecodeSound(std::string_view bytes, int flags, const std::string& path);
// As DecodeSound, but Ogg Vorbis is kept to be decoded as it plays.  Either
// gives none, never an exception, when memory runs out on the way.
SoundRef StreamSound(std::string bytes, int flags, const std::string& path);
