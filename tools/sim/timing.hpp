// timing.hpp -- the runner's frame timing: for each frame, from one Flip to
// the next with the runner's own work left out, the CPU time of the game's
// thread, the wall time (drawing included: the latency a player gets) and
// the CPU time of every drawing thread together.
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

// One frame's times, ms.
struct FrameTimes {
    double cpu = 0;   // the game's thread
    double wall = 0;  // from the end of the last Flip to the end of this one
    double all = 0;   // the game's thread and the drawing threads together
};

class FrameTiming {
   public:
    void start();            // the program starts: frame 1's work begins
    void frame_presented();  // a Flip returned: the frame's work ends
    void runner_begins();    // the runner's own work (hooks, waits) starts...
    void runner_ends();      // ...and ends: not counted in any frame
    const std::vector<FrameTimes>& frames() const { return frames_; }

   private:
    struct Clocks {
        double cpu = 0, wall = 0, workers = 0;
    };
    static Clocks now();
    Clocks begun_;    // when the current frame's work (re)started
    Clocks counted_;  // the current frame's work so far
    int depth_ = 0;   // nesting of runner work
    std::vector<FrameTimes> frames_;
};

// One line "F CPU WALL ALL" per frame, then one line "summary count N" with,
// for cpu, wall and all in turn, "NAME_mean .. NAME_p50 .. NAME_p90 ..
// NAME_p99 .. NAME_p99.9 .. NAME_max .. NAME_max_frame F".
void write_timing(std::ostream& out, const std::vector<FrameTimes>& frames);

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
