// vorbis.hpp -- Ogg Vorbis files: decoded completely at load, or packet by
// packet as a streamed sound plays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "services/audio/sound.hpp"

// One open Ogg Vorbis stream over bytes in memory, which must outlive it.
class VorbisReader {
   public:
    VorbisReader();
    ~VorbisReader();
    VorbisReader(const VorbisReader&) = delete;
    VorbisReader& operator=(const VorbisReader&) = delete;

    // False when the bytes are not a whole mono or stereo stream: cut short,
    // damaged headers, more than two channels or an unlikely rate.
    bool Open(std::string_view bytes);
    int Rate() const { return rate_; }
    int Channels() const { return channels_; }
    // Interleaved samples the stream says it holds; 0 when unknown or too many.
    std::size_t SamplesHint() const;
    // Appends the next decoded samples to out: above 0, how many; 0 at the
    // end; below 0 when the stream is damaged here (a hole, a bad packet, a
    // link of another layout, or longer than the longest sound).
    long Next(std::vector<std::int16_t>& out);

   private:
    struct State;
    std::unique_ptr<State> state_;  // libvorbisfile's state points into itself: never moved
    int rate_ = 0;
    int channels_ = 0;
};

// Fills out's rate, channels and samples from a whole mono or stereo Ogg
// Vorbis stream; false (out untouched) when it is damaged, cut short or
// has more than two channels.
bool DecodeVorbis(std::string_view bytes, TSound& out);
