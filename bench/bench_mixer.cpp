// bench_mixer.cpp -- what the mixer costs: one second of 44.1 kHz stereo
// output pulled in 512-frame blocks, as the audio thread does, with 8 and 64
// channels sounding.  core_fraction is the share of one core the mix takes
// in real time (CPU seconds per second of sound).
#include <benchmark/benchmark.h>
#include <unistd.h>

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
#include "tests/services/audio/ogg_pages.hpp"

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
    const auto path = std::filesystem::path(BODGER_SOURCE_DIR) / "data" / "thebodger.ogg";
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

// Resident memory now, in MiB.
double ResidentMib() {
    std::ifstream statm("/proc/self/statm");
    double total = 0, resident = 0;
    statm >> total >> resident;
    return resident * double(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// An hour of music, the game's own pages repeated, played through its loop:
// resident memory after the first minute, at the end of the hour and a minute
// round the loop again, which must all be about the same.
void LoopHourOfMusic(benchmark::State& state) {
    const auto path = std::filesystem::path(BODGER_SOURCE_DIR) / "data" / "thebodger.ogg";
    const std::string hour = ogg_pages::Repeated(ogg_pages::ReadFile(path.string()), 68);
    ResetAudio();
    StartAudioAt(kDeviceRate);
    std::vector<std::int16_t> block(2 * kBlockFrames);
    auto play = [&](std::int64_t frames) {
        for (std::int64_t done = 0; done < frames; done += kBlockFrames) {
            MixAudio(block.data(), kBlockFrames);
            benchmark::DoNotOptimize(block.data());
        }
    };
    const std::int64_t minute = std::int64_t(60) * kDeviceRate;
    for (auto _ : state) {
        ChannelRef channel = Cue(StreamSound(hour, SOUND_LOOP, "m"));
        SetPaused(channel, false);
        play(minute);
        state.counters["rss_1min_MiB"] = ResidentMib();
        play(59 * minute + 20 * kDeviceRate);  // past the hour's end, round again
        state.counters["rss_60min_MiB"] = ResidentMib();
        play(minute);
        state.counters["rss_61min_MiB"] = ResidentMib();
        state.counters["still_playing"] = Playing(channel) ? 1 : 0;
        Stop(channel);
    }
    state.counters["file_MiB"] = double(hour.size()) / (1 << 20);
    ResetAudio();
}

BENCHMARK(MixStreamedMusic)->Unit(benchmark::kMillisecond);
BENCHMARK(LoopHourOfMusic)->Unit(benchmark::kSecond)->Iterations(1);

BENCHMARK_MAIN();
