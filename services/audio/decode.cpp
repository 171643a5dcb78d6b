// decode.cpp -- loading a sound file: read it whole, pick the decoder by the
// file's signature, and build the sound.  Running out of memory anywhere on
// the way is the file's fault, not the game's: the sound is missing.
#include "services/audio/decode.hpp"

#include <memory>
#include <new>

#include "services/audio/stream.hpp"
#include "services/audio/vorbis.hpp"
#include "services/audio/wave.hpp"
#include "services/system/files.hpp"

namespace {

SoundRef Decoded(std::string_view bytes, int flags, const std::string& path) {
    auto sound = std::make_shared<TSound>();
    std::string_view magic = bytes.substr(0, 4);
    bool decoded = false;
    if (magic == "OggS") {
        decoded = DecodeVorbis(bytes, *sound);
    } else if (magic == "RIFF" || magic == "RIFX") {
        decoded = DecodeWave(bytes, *sound);
    }
    if (!decoded) return nullptr;
    sound->loop = (flags & SOUND_LOOP) != 0;
    sound->path = path;
    return sound;
}

SoundRef Streamed(std::string bytes, int flags, const std::string& path) {
    if (bytes.substr(0, 4) != "OggS") return Decoded(bytes, flags, path);
    std::shared_ptr<SoundStream> stream = SoundStream::Open(std::move(bytes));
    if (!stream) return nullptr;
    auto sound = std::make_shared<TSound>();
    sound->rate = stream->Rate();
    sound->channels = stream->Channels();
    sound->loop = (flags & SOUND_LOOP) != 0;
    sound->path = path;
    sound->stream = std::move(stream);
    return sound;
}

}  // namespace

SoundRef DecodeSound(std::string_view bytes, int flags, const std::string& path) {
    try {
        return Decoded(bytes, flags, path);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

SoundRef TSound::Load(const std::string& path, int flags) {
    try {
        std::string bytes;
        if (!ReadWholeFile(path, bytes, kLargestSoundFile)) return nullptr;
        return Decoded(bytes, flags, path);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

SoundRef StreamSound(std::string bytes, int flags, const std::string& path) {
    try {
        return Streamed(std::move(bytes), flags, path);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

SoundRef TSound::Stream(const std::string& path, int flags) {
    try {
        std::string bytes;
        if (!ReadWholeFile(path, bytes, kLargestSoundFile)) return nullptr;
        return Streamed(std::move(bytes), flags, path);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
