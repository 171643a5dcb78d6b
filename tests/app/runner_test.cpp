// runner_test.cpp -- the runner's script language, its statuses, the record
// of delivered events, the joystick press and the dump's shape.
#include "tools/sim/runner.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <streambuf>

#include "app/globals.hpp"
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

TEST_F(RunnerTest, FailedWritesAreToldAndEndWithStatusFour) {
    if (!exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    const std::string play = "at 0 key press 27\nat 3 mouse move 320 240\nat 4 mouse click 1\n";
    for (const char* failing : {"sounds /dev/full\n", "record /dev/full\n", "draws /dev/full\n",
                                "at 5 dump /dev/full\n", "at 5 shot no/such/folder/f.png\n"}) {
        testing::internal::CaptureStderr();
        const int status = run(play + failing + std::string("at 6 dump d.json\nstop 8\n"));
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 4) << failing;
        EXPECT_NE(told.find("cannot write"), std::string::npos) << failing;
        // The run went on to its end all the same.
        EXPECT_EQ(dump_int(read_file("d.json"), "frame"), 6) << failing;
        std::filesystem::remove("d.json");
    }
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
