// timing.cpp -- the runner's frame timing and its summary.
#include "tools/sim/timing.hpp"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

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

double FrameTiming::now_ms() const {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) * 1e-6;
}

void FrameTiming::start() {
    ms_.clear();
    counted_ = 0;
    depth_ = 0;
    begun_ = now_ms();
}

void FrameTiming::frame_presented() {
    ms_.push_back(counted_ + (now_ms() - begun_));
    counted_ = 0;
    begun_ = now_ms();
}

void FrameTiming::runner_begins() {
    if (depth_++ == 0) counted_ += now_ms() - begun_;
}

void FrameTiming::runner_ends() {
    if (--depth_ == 0) begun_ = now_ms();
}

void write_timing(std::ostream& out, const std::vector<double>& ms) {
    char line[256];
    for (std::size_t i = 0; i < ms.size(); ++i) {
        std::snprintf(line, sizeof line, "%zu %.4f\n", i + 1, ms[i]);
        out << line;
    }
    const TimingSummary s = summarize(ms);
    std::snprintf(line, sizeof line,
                  "summary count %d mean %.4f p50 %.4f p90 %.4f p99 %.4f p99.9 %.4f max %.4f "
                  "max_frame %d\n",
                  s.count, s.mean, s.p50, s.p90, s.p99, s.p999, s.max, s.max_frame);
    out << line;
}

}  // namespace sim
