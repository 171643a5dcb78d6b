// sound_limits.hpp -- the largest sound the game takes: its length, its file
// and its rate.  Every decoder holds a file to these before it trusts it.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest sound accepted, in interleaved samples (about 25 minutes of 44.1 kHz
// stereo); anything longer is refused rather than exhausting memory.
constexpr std::size_t kMaxSoundSamples = std::size_t(1) << 27;
// Largest sound file read: a WAVE file of the longest sound, headers and stray
// chunks included.  Anything after an Ogg stream's last page is only read.
constexpr std::uintmax_t kLargestSoundFile = 2 * kMaxSoundSamples + (1 << 20);
// Highest rate accepted, in frames per second; above it a header is broken.
constexpr long kHighestSoundRate = 1 << 20;
