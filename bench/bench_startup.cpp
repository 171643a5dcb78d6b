// bench_startup.cpp -- start-up to the first presented frame, headless: the
// embedded art cut into images, the font, the fourteen effects decoded and the
// music started, the best score read, the stars and the grid made, one splash frame.
// Also reports the peak resident memory of the process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/work_dir.hpp"
#include "services/audio/decode.hpp"
#include "services/audio/sound.hpp"
#include "services/system/files.hpp"
#include "tools/sim/runner.hpp"

namespace fs = std::filesystem;

namespace {

double peak_rss_mib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

void run_to_first_frame(benchmark::State& state, bool with_sounds) {
    BenchWorkDir dir(with_sounds);
    for (auto _ : state) {
        if (run_script("stop 1\n") != 0) state.SkipWithError("the run failed");
    }
    state.counters["peak_rss_MiB"] = peak_rss_mib();
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    run_to_first_frame(state, true);
}
void BM_StartupWithoutSounds(benchmark::State& state) {
    run_to_first_frame(state, false);
}

// What start_music costs the game's thread: the music read and opened to be
// decoded as it plays, then cued, set and resumed on an open device.
void BM_StartMusic(benchmark::State& state) {
    BenchWorkDir dir(true);
    StartAudioAt(44100);
    for (auto _ : state) {
        SoundRef music = TSound::Stream("data\\thebodger.ogg", SOUND_LOOP);
        if (!music) state.SkipWithError("no music");
        ChannelRef channel = Cue(music);
        SetVolume(channel, 1.0f);
        SetPaused(channel, false);
        state.PauseTiming();
        Stop(channel);  // the next start would be heard over this one otherwise
        state.ResumeTiming();
    }
    ResetAudio();
}

// The first frame of sound after start_music, as the headless back end pulls
// it at the next Flip: the decoder's tables are built here.
void BM_FirstPullOfMusic(benchmark::State& state) {
    BenchWorkDir dir(true);
    StartAudioAt(44100);
    std::int16_t frame[2 * 735];
    for (auto _ : state) {
        state.PauseTiming();
        ChannelRef channel = Cue(TSound::Stream("data\\thebodger.ogg", SOUND_LOOP));
        SetPaused(channel, false);
        state.ResumeTiming();
        MixAudio(frame, 735);
        benchmark::DoNotOptimize(frame);
        state.PauseTiming();
        Stop(channel);
        state.ResumeTiming();
    }
    ResetAudio();
}

// The same track decoded whole, as every start once did.
void BM_LoadMusicWhole(benchmark::State& state) {
    BenchWorkDir dir(true);
    for (auto _ : state) {
        SoundRef music = TSound::Load("data\\thebodger.ogg", SOUND_LOOP);
        if (!music) state.SkipWithError("no music");
    }
}

// Every sound in the work directory made a real file padded with zeros to the
// largest a sound may be (the padding is a hole: it costs no disk, only reading).
void PadSounds() {
    for (const auto& entry : fs::directory_iterator("data")) {
        if (entry.path().extension() != ".ogg") continue;
        const fs::path target = fs::read_symlink(entry.path());
        fs::remove(entry.path());
        fs::copy_file(target, entry.path());
        fs::resize_file(entry.path(), kLargestSoundFile);
    }
}

// The least start-up can cost with fifteen such sounds: reading them.
void BM_ReadPaddedSounds(benchmark::State& state) {
    BenchWorkDir dir(true);
    PadSounds();
    for (auto _ : state) {
        for (const auto& entry : fs::directory_iterator("data")) {
            std::string bytes;
            if (!ReadWholeFile(entry.path().string(), bytes, kLargestSoundFile)) {
                state.SkipWithError("unread");
            }
        }
    }
    state.counters["peak_rss_MiB"] = peak_rss_mib();
}

// Start-up with the fifteen sounds padded so: the junk is read, never decoded.
void BM_StartupWithPaddedSounds(benchmark::State& state) {
    BenchWorkDir dir(true);
    PadSounds();
    for (auto _ : state) {
        if (run_script("stop 1\n") != 0) state.SkipWithError("the run failed");
    }
    state.counters["peak_rss_MiB"] = peak_rss_mib();
}

}  // namespace

BENCHMARK(BM_ReadPaddedSounds)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StartupWithPaddedSounds)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StartMusic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPullOfMusic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadMusicWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWithoutSounds)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
