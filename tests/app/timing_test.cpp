// timing_test.cpp -- the runner's frame timing: one line per frame presented
// with its three times, the summary's fields, and where the log goes when a
// run ends early.
#include "tools/sim/timing.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/app/sim_fixture.hpp"

namespace {

class TimingTest : public SimTest {
   protected:
    // The per-frame lines and the summary line of a timing log.
    struct Log {
        std::vector<int> frames;
        std::vector<double> ms, wall, all;
        std::vector<int> words;  // numbers on each frame's line
        std::string summary;
    };
    static Log read_log(const std::string& text) {
        Log log;
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("summary ", 0) == 0) {
                log.summary = line;
                continue;
            }
            std::istringstream words(line);
            int f = 0;
            double ms = -1, wall = -1, all = -1, extra = 0;
            words >> f >> ms >> wall >> all;
            log.words.push_back(words ? (words >> extra ? 5 : 4) : 0);
            log.frames.push_back(f);
            log.ms.push_back(ms);
            log.wall.push_back(wall);
            log.all.push_back(all);
        }
        return log;
    }
    static double field(const std::string& summary, const std::string& name) {
        std::size_t at = summary.find(" " + name + " ");
        if (at == std::string::npos) return -1;
        return std::stod(summary.substr(at + name.size() + 2));
    }
};

TEST_F(TimingTest, OneLinePerFrameAndASummary) {
    ASSERT_EQ(run("timing frames.txt\nstop 40\n"), 0) << message_;
    const Log log = read_log(read_file("frames.txt"));
    ASSERT_EQ(log.frames.size(), 40u);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(log.frames[i], i + 1);
        EXPECT_EQ(log.words[i], 4) << "F CPU WALL ALL";
        EXPECT_GE(log.ms[i], 0.0);
        EXPECT_GE(log.wall[i], 0.0);
        // All drawing threads together spend at least what the game's own does.
        EXPECT_GE(log.all[i], log.ms[i]);
    }
    ASSERT_FALSE(log.summary.empty());
    EXPECT_EQ(field(log.summary, "count"), 40);
    for (const std::string column : {"cpu", "wall", "all"}) {
        const std::string order[] = {"p50", "p90", "p99", "p99.9", "max"};
        for (int i = 1; i < 5; ++i) {
            EXPECT_LE(field(log.summary, column + "_" + order[i - 1]),
                      field(log.summary, column + "_" + order[i]))
                << column << " " << order[i];
        }
        EXPECT_GE(field(log.summary, column + "_mean"), 0.0) << column;
    }
    // Frame 1 carries the start-up: loading the sheet and every sound.
    EXPECT_EQ(field(log.summary, "cpu_max_frame"), 1);
}

TEST_F(TimingTest, WrittenWhenTheProgramEndsOnItsOwn) {
    ASSERT_EQ(run_to_exit(3, "timing t.txt\nat 3 dump d.json\n"), 0) << message_;
    const Log log = read_log(read_file("t.txt"));
    // Every frame presented is timed, the exit sequence's included.
    EXPECT_GE(log.frames.size(), 3u);
    EXPECT_EQ(field(log.summary, "count"), double(log.frames.size()));
}

TEST_F(TimingTest, AnUnwritableLogRunsNothingAndLeavesNothing) {
    EXPECT_EQ(run("sounds s.log\nrecord r.txt\ntiming no/dir/t.txt\nstop 5\n"), 2);
    EXPECT_NE(message_.find("script line 3"), std::string::npos) << message_;
    EXPECT_FALSE(exists("s.log"));
    EXPECT_FALSE(exists("r.txt"));
    EXPECT_EQ(run("timing\n"), 2);
}

TEST(TimingSummaryTest, NearestRankPercentiles) {
    std::vector<double> ms;
    for (int i = 1000; i >= 1; --i) ms.push_back(i);  // frame 1 is the slowest
    const sim::TimingSummary s = sim::summarize(ms);
    EXPECT_EQ(s.count, 1000);
    EXPECT_DOUBLE_EQ(s.mean, 500.5);
    EXPECT_EQ(s.p50, 500);
    EXPECT_EQ(s.p90, 900);
    EXPECT_EQ(s.p99, 990);
    EXPECT_EQ(s.p999, 999);
    EXPECT_EQ(s.max, 1000);
    EXPECT_EQ(s.max_frame, 1);

    const sim::TimingSummary one = sim::summarize({2.5});
    EXPECT_EQ(one.p50, 2.5);
    EXPECT_EQ(one.p999, 2.5);
    EXPECT_EQ(sim::summarize({}).count, 0);
}

}  // namespace
