// bench_present.cpp -- the cost of Flip on the real back end: uploading the
// 640x480 back buffer to the streaming texture and presenting it, without
// waiting for the vertical blank.  Needs a display (e.g. under Xvfb).
#include <benchmark/benchmark.h>

#include <string>

#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"

static void BM_FlipUploadAndPresent(benchmark::State& state) {
    // A window, hertz 0: no vertical-blank probe and no pacing, so each Flip(0)
    // is one upload and one present.  Opened once for every run of this case,
    // as the game does.
    static std::string error;
    static const bool open = OpenGraphics(640, 480, 0, 0, 2, &error);
    if (!open) {
        state.SkipWithError(("no display: " + error).c_str());
        return;
    }
    int shade = 0;
    for (auto _ : state) {
        SetClsColor(shade, 0, 0);  // a changing picture, so nothing is cached
        shade = (shade + 1) & 255;
        Cls();
        Flip(0);
    }
}
BENCHMARK(BM_FlipUploadAndPresent)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
