// bench_mixer.cpp -- what the mixer costs: one second of 44.1 kHz stereo
// output pulled in 512-frame blocks, as the audio thread does, with 8 and 64
// channels sounding.  core_fraction is the share of one core the mix takes
// in real time (CPU seconds per second of sound).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

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
BENCHMARK(MixOneSecond)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
