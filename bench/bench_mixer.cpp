// bench_mixer.cpp -- what the mixer costs: one second of 44.1 kHz stereo
// output pulled in 512-frame blocks, as the audio thread does, with 8 and 64
// channels sounding.  core_fraction is the share of one core the mix takes
// in real time (CPU seconds per second of sound).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "services/audio/decode.hpp"
#include "services/audio/sound.hpp"

namespace {

constexpr int kDeviceRate = 44100;
constexpr int kBlockFrames = 512;

// A second of a looping tone, so every voice sounds for the whole benchmark.
SoundRef Tone(int rate, int channels, double pitch) {
    auto sound = std::make_shared<TSound>();
    sound->rate = rate;
    sound->channels = channels;
    sound->loop = true;
    for (int i = 0; i < rate; ++i) {
        auto sample = std::int16_t(8000.0 * std::sin(6.283185307179586 * pitch * i / rate));
        for (int c = 0; c < channels; ++c) sound->samples.push_back(sample);
    }
    return sound;
}

void MixOneSecond(benchmark::State& state) {
    ResetAudio();
    StartAudioAt(kDeviceRate);
    // Half the voices at the device rate, half resampled from 22050 Hz mono.
    const SoundRef direct = Tone(kDeviceRate, 2, 440.0);
    const SoundRef resampled = Tone(22050, 1, 330.0);
    std::vector<ChannelRef> channels;
    for (int i = 0; i < state.range(0); ++i) {
        ChannelRef channel = Cue(i % 2 ? resampled : direct);
        SetVolume(channel, 0.25f);
        SetPaused(channel, false);
        channels.push_back(channel);
    }
    std::vector<std::int16_t> block(2 * kBlockFrames);
    for (auto _ : state) {
        for (int done = 0; done < kDeviceRate; done += kBlockFrames) {
            MixAudio(block.data(), std::min(kBlockFrames, kDeviceRate - done));
            benchmark::DoNotOptimize(block.data());
            benchmark::ClobberMemory();
        }
    }
    state.counters["core_fraction"] = benchmark::Counter(
        double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    channels.clear();
    ResetAudio();
}
// The music as start_music plays it, decoded by the mixer as it goes: each
// iteration opens the track afresh and pulls it once through to its loop.
// core_fraction is per second of music, decoder start included.
void MixStreamedMusic(benchmark::State& state) {
    const auto path =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "thebodger.ogg";
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const SoundRef whole = DecodeSound(bytes, SOUND_LOOP, "m");
    if (!whole) {
        state.SkipWithError("no music");
        return;
    }
    const int frames = int(std::int64_t(whole->Frames()) * kDeviceRate / whole->rate);
    ResetAudio();
    StartAudioAt(kDeviceRate);
    std::vector<std::int16_t> block(2 * kBlockFrames);
    for (auto _ : state) {
        ChannelRef channel = Cue(StreamSound(bytes, SOUND_LOOP, "m"));
        SetPaused(channel, false);
        for (int done = 0; done < frames; done += kBlockFrames) {
            MixAudio(block.data(), std::min(kBlockFrames, frames - done));
            benchmark::DoNotOptimize(block.data());
            benchmark::ClobberMemory();
        }
        Stop(channel);
    }
    state.counters["core_fraction"] =
        benchmark::Counter(double(state.iterations()) * frames / kDeviceRate,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    ResetAudio();
}

BENCHMARK(MixOneSecond)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK(MixStreamedMusic)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
