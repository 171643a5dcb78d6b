// timing.cpp -- the runner's frame timing (three clocks) and its summary.
#include "tools/sim/timing.hpp"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "services/graphics/band_pool.hpp"

namespace sim {

TimingSummary summarize(const std::vector<double>& ms) {
    TimingSummary s;
    s.count = int(ms.size());
    if (ms.empty()) return s;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double v : ms) sum += v;
    s.mean = sum / double(ms.size());
    // Nearest rank: the smallest time that at least p of the frames do not exceed.
    auto rank = [&](double p) {
        std::size_t k = std::size_t(std::ceil(p * double(sorted.size())));
        return sorted[std::clamp<std::size_t>(k, 1, sorted.size()) - 1];
    };
    s.p50 = rank(0.50);
    s.p90 = rank(0.90);
    s.p99 = rank(0.99);
    s.p999 = rank(0.999);
    auto worst = std::max_element(ms.begin(), ms.end());
    s.max = *worst;
    s.max_frame = int(worst - ms.begin()) + 1;
    return s;
}

FrameTiming::Clocks FrameTiming::now() {
    timespec cpu{}, wall{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    clock_gettime(CLOCK_MONOTONIC, &wall);
    Clocks c;
    c.cpu = double(cpu.tv_sec) * 1e3 + double(cpu.tv_nsec) * 1e-6;
    c.wall = double(wall.tv_sec) * 1e3 + double(wall.tv_nsec) * 1e-6;
    c.workers = band_pool::WorkerCpuMs();
    return c;
}

void FrameTiming::start() {
    frames_.clear();
    counted_ = {};
    depth_ = 0;
    begun_ = now();
}

void FrameTiming::frame_presented() {
    const Clocks t = now();
    FrameTimes f;
    f.cpu = counted_.cpu + (t.cpu - begun_.cpu);
    f.wall = counted_.wall + (t.wall - begun_.wall);
    f.all = f.cpu + counted_.workers + (t.workers - begun_.workers);
    frames_.push_back(f);
    counted_ = {};
    begun_ = t;
}

void FrameTiming::runner_begins() {
    if (depth_++ != 0) return;
    const Clocks t = now();
    counted_.cpu += t.cpu - begun_.cpu;
    counted_.wall += t.wall - begun_.wall;
    counted_.workers += t.workers - begun_.workers;
}

void FrameTiming::runner_ends() {
    if (--depth_ == 0) begun_ = now();
}

void write_timing(std::ostream& out, const std::vector<FrameTimes>& frames) {
    char line[256];
    std::vector<double> cpu, wall, all;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const FrameTimes& f = frames[i];
        std::snprintf(line, sizeof line, "%zu %.4f %.4f %.4f\n", i + 1, f.cpu, f.wall, f.all);
        out << line;
        cpu.push_back(f.cpu);
        wall.push_back(f.wall);
        all.push_back(f.all);
    }
    std::snprintf(line, sizeof line, "summary count %zu", frames.size());
    out << line;
    const std::pair<const char*, const std::vector<double>*> columns[] = {
        {"cpu", &cpu}, {"wall", &wall}, {"all", &all}};
    for (const auto& [name, ms] : columns) {
        const TimingSummary s = summarize(*ms);
        std::snprintf(line, sizeof line,
                      " %s_mean %.4f %s_p50 %.4f %s_p90 %.4f %s_p99 %.4f %s_p99.9 %.4f %s_max %.4f "
                      "%s_max_frame %d",
                      name, s.mean, name, s.p50, name, s.p90, name, s.p99, name, s.p999, name,
                      s.max, name, s.max_frame);
        out << line;
    }
    out << '\n';
}

}  // namespace sim
