// bench_present.cpp -- the cost of Flip on the real back end, on both present
// paths: the renderer's (uploading the 640x480 back buffer to the streaming
// texture, enlarging it to the screen) and the CPU's (our scaler straight
// into the window's surface), presenting without waiting for the vertical
// blank.  Needs a display (e.g. Xvfb at the screen size to measure); the
// label names the path and the output size.  Beside them the CPU's scaler
// alone, at common screen sizes, without any display.  The game's own share against the driver's
// is told apart with a profiler: under `perf record --call-graph dwarf`, the
// samples below platform::Present whose leaf is this binary (or the C
// library called straight from it) are the game's; the rest (renderer, GL
// and its helper threads, kernel) are the driver's.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/platform/sdl/cpu_present.hpp"
#include "services/platform/sdl/sdl_window.hpp"
#include "services/platform/sdl/sharp_scaler.hpp"

namespace {

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Full screen as the game opens it, hertz 0: no vertical-blank probe and no
// pacing, so each Flip(0) is one upload, one composition and one present.
// Opened once for every run of a case on one path, as the game does.
bool Open(benchmark::State& state, sdl_backend::PresentPath path) {
    static std::string error;
    static bool open = false;
    static sdl_backend::PresentPath opened = sdl_backend::PresentPath::Automatic;
    if (!open || opened != path) {
        if (open) CloseGraphics();
        sdl_backend::SetPresentPath(path);
        open = OpenGraphics(640, 480, 32, 0, 2, &error);
        opened = path;
    }
    if (!open) state.SkipWithError(("no display: " + error).c_str());
    return open;
}

std::string Label() {
    std::string name = "cpu";
    if (!sdl_backend::PresentsOnCpu()) {
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(sdl_backend::Renderer(), &info);
        name = info.name ? info.name : "?";
    }
    int w = 0, h = 0;
    sdl_backend::OutputSize(&w, &h);
    return name + " " + std::to_string(w) + "x" + std::to_string(h);
}

// Argument 0: the renderer's path (also where it draws in software); 1: the
// CPU's path.
void BM_FlipUploadAndPresent(benchmark::State& state) {
    const auto path =
        state.range(0) == 0 ? sdl_backend::PresentPath::Renderer : sdl_backend::PresentPath::Cpu;
    if (!Open(state, path)) return;
    int shade = 0;
    const double start = ProcessCpuMs();
    for (auto _ : state) {
        SetClsColor(shade, 0, 0);  // a changing picture, so nothing is cached
        shade = (shade + 1) & 255;
        Cls();
        Flip(0);
    }
    // Every thread of the process: the renderer may draw on helper threads.
    state.counters["process_cpu_ms"] =
        benchmark::Counter((ProcessCpuMs() - start) / double(state.iterations()));
    state.SetLabel(Label());
}
BENCHMARK(BM_FlipUploadAndPresent)
    ->ArgName("cpu_path")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// The CPU path's scaler alone, one frame of game into a screen-sized buffer:
// 1366x768 and 1920x1080 (x2 and x3, shrunk smoothly), 2560x1440 (exactly
// x3), 640x480 (a plain copy); third argument 1: without vector instructions.
void BM_SharpScaler(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    std::vector<std::uint32_t> frame(640 * 480), out(std::size_t(w) * h);
    std::uint32_t seed = 1;
    for (auto& p : frame) {
        seed = seed * 1103515245u + 12345u;
        p = 0xFF000000u | (seed >> 8);
    }
    sdl_backend::SharpScaler scaler;
    scaler.UsePlainLoops(state.range(2) != 0);
    scaler.Configure(640, 480, w, h);
    for (auto _ : state) {
        scaler.Scale(frame.data(), out.data(), w);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_SharpScaler)
    ->ArgNames({"w", "h", "plain"})
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (const auto& [w, h] : {std::pair{1366, 768}, {1920, 1080}, {2560, 1440}, {640, 480}})
            b->Args({w, h, 0})->Args({w, h, 1});
    })
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
