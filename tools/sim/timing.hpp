// timing.hpp -- the runner's frame timing: the CPU time of each frame's work,
// from one Flip to the next, with the runner's own work left out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sim {

struct TimingSummary {
    int count = 0;                                                  // frames timed
    double mean = 0, p50 = 0, p90 = 0, p99 = 0, p999 = 0, max = 0;  // ms
    int max_frame = 0;  // the frame of the maximum (1: start-up included)
};

// Nearest-rank percentiles of per-frame times in ms; frame i + 1 took ms[i].
TimingSummary summarize(const std::vector<double>& ms);

class FrameTiming {
   public:
    void start();            // the program starts: frame 1's work begins
    void frame_presented();  // a Flip returned: the frame's work ends
    void runner_begins();    // the runner's own work (hooks, waits) starts...
    void runner_ends();      // ...and ends: not counted in any frame
    const std::vector<double>& frames() const { return ms_; }

   private:
    double now_ms() const;  // this thread's CPU time
    double begun_ = 0;      // CPU time when the current frame's work (re)started
    double counted_ = 0;    // the current frame's work so far, ms
    int depth_ = 0;         // nesting of runner work
    std::vector<double> ms_;
};

// One line "F MS" per frame, then "summary count N mean .. p50 .. p90 .. p99 ..
// p99.9 .. max .. max_frame F".
void write_timing(std::ostream& out, const std::vector<double>& ms);

// The runner's own work for as long as it lives (a null timing: nothing).
class RunnerWork {
   public:
    explicit RunnerWork(FrameTiming* timing) : timing_(timing) {
        if (timing_) timing_->runner_begins();
    }
    ~RunnerWork() {
        if (timing_) timing_->runner_ends();
    }
    RunnerWork(const RunnerWork&) = delete;
    RunnerWork& operator=(const RunnerWork&) = delete;

   private:
    FrameTiming* timing_;
};

}  // namespace sim
