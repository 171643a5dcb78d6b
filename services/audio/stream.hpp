// stream.hpp -- a sound decoded as it plays, for the long music track.  The
// file's checked bytes are shared; each voice playing them decodes its own
// way through, keeping only a short window of frames around where it plays,
// and going round the loop starts its decoding again from the first page.  A
// track of any length so plays and loops in the same small memory, and
// starting one costs a read of the file and of its headers, not a decode.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "services/audio/vorbis.hpp"

class SoundStream {
   public:
    // The stream of a whole Ogg Vorbis file with sound headers, read but not
    // yet decoded; none when the file is cut short or its headers are not
    // those of a mono or stereo sound.  Bytes after the last page are let go.
    // A stream with no decodable audio behind good headers ends at the
    // mixer's first pull.  May throw std::bad_alloc.
    static std::shared_ptr<SoundStream> Open(std::string bytes);

    SoundStream() = default;  // empty until Open fills it
    SoundStream(const SoundStream&) = delete;
    SoundStream& operator=(const SoundStream&) = delete;

    int Rate() const { return rate_; }
    int Channels() const { return channels_; }
    std::string_view Bytes() const { return bytes_; }  // the checked pages

   private:
    std::string bytes_;
    int rate_ = 0;
    int channels_ = 0;
};

// One voice's place in a stream: its decoder and the frames decoded around
// where it plays.  Belongs to the mixer, used under its lock.
class StreamCursor {
   public:
    // Frames already played that are kept before being let go at once.
    static constexpr std::size_t kKeptFrames = 1 << 14;
    // Longest track played, in frames: 13 hours at 44.1 kHz.  A position in
    // the mix counts whole frames in 32 bits, and a few pages of silence can
    // claim more; a longer track ends here, as at damage.
    static constexpr std::size_t kLongestFrames = std::size_t(1) << 31;

    explicit StreamCursor(std::shared_ptr<const SoundStream> stream,
                          std::size_t longest = kLongestFrames);
    StreamCursor(const StreamCursor&) = delete;
    StreamCursor& operator=(const StreamCursor&) = delete;

    // Holds frames from `from` up to `to`, or to the end of the track if it
    // comes first; frames before `from` may be let go.  A `from` before the
    // frames held starts decoding again from the first page.  Damage or
    // running out of memory ends the track where it was found.
    void Need(std::size_t from, std::size_t to);
    std::size_t First() const { return first_; }                           // first frame held
    std::size_t End() const { return first_ + samples_.size() / width_; }  // after the last held
    const std::int16_t* Data() const { return samples_.data(); }           // frame First()
    const std::int16_t* Head() const { return head_.data(); }  // frame 0, for the loop join
    bool Finished() const { return finished_; }                // Length() is the whole track
    std::size_t Length() const { return length_; }
    bool Damaged() const { return damaged_; }  // finished early, at damage
    // Interleaved samples the window has room for: what the voice costs.
    std::size_t Capacity() const { return samples_.capacity(); }

   private:
    void Restart();
    void DecodeMore();

    std::shared_ptr<const SoundStream> stream_;  // its bytes outlive reader_
    // Opened afresh on every pass; kept between them.
    std::unique_ptr<VorbisReader> reader_;
    std::vector<std::int16_t> samples_;  // frames First() to End(), interleaved
    std::array<std::int16_t, 2> head_{};
    std::size_t width_ = 1;  // samples per frame
    std::size_t longest_;
    std::size_t first_ = 0;
    std::size_t length_ = 0;
    bool opened_ = false;      // reader_ is on a pass through the pages
    bool pass_ended_ = false;  // reader_ has given its last frame on this pass
    bool finished_ = false;
    bool damaged_ = false;
};
