// stream.cpp -- decoding a streamed sound a packet at a time.
#include "services/audio/stream.hpp"

#include <new>
#include <utility>

std::shared_ptr<SoundStream> SoundStream::Open(std::string bytes) {
    auto stream = std::make_shared<SoundStream>();
    stream->bytes_ = std::move(bytes);
    stream->reader_ = std::make_unique<VorbisReader>();
    if (!stream->reader_->Open(stream->bytes_)) return nullptr;
    stream->rate_ = stream->reader_->Rate();
    stream->channels_ = stream->reader_->Channels();
    // Room for the whole track up front: the pages are only touched as they
    // fill, and the mixer never copies what it has decoded.  A length the
    // machine cannot hold is only a hint; decoding finds out for itself.
    try {
        stream->samples_.reserve(stream->reader_->SamplesHint());
    } catch (const std::bad_alloc&) {
    }
    // Nothing is decoded yet: the decoder's tables are built at the first
    // pull, off the game's thread on a real device.
    return stream;
}

void SoundStream::DecodeTo(std::size_t frames) {
    while (!finished_ && Frames() < frames) {
        long got = -1;
        // The mixer runs this on the device's thread: a track too long for
        // the memory left ends where it stopped, like damage.
        try {
            got = reader_->Next(samples_);
        } catch (const std::bad_alloc&) {
        }
        if (got > 0) continue;
        finished_ = true;
        damaged_ = got < 0;
    }
}
