// bench_botgame.cpp -- whole bot games through the headless runner: the frame
// timing of the 30,000-frame game (clock 4242, a left click every 500 frames
// from 340, to get past the title and every game over) and the frames per
// second of the runner on the 100,000-frame game, bot and all.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
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

// The summary line's fields as counters, and the worst frame after start-up
// of each column (the game's CPU, the wall time, all drawing threads' CPU).
void report_timing(benchmark::State& state, const std::string& path) {
    std::ifstream in(path);
    std::string line, summary;
    double worst[3] = {0, 0, 0};
    while (std::getline(in, line)) {
        if (line.rfind("summary ", 0) == 0) {
            summary = line;
            continue;
        }
        int frame = 0;
        double ms[3] = {0, 0, 0};
        std::istringstream(line) >> frame >> ms[0] >> ms[1] >> ms[2];
        for (int i = 0; i < 3 && frame > 1; ++i) worst[i] = std::max(worst[i], ms[i]);
    }
    std::istringstream words(summary.substr(summary.find(' ') + 1));
    std::string name;
    double value = 0;
    while (words >> name >> value) {
        if (name == "count")
            state.counters["frames"] = value;
        else if (name.find("max_frame") == std::string::npos)
            state.counters[name + "_ms"] = value;
    }
    state.counters["cpu_max_after_frame1_ms"] = worst[0];
    state.counters["wall_max_after_frame1_ms"] = worst[1];
    state.counters["all_max_after_frame1_ms"] = worst[2];
}

double wall_seconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_BotGame30kFrameTiming(benchmark::State& state) {
    BenchWorkDir dir;
    for (auto _ : state) {
        if (run_script(bot_game(30000, true, "timing.txt")) != 0) state.SkipWithError("run failed");
    }
    report_timing(state, "timing.txt");
}

// Frames per second of the 100,000-frame game: without shots (the runner
// draws no frame nobody looks at), or with every frame drawn (the timing log
// asks for every frame).
void BotGame100k(benchmark::State& state, bool every_frame_drawn) {
    BenchWorkDir dir;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        const double begin = process_cpu_seconds(), begin_wall = wall_seconds();
        if (run_script(bot_game(100000, false, every_frame_drawn ? "timing.txt" : "")) != 0)
            state.SkipWithError("run failed");
        cpu += process_cpu_seconds() - begin;
        wall += wall_seconds() - begin_wall;
    }
    state.counters["frames_per_cpu_s"] = 100000.0 * double(state.iterations()) / cpu;
    state.counters["frames_per_wall_s"] = 100000.0 * double(state.iterations()) / wall;
}

void BM_BotGame100kFramesPerSecond(benchmark::State& state) {
    BotGame100k(state, false);
}

void BM_BotGame100kEveryFrameDrawn(benchmark::State& state) {
    BotGame100k(state, true);
}

}  // namespace

// One game each: they take tens of seconds.
BENCHMARK(BM_BotGame30kFrameTiming)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_BotGame100kFramesPerSecond)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_BotGame100kEveryFrameDrawn)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
