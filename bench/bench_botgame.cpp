// bench_botgame.cpp -- whole bot games through the headless runner: the frame
// timing of the 30,000-frame game (clock 4242, a left click every 500 frames
// from 340, to get past the title and every game over) and the frames per
// second of the runner on the 100,000-frame game, bot and all.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/work_dir.hpp"
#include "tools/sim/runner.hpp"

namespace fs = std::filesystem;

namespace {

std::string bot_game(int frames, bool clicks, const std::string& timing) {
    std::string script = "clock 4242\nbot on\nstop " + std::to_string(frames) + "\n";
    if (!timing.empty()) script += "timing " + timing + "\n";
    for (int f = 340; clicks && f <= frames; f += 500)
        script += "at " + std::to_string(f) + " mouse click 1\n";
    return script;
}

double process_cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The summary line's fields as counters, and the worst frame after start-up.
void report_timing(benchmark::State& state, const std::string& path) {
    std::ifstream in(path);
    std::string line, summary;
    double worst_after_start = 0;
    while (std::getline(in, line)) {
        if (line.rfind("summary ", 0) == 0) {
            summary = line;
            continue;
        }
        int frame = 0;
        double ms = 0;
        std::istringstream(line) >> frame >> ms;
        if (frame > 1 && ms > worst_after_start) worst_after_start = ms;
    }
    std::istringstream words(summary.substr(summary.find(' ') + 1));
    std::string name;
    double value = 0;
    while (words >> name >> value) {
        if (name != "max_frame") state.counters[name + "_ms"] = value;
    }
    if (state.counters.count("count_ms")) {
        state.counters["frames"] = state.counters["count_ms"];
        state.counters.erase("count_ms");
    }
    state.counters["max_after_frame1_ms"] = worst_after_start;
}

void BM_BotGame30kFrameTiming(benchmark::State& state) {
    BenchWorkDir dir;
    for (auto _ : state) {
        if (run_script(bot_game(30000, true, "timing.txt")) != 0) state.SkipWithError("run failed");
    }
    report_timing(state, "timing.txt");
}

void BM_BotGame100kFramesPerSecond(benchmark::State& state) {
    BenchWorkDir dir;
    double cpu = 0;
    for (auto _ : state) {
        const double begin = process_cpu_seconds();
        if (run_script(bot_game(100000, false, "")) != 0) state.SkipWithError("run failed");
        cpu += process_cpu_seconds() - begin;
    }
    state.counters["frames_per_cpu_s"] = 100000.0 * double(state.iterations()) / cpu;
}

}  // namespace

// One game each: they take tens of seconds.
BENCHMARK(BM_BotGame30kFrameTiming)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_BotGame100kFramesPerSecond)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
