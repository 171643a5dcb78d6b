// runner_test.cpp -- the runner's script language, its statuses, the record
// of delivered events, the joystick press and the dump's shape.
#include "tools/sim/runner.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <streambuf>

#include "app/globals.hpp"
#include "app/main_loop.hpp"
#include "services/input/joystick.hpp"
#include "tests/app/sim_fixture.hpp"
#include "tools/sim/dump.hpp"
#include "tools/sim/script.hpp"

namespace {

class RunnerTest : public SimTest {};

struct BadLine {
    const char* name;
    const char* text;
};
// Names the case in test listings, instead of the bytes of the parameter.
void PrintTo(const BadLine& c, std::ostream* out) {
    *out << c.name;
}

class ScriptErrorTest : public SimTest, public ::testing::WithParamInterface<BadLine> {};

TEST_P(ScriptErrorTest, NamesTheLineAndRunsNothing) {
    const std::string script =
        "# a comment\n\nsounds snd.log\nat 1 key press 27\n" + std::string(GetParam().text) + "\n";
    EXPECT_EQ(run(script), 2);
    EXPECT_NE(message_.find("script line 5"), std::string::npos) << message_;
    EXPECT_FALSE(exists("snd.log"));
    EXPECT_FALSE(exists("data/hiscore.dat"));
}

INSTANTIATE_TEST_SUITE_P(Lines, ScriptErrorTest,
                         ::testing::Values(BadLine{"UnknownDirective", "jump 3"},
                                           BadLine{"NoFrame", "at key down 3"},
                                           BadLine{"NegativeFrame", "at -1 key down 27"},
                                           BadLine{"KeyCodeTooBig", "at 3 key down 256"},
                                           BadLine{"MouseButtonZero", "at 3 mouse click 0"},
                                           BadLine{"AxisOutOfRange", "at 3 joy axis x 1.5"},
                                           BadLine{"JoyButton16", "at 3 joy press 16"},
                                           BadLine{"TrailingWords", "at 3 close now"},
                                           BadLine{"ShotOfFrameZero", "at 0 shot a.png"},
                                           BadLine{"DumpWithoutPath", "at 3 dump"},
                                           BadLine{"BotOff", "bot off"},
                                           BadLine{"UnwritableRecord", "record no/dir/r.txt"},
                                           BadLine{"NumberWithJunk", "at 3x key down 27"},
                                           // The mark is only skipped at the very start.
                                           BadLine{"MarkOnALaterLine", "\xEF\xBB\xBFstop 3"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunnerTest, ParsesCommentsPathsAndPresses) {
    sim::Script script;
    std::string error;
    ASSERT_TRUE(
        sim::parse_script("clock 5000 # start late\n"
                          "  at 7 shot my frame.png  \n"
                          "at 2 joy axis y -1.0\r\n"
                          "stop 40\nstop 30\n",
                          script, &error))
        << error;
    EXPECT_EQ(script.clock, 5000u);
    EXPECT_EQ(script.stop, 30);
    ASSERT_EQ(script.events.size(), 2u);
    EXPECT_EQ(script.events[0].path, "my frame.png");
    EXPECT_EQ(script.events[0].line, 2);
    EXPECT_EQ(sim::event_text(script.events[1]), "joy axis y -1");
}

TEST_F(RunnerTest, AByteOrderMarkIsSkippedAndANulIsAnError) {
    ASSERT_EQ(run("\xEF\xBB\xBFstop 2\nat 2 dump d.json\n"), 0) << message_;
    EXPECT_EQ(dump_int(read_file("d.json"), "frame"), 2);

    // A NUL would cut the path short: the line is refused, even in a comment.
    for (const std::string& line :
         {std::string("at 2 dump d.json\0x", 18), std::string("# \0", 3)}) {
        EXPECT_EQ(run("stop 2\nsounds snd.log\n" + line + "\n"), 2);
        EXPECT_EQ(message_, "script line 3: NUL byte in the line");
        EXPECT_FALSE(exists("snd.log"));
    }
}

TEST_F(RunnerTest, MessagesCutLongInputShort) {
    const std::string huge(100000, 'x');
    EXPECT_EQ(run(huge + "\n"), 2);
    EXPECT_LT(message_.size(), 120u) << message_;
    EXPECT_NE(message_.find("script line 1: unknown directive 'xxx"), std::string::npos);
    EXPECT_EQ(run("at 1 " + huge + "\n"), 2);
    EXPECT_LT(message_.size(), 120u);
    EXPECT_EQ(run_script_file("no/such/" + huge, &message_), 2);
    EXPECT_LT(message_.size(), 120u);
    // Control bytes do not reach the terminal; a UTF-8 name is not cut inside a letter.
    EXPECT_EQ(sim::readable("a\x1b[2Jb"), "a?[2Jb");
    const std::string accents = sim::readable(std::string(59, 'a') + "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(accents, std::string(59, 'a') + "\xC3\xA9...");
    EXPECT_LT(sim::readable(std::string(1000, '\x95')).size(), 70u);
}

// Endless input with no line end: the reader gives up at the limit without
// holding the whole of it.
class EndlessText : public std::streambuf {
   public:
    EndlessText() { setg(chunk_, chunk_, chunk_ + sizeof chunk_); }

   private:
    int_type underflow() override {
        setg(chunk_, chunk_, chunk_ + sizeof chunk_);
        return traits_type::to_int_type(chunk_[0]);
    }
    char chunk_[4096] = {'x'};
};

TEST_F(RunnerTest, AScriptPastTheLimitIsRefusedWhole) {
    EndlessText endless;
    std::istream in(&endless);
    sim::Script script;
    std::string error;
    EXPECT_FALSE(sim::parse_script(in, script, &error));
    EXPECT_EQ(error, "the script is longer than 64 MiB");

    // A file of blank lines one byte past the limit: nothing runs.
    {
        std::ofstream big("big.txt", std::ios::binary);
        big << "sounds snd.log\n";
        std::filesystem::resize_file("big.txt", sim::kMaxScriptBytes + 1);
    }
    EXPECT_EQ(run_script_file("big.txt", &message_), 2);
    EXPECT_EQ(message_, "the script is longer than 64 MiB");
    EXPECT_FALSE(exists("snd.log"));
}

// Files stop growing past `bytes` while it lives, as on a full disk: a
// write past the limit fails instead of raising a signal.
class FileSizeLimit {
   public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        old_signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

   private:
    rlimit old_{};
    void (*old_signal_)(int) = SIG_DFL;
};

// What the run tells on stderr, through a pipe: a captured file would be
// held to the size limit too.
class StderrPipe {
   public:
    StderrPipe() {
        std::fflush(stderr);
        if (pipe(ends_) != 0) return;
        fcntl(ends_[0], F_SETFL, O_NONBLOCK);
        saved_ = dup(2);
        dup2(ends_[1], 2);
    }
    ~StderrPipe() { restore(); }
    std::string told() {
        restore();
        std::string text;
        char buf[4096];
        ssize_t got;
        while (ends_[0] >= 0 && (got = read(ends_[0], buf, sizeof buf)) > 0) text.append(buf, got);
        return text;
    }
    StderrPipe(const StderrPipe&) = delete;
    StderrPipe& operator=(const StderrPipe&) = delete;

   private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        close(ends_[1]);
        saved_ = -1;
    }
    int ends_[2] = {-1, -1};
    int saved_ = -1;
};

TEST_F(RunnerTest, FailedWritesAreToldAndEndWithStatusFour) {
    const std::string play = "at 0 key press 27\nat 3 mouse move 320 240\nat 4 mouse click 1\n";
    // Line 4 names the file that cannot be written whole: every file is cut
    // at 8 bytes, as on a full disk.
    for (const char* failing : {"sounds s.log\n", "record r.txt\n", "draws w.txt\n",
                                "at 5 dump d.json\n", "timing t.txt\n"}) {
        StderrPipe err;
        int status = 0;
        {
            FileSizeLimit full(8);
            status = run(play + failing + "stop 8\n");
        }
        const std::string told = err.told();
        // Status 4 comes only once the run has reached its end.
        EXPECT_EQ(status, 4) << failing;
        EXPECT_EQ(told.find("cannot write"), told.rfind("cannot write")) << "told once: " << told;
        EXPECT_NE(told.find("script line 4: cannot write"), std::string::npos) << told;
    }
    testing::internal::CaptureStderr();
    const int status = run(play + "at 5 shot no/such/folder/f.png\nat 6 dump d.json\nstop 8\n");
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 4);
    EXPECT_NE(told.find("script line 4: cannot write no/such/folder/f.png"), std::string::npos)
        << told;
    // The run went on to its end all the same.
    EXPECT_EQ(dump_int(read_file("d.json"), "frame"), 6);
}

// Kills the test instead of letting it hang when an output blocks the run.
class Watchdog {
   public:
    explicit Watchdog(unsigned seconds) { alarm(seconds); }
    ~Watchdog() { alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

// A FIFO (with or without a reader), a device or a folder named as any
// output refuses the script before the game starts, naming the line and
// the path; nothing waits, nothing is written.
TEST_F(RunnerTest, OutputsMustBeRegularFiles) {
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    ASSERT_EQ(mkfifo("read_fifo", 0600), 0);
    std::filesystem::create_directory("folder");
    Watchdog watchdog(60);
    // A reader waiting on the other end: opening to write would succeed at once.
    const int reader = open("read_fifo", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const char* directives[] = {"sounds ", "record ",    "timing ",
                                "draws ",  "at 5 shot ", "at 5 dump "};
    const char* targets[] = {"fifo", "read_fifo", "/dev/zero", "/dev/null", "folder"};
    for (const char* directive : directives) {
        for (const char* target : targets) {
            const std::string script = std::string("sounds snd.log\nat 1 dump first.json\n") +
                                       directive + target + "\nstop 10\n";
            EXPECT_EQ(run(script), 2) << directive << target;
            EXPECT_EQ(message_.rfind(std::string("script line 3: cannot write ") + target, 0), 0u)
                << message_;
            EXPECT_NE(message_.find("not a regular file"), std::string::npos) << message_;
            EXPECT_FALSE(exists("snd.log"));
            EXPECT_FALSE(exists("first.json"));
        }
    }
    close(reader);
    // A link to a regular file is written through, as any program would.
    write_file("target.log", "old\n");
    std::filesystem::create_symlink("target.log", "link.log");
    ASSERT_EQ(run("sounds link.log\nstop 1\n"), 0) << message_;
    EXPECT_EQ(read_file("target.log"), "0 thebodger\n");
}

TEST_F(RunnerTest, AWaitNoEventCanEndGivesStatusThree) {
    EXPECT_EQ(run("at 5 focus lost\n"), 3);
    EXPECT_NE(message_.find("after frame 5"), std::string::npos) << message_;
}

TEST_F(RunnerTest, AWaitTakesTheNextBatchWithoutMovingTheFrame) {
    // Inactive from frame 5 until the batch of frame 40 arrives: the splash
    // stands still, so it still ends after its 326th presented frame.
    ASSERT_EQ(run("at 5 focus lost\nat 40 focus gained\n"
                  "at 326 dump last.json\nat 327 dump title.json\nstop 327\n"),
              0)
        << message_;
    EXPECT_EQ(dump_int(read_file("last.json"), "game_state"), 0);
    EXPECT_EQ(dump_int(read_file("title.json"), "game_state"), STATE_TITLE);
}

TEST_F(RunnerTest, JoyPressReleasesFirstInTheNextBatch) {
    ASSERT_EQ(run("joystick on\nrecord rec.txt\n"
                  "at 4 joy press 3\nat 5 joy down 3\nat 4 key press 65\nstop 6\n"),
              0)
        << message_;
    EXPECT_TRUE(JoyIsDown(3, 0));
    EXPECT_EQ(read_file("rec.txt"),
              "at 4 joy down 3\nat 4 key press 65\nat 5 joy up 3\nat 5 joy down 3\n");
}

TEST_F(RunnerTest, ARecordReplaysToTheSameState) {
    const std::string moves =
        "joystick on\nat 0 key press 27\nat 3 mouse move 320 240\nat 4 mouse click 1\n"
        "at 30 key down 39\nat 31 key up 39\nat 50 joy axis x -1\nat 60 joy press 1\n";
    ASSERT_EQ(run(moves + "record rec.txt\nat 90 dump first.json\nstop 90\n"), 0) << message_;
    const std::string recorded = read_file("rec.txt");
    ASSERT_EQ(run("joystick on\n" + recorded + "at 90 dump second.json\nstop 90\n"), 0) << message_;
    EXPECT_EQ(read_file("first.json"), read_file("second.json"));
}

TEST_F(RunnerTest, SoundLogNamesFramesAndBaseNames) {
    // Item 1 of the title menu plays the brick sound while frame 5 is drawn,
    // that is with four frames presented.
    ASSERT_EQ(run("sounds snd.log\nat 0 key press 27\nat 3 mouse move 320 280\n"
                  "at 4 mouse click 1\nstop 6\n"),
              0)
        << message_;
    EXPECT_EQ(read_file("snd.log"), "0 thebodger\n4 brick\n");
}

TEST_F(RunnerTest, DumpHasEveryFieldAndFullSizedTables) {
    ASSERT_EQ(run("clock 2000\nat 0 key press 27\nat 3 dump d.json\nstop 3\n"), 0) << message_;
    const std::string d = read_file("d.json");
    for (const char* field : {"frame",
                              "clock",
                              "seed",
                              "game_state",
                              "play_phase",
                              "phase_timer",
                              "quit_game",
                              "player",
                              "score",
                              "best_sc",
                              "new_bs",
                              "lives",
                              "level",
                              "state",
                              "x",
                              "y",
                              "a_tmr",
                              "a_ctr",
                              "beer",
                              "glass",
                              "remote",
                              "rpieces",
                              "pit_count",
                              "brick_count",
                              "level_r",
                              "level_g",
                              "level_b",
                              "torches_left",
                              "level_alpha",
                              "flame_tick",
                              "cells",
                              "death",
                              "death_spin",
                              "death_scale",
                              "trap_phase",
                              "trap_x",
                              "trap_y",
                              "trap_x2",
                              "trap_dx",
                              "trap_frame",
                              "remote_msg_alpha",
                              "effects",
                              "flame",
                              "points",
                              "brick",
                              "dust",
                              "explode",
                              "stars",
                              "options",
                              "retro_fx",
                              "sound_level",
                              "sound_volume",
                              "music_level",
                              "music_volume",
                              "music_playing",
                              "mouse"}) {
        std::string key = "\"";
        key.append(field).append("\": ");
        EXPECT_NE(d.find(key), std::string::npos) << field;
    }
    EXPECT_EQ(dump_int(d, "frame"), 3);
    EXPECT_EQ(dump_int(d, "seed"), start_seed);
    EXPECT_EQ(dump_text(d, "sound_volume"), "1.0");
    const std::regex cell(R"(\[-?\d+(, -?\d+){8}\])");
    const std::regex star(R"(\[-?\d+, -?\d+\])");
    auto count = [&](const std::regex& re) {
        return std::distance(std::sregex_iterator(d.begin(), d.end(), re), std::sregex_iterator());
    };
    EXPECT_EQ(count(cell), 270);
    EXPECT_EQ(count(star), 100 + 1);  // the stars and the mouse
}

TEST(DumpFloat, ReadsBackAsTheSameFloat) {
    EXPECT_EQ(sim::json_float(1.0f), "1.0");
    EXPECT_EQ(sim::json_float(0.0f), "0.0");
    EXPECT_EQ(sim::json_float(-2.0f), "-2.0");
    for (float v : {0.1f, 1.0000001f, 0.99f, -123.456f, 3.0e-8f}) {
        EXPECT_EQ(std::stof(sim::json_float(v)), v) << sim::json_float(v);
    }
}

}  // namespace
