// bench_present.cpp -- the cost of Flip on the real back end: uploading the
// 640x480 back buffer to the streaming texture, enlarging it to the screen
// and presenting it, without waiting for the vertical blank.  Needs a
// display (e.g. Xvfb at the screen size to measure); the label names the
// renderer and the output size.  The game's own share against the driver's
// is told apart with a profiler: under `perf record --call-graph dwarf`, the
// samples below platform::Present whose leaf is this binary (or the C
// library called straight from it) are the game's; the rest (renderer, GL
// and its helper threads, kernel) are the driver's.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <string>

#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/platform/sdl/sdl_window.hpp"

namespace {

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Full screen as the game opens it, hertz 0: no vertical-blank probe and no
// pacing, so each Flip(0) is one upload, one composition and one present.
// Opened once for every run of a case, as the game does.
bool Open(benchmark::State& state) {
    static std::string error;
    static const bool open = OpenGraphics(640, 480, 32, 0, 2, &error);
    if (!open) state.SkipWithError(("no display: " + error).c_str());
    return open;
}

std::string Label() {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(sdl_backend::Renderer(), &info);
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(sdl_backend::Renderer(), &w, &h);
    return std::string(info.name ? info.name : "?") + " " + std::to_string(w) + "x" +
           std::to_string(h);
}

void BM_FlipUploadAndPresent(benchmark::State& state) {
    if (!Open(state)) return;
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
BENCHMARK(BM_FlipUploadAndPresent)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
