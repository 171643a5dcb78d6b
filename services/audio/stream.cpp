// stream.cpp -- decoding a streamed sound a packet at a time, in a window
// that moves with the voice.
#include "services/audio/stream.hpp"

#include <algorithm>
#include <new>
#include <utility>

std::shared_ptr<SoundStream> SoundStream::Open(std::string bytes) {
    const std::size_t length = CheckedOggLength(bytes);
    if (length == 0) return nullptr;
    // The junk after the last page is not kept for as long as the music plays.
    if (length < bytes.size()) {
        bytes.resize(length);
        bytes.shrink_to_fit();
    }
    auto stream = std::make_shared<SoundStream>();
    stream->bytes_ = std::move(bytes);
    // The headers are read here, on the game's thread, to refuse a bad file
    // at once; each voice opens its own decoder at its first pull.
    VorbisReader reader;
    if (!reader.Open(stream->bytes_)) return nullptr;
    stream->rate_ = reader.Rate();
    stream->channels_ = reader.Channels();
    return stream;
}

StreamCursor::StreamCursor(std::shared_ptr<const SoundStream> stream, std::size_t longest)
    : stream_(std::move(stream)),
      width_(std::size_t(stream_->Channels() == 2 ? 2 : 1)),
      longest_(longest) {}

void StreamCursor::Restart() {
    samples_.clear();
    first_ = 0;
    pass_ended_ = false;
    if (!reader_) reader_ = std::make_unique<VorbisReader>();
    // The same pages opened again decode to the same frames as the first pass.
    opened_ = reader_->Open(stream_->Bytes()) && std::size_t(reader_->Channels()) == width_;
    if (!opened_) {
        pass_ended_ = finished_ = damaged_ = true;
        length_ = 0;
    }
}

void StreamCursor::DecodeMore() {
    const std::size_t before = samples_.size();
    long got = reader_->Next(samples_);
    if (got > 0) {
        if (first_ == 0 && before < width_ && samples_.size() >= width_) {
            std::copy_n(samples_.begin(), width_, head_.begin());
        }
        if (End() <= longest_) return;
        samples_.resize((longest_ - first_) * width_);
        got = -1;
    }
    pass_ended_ = true;
    if (finished_ && !damaged_ && got == 0 && End() == length_) return;  // round again, as before
    // The first end met, or a later pass that fell short of it.
    finished_ = true;
    damaged_ = got < 0 || (length_ != 0 && End() != length_);
    length_ = End();
}

void StreamCursor::Need(std::size_t from, std::size_t to) {
    if (damaged_) return;
    try {
        if (!opened_ || from < first_) Restart();
        while (!damaged_) {
            // Frames played long enough ago are let go; the few still
            // needed move to the front.
            if (from > first_ && (from - first_ >= kKeptFrames || from >= End())) {
                const std::size_t drop = std::min(from, End()) - first_;
                samples_.erase(samples_.begin(), samples_.begin() + std::ptrdiff_t(drop * width_));
                first_ += drop;
            }
            if (End() >= to || pass_ended_) break;
            DecodeMore();
        }
    } catch (const std::bad_alloc&) {
        // The device's thread must not end the program: the track stops here.
        pass_ended_ = finished_ = damaged_ = true;
        length_ = End();
    }
}
