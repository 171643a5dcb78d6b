// decode.cpp -- loading a sound file: read it whole, pick the decoder by the
// file's signature, and build the sound.
#include "services/audio/decode.hpp"

#include <memory>

#include "services/audio/vorbis.hpp"
#include "services/audio/wave.hpp"
#include "services/system/files.hpp"

namespace {

// A WAVE file of the longest sound, headers and stray chunks included.
constexpr std::uintmax_t kLargestFile = 2 * kMaxSoundSamples + (1 << 20);

}  // namespace

SoundRef DecodeSound(std::string_view bytes, int flags, const std::string& path) {
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

SoundRef TSound::Load(const std::string& path, int flags) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kLargestFile)) return nullptr;
    return DecodeSound(bytes, flags, path);
}
