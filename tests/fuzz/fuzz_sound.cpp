// fuzz_sound.cpp -- any bytes given to the sound reader (Ogg Vorbis or WAV);
// whatever decodes is played to its end through the mixer at several output
// rates, once straight and once looped across its join, and streamed as the
// music is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "services/audio/decode.hpp"
#include "services/audio/mixer.hpp"

namespace {

constexpr int kOutputRates[] = {8000, 22050, 44100, 48000, 96000};
constexpr int kChunk = 1024;                    // frames per pull, as a device would ask
constexpr std::uint64_t kMostFrames = 1 << 21;  // output frames worth mixing per rate

// Plays the sound on a fresh mixer at `rate` until it ends (or, looped, for
// twice its length), so every end-of-sound and loop-join path is walked.
void play(const SoundRef& sound, int rate, bool loop) {
    const std::uint64_t frames =
        std::uint64_t(sound->Frames()) * std::uint64_t(rate) / std::uint64_t(sound->rate) + 2;
    if (frames > kMostFrames) return;
    auto mixer = std::make_unique<Mixer>();
    mixer->Open(rate);
    sound->loop = loop;
    const auto handle = mixer->Take(sound);
    if (!handle) std::abort();
    mixer->SetPaused(*handle, false);
    mixer->Release(*handle);
    std::vector<std::int16_t> out(kChunk * 2);
    std::uint64_t mixed = 0;
    const std::uint64_t limit = loop ? 2 * frames + kChunk : frames + kChunk;
    while (mixer->ActiveVoices() > 0 && mixed < limit) {
        mixer->Mix(out.data(), kChunk);
        mixed += kChunk;
    }
    // A sound that does not loop must have ended by then.
    if (!loop && mixer->ActiveVoices() != 0) std::abort();
}

// The music's path: the same bytes decoded as the mixer pulls them, where
// damage is found late and must end the track quietly.
void play_streamed(std::string_view bytes, int rate) {
    SoundRef sound = StreamSound(std::string(bytes), 0, "fuzz.ogg");
    if (!sound) return;
    auto mixer = std::make_unique<Mixer>();
    mixer->Open(rate);
    const auto handle = mixer->Take(sound);
    if (!handle) std::abort();
    mixer->SetPaused(*handle, false);
    mixer->Release(*handle);
    std::vector<std::int16_t> out(kChunk * 2);
    for (std::uint64_t mixed = 0; mixer->ActiveVoices() > 0 && mixed < kMostFrames;
         mixed += kChunk) {
        mixer->Mix(out.data(), kChunk);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int rate : {44100, 48000}) play_streamed(bytes, rate);
    SoundRef sound = DecodeSound(bytes, 0, "fuzz.ogg");
    if (!sound) return 0;
    if (sound->rate <= 0 || sound->rate > kHighestSoundRate ||
        (sound->channels != 1 && sound->channels != 2) ||
        sound->samples.size() % std::size_t(sound->channels) != 0) {
        std::abort();
    }
    if (sound->Frames() == 0) return 0;
    for (int rate : kOutputRates) {
        play(sound, rate, false);
        play(sound, rate, true);
    }
    return 0;
}
