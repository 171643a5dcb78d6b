// fuzz_sound.cpp -- any bytes given to the sound reader (Ogg Vorbis or WAV);
// whatever decodes is played to its end through the mixer at several output
// rates, once straight and once looped across its join, and streamed as the
// music is, round its loop, where it must sound as the whole decode does.
// The mutator keeps Ogg pages' checksums right, rewrites their granule
// positions and appends junk, so mutations reach the decoder and not only
// the checksum test.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "services/audio/decode.hpp"
#include "services/audio/mixer.hpp"

namespace {

constexpr int kOutputRates[] = {8000, 22050, 44100, 48000, 96000};
constexpr int kChunk = 1024;                    // frames per pull, as a device would ask
constexpr std::uint64_t kMostFrames = 1 << 20;  // output frames worth mixing per rate

// Output frames of a sound at `rate`, plus the two its last frame may spread to.
std::uint64_t FramesAt(std::uint64_t frames, int source_rate, int rate) {
    return frames * std::uint64_t(rate) / std::uint64_t(source_rate) + 2;
}

// Mixes the sound alone on a fresh mixer at `rate` until it ends or `most`
// frames have been pulled; returns what was heard.
std::vector<std::int16_t> Hear(const SoundRef& sound, int rate, std::uint64_t most) {
    auto mixer = std::make_unique<Mixer>();
    mixer->Open(rate);
    const auto handle = mixer->Take(sound);
    if (!handle) std::abort();
    mixer->SetPaused(*handle, false);
    mixer->Release(*handle);
    std::vector<std::int16_t> heard;
    heard.reserve(std::size_t(most + kChunk) * 2);
    std::vector<std::int16_t> out(kChunk * 2);
    for (std::uint64_t mixed = 0; mixer->ActiveVoices() > 0 && mixed < most; mixed += kChunk) {
        mixer->Mix(out.data(), kChunk);
        heard.insert(heard.end(), out.begin(), out.end());
    }
    return heard;
}

// Plays the sound until it ends (or, looped, for twice its length), so every
// end-of-sound and loop-join path is walked.
void Play(const SoundRef& sound, int rate, bool loop) {
    const std::uint64_t frames = FramesAt(std::uint64_t(sound->Frames()), sound->rate, rate);
    if (frames > kMostFrames) return;
    sound->loop = loop;
    auto mixer = std::make_unique<Mixer>();
    mixer->Open(rate);
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

// The music's path: the same bytes decoded as the mixer pulls them, round the
// loop, where damage is found late and must end the track quietly.  A file
// that decodes whole must sound exactly as its whole decode, joins included
// (checked at one rate: the mix itself is the whole sound's).
void PlayStreamed(std::string_view bytes, const SoundRef& whole, int rate) {
    SoundRef sound = StreamSound(std::string(bytes), SOUND_LOOP, "fuzz.ogg");
    if (!sound) return;
    std::uint64_t most = kMostFrames;
    if (whole) {
        most = std::min(most, 2 * FramesAt(std::uint64_t(whole->Frames()), whole->rate, rate));
    }
    const std::vector<std::int16_t> heard = Hear(sound, rate, most);
    if (!whole || rate != 44100) return;
    whole->loop = true;
    if (Hear(whole, rate, most) != heard) std::abort();
}

// Ogg's page checksum: CRC-32, polynomial 0x04C11DB7, unreflected, from 0.
std::uint32_t PageCrc(const std::uint8_t* page, std::size_t length) {
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t byte = (i >= 22 && i < 26) ? 0 : page[i];
        crc ^= std::uint32_t(byte) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

// Calls f(offset, length) for each whole page at the start of the data.
template <typename F>
void ForEachPage(std::uint8_t* data, std::size_t size, F f) {
    std::size_t pos = 0;
    while (size - pos >= 27 && std::memcmp(data + pos, "OggS", 4) == 0) {
        const std::size_t segments = data[pos + 26];
        if (size - pos - 27 < segments) return;
        std::size_t length = 27 + segments;
        for (std::size_t i = 0; i < segments; ++i) length += data[pos + 27 + i];
        if (size - pos < length) return;
        f(pos, length);
        pos += length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SoundRef sound = DecodeSound(bytes, 0, "fuzz.ogg");
    if (sound && (sound->rate <= 0 || sound->rate > kHighestSoundRate ||
                  (sound->channels != 1 && sound->channels != 2) ||
                  sound->samples.size() % std::size_t(sound->channels) != 0)) {
        std::abort();
    }
    for (int rate : {44100, 48000}) PlayStreamed(bytes, sound, rate);
    if (!sound || sound->Frames() == 0) return 0;
    for (int rate : kOutputRates) {
        Play(sound, rate, false);
        Play(sound, rate, true);
    }
    return 0;
}

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t max_size);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t max_size, unsigned int seed) {
    std::minstd_rand next(seed);
    switch (next() % 8) {
        case 0: {  // junk after the last page: zeros, a byte repeated, or noise
            if (size >= max_size) break;
            const std::size_t extra = 1 + next() % (max_size - size);
            const int kind = int(next() % 3);
            const std::uint8_t fill = std::uint8_t(next());
            for (std::size_t i = 0; i < extra; ++i) {
                data[size + i] = kind == 0 ? 0 : kind == 1 ? fill : std::uint8_t(next());
            }
            return size + extra;
        }
        case 1: {  // one page claims another granule position: huge, negative, or near
            std::vector<std::size_t> pages;
            ForEachPage(data, size, [&](std::size_t at, std::size_t) { pages.push_back(at); });
            if (pages.empty()) break;
            const std::size_t at = pages[next() % pages.size()];
            std::uint64_t granule = 0;
            for (int i = 7; i >= 0; --i) granule = granule << 8 | data[at + 6 + std::size_t(i)];
            const std::uint64_t choices[] = {std::uint64_t(1) << 62,  std::uint64_t(-1),
                                             kMaxSoundSamples / 2,    granule + next() % 8192,
                                             granule - next() % 8192, 0};
            granule = choices[next() % 6];
            for (int i = 0; i < 8; ++i)
                data[at + 6 + std::size_t(i)] = std::uint8_t(granule >> (8 * i));
            break;
        }
        default:
            size = LLVMFuzzerMutate(data, size, max_size);
            break;
    }
    // Most mutations are only worth trying with the checksums right.
    if (next() % 4 != 0) {
        ForEachPage(data, size, [&](std::size_t at, std::size_t length) {
            const std::uint32_t crc = PageCrc(data + at, length);
            for (int i = 0; i < 4; ++i)
                data[at + 22 + std::size_t(i)] = std::uint8_t(crc >> (8 * i));
        });
    }
    return size;
}
