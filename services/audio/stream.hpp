// stream.hpp -- a sound decoded as it plays, for the long music track: the
// mixer decodes only as far ahead as each pull needs, and what it decoded is
// kept, so the loop replays it without decoding again.  Starting one costs a
// read of the file and of its headers instead of a whole decode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "services/audio/vorbis.hpp"

class SoundStream {
   public:
    // The stream of a whole Ogg Vorbis file with sound headers, read but not
    // yet decoded; none when the file is cut short or its headers are not
    // those of a mono or stereo sound.  A stream with no decodable audio
    // behind good headers ends at the mixer's first pull.
    static std::shared_ptr<SoundStream> Open(std::string bytes);

    SoundStream() = default;  // empty until Open fills it
    SoundStream(const SoundStream&) = delete;
    SoundStream& operator=(const SoundStream&) = delete;

    int Rate() const { return rate_; }
    int Channels() const { return channels_; }

    // Everything below belongs to whoever plays the stream: the mixer, under
    // its lock.
    // Decodes until `frames` frames are held or the end is reached.  Damage
    // found on the way ends the sound where it was found.
    void DecodeTo(std::size_t frames);
    const std::int16_t* Data() const { return samples_.data(); }
    std::size_t Frames() const { return samples_.size() / std::size_t(channels_); }
    bool Finished() const { return finished_; }  // Frames is the whole length
    bool Damaged() const { return damaged_; }    // finished early, at damage

   private:
    std::string bytes_;  // the file, read by reader_
    // Kept to the end, so the mixer never frees memory while it pulls.
    std::unique_ptr<VorbisReader> reader_;
    std::vector<std::int16_t> samples_;  // decoded so far, interleaved
    int rate_ = 0;
    int channels_ = 0;
    bool finished_ = false;
    bool damaged_ = false;
};
