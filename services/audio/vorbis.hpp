// vorbis.hpp -- Ogg Vorbis files: decoded completely at load, or packet by
// packet as a streamed sound plays.  The decoder only ever sees the pages the
// loader checked, and only so many times their length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "services/audio/sound.hpp"

// Length of the whole Ogg stream at the start of bytes, up to the end of its
// last page; 0 when a page is cut short, none closes the stream, or there are
// no pages.  Whatever follows the last page is not part of the sound.
std::size_t CheckedOggLength(std::string_view bytes);

// One open Ogg Vorbis stream over bytes in memory, which must outlive it.
class VorbisReader {
   public:
    VorbisReader();
    ~VorbisReader();
    VorbisReader(const VorbisReader&) = delete;
    VorbisReader& operator=(const VorbisReader&) = delete;

    // False when the bytes are not a whole mono or stereo stream: cut short,
    // damaged headers, more than two channels or an unlikely rate.  Only the
    // checked pages are handed to the decoder, and only a few times over, so
    // neither junk after them nor pages it must search cost more than reading.
    // Opening again starts the stream again from its first page.
    bool Open(std::string_view bytes);
    int Rate() const { return rate_; }
    int Channels() const { return channels_; }
    // Interleaved samples worth reserving: what the stream says it holds, but
    // never more than its bytes could plausibly decode to; 0 when unknown.
    std::size_t SamplesHint() const;
    // Appends the next decoded samples to out: above 0, how many; 0 at the
    // end; below 0 when the stream is damaged here (a hole, a bad packet, a
    // link of another layout, longer than the longest sound, or more reading
    // than its length allows).  May throw std::bad_alloc.
    long Next(std::vector<std::int16_t>& out);
    // Bytes handed to the decoder since the last Open.
    std::uint64_t BytesRead() const;

   private:
    struct State;
    std::unique_ptr<State> state_;  // libvorbisfile's state points into itself: never moved
    int rate_ = 0;
    int channels_ = 0;
};

// Fills out's rate, channels and samples from a whole mono or stereo Ogg
// Vorbis stream; false (out untouched) when it is damaged, cut short or
// has more than two channels.  May throw std::bad_alloc.
bool DecodeVorbis(std::string_view bytes, TSound& out);
