// splash_test.cpp -- the logo splash: its length, its skips, a close request
// during it, and what start-up has done by its first frame.
#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "app/main_loop.hpp"
#include "fx/stars.hpp"
#include "game/player.hpp"
#include "services/system/random.hpp"
#include "tests/app/sim_fixture.hpp"

namespace {

class SplashTest : public SimTest {};

TEST_F(SplashTest, RunsFor326FramesThenTheTitleMenu) {
    ASSERT_EQ(run("at 326 dump last.json\nat 327 dump title.json\nstop 327\n"), 0) << message_;
    const std::string last = read_file("last.json");
    const std::string title = read_file("title.json");
    EXPECT_EQ(dump_int(last, "game_state"), STATE_STARTUP);
    EXPECT_EQ(dump_int(title, "game_state"), STATE_TITLE);
    // The music started by the splash plays on into the title menu.
    EXPECT_EQ(dump_text(title, "music_playing"), "true");
}

struct Skip {
    const char* name;
    const char* event;
    bool ends;
};
// Names the case in test listings, instead of the bytes of the parameter.
void PrintTo(const Skip& c, std::ostream* out) {
    *out << c.name;
}

class SplashSkipTest : public SimTest, public ::testing::WithParamInterface<Skip> {};

TEST_P(SplashSkipTest, OnlyTheFourSkipInputsEndItAfterTheFirstFrame) {
    const Skip& skip = GetParam();
    ASSERT_EQ(run(std::string("joystick on\nat 0 ") + skip.event +
                  "\nat 1 dump one.json\nat 2 dump two.json\nstop 2\n"),
              0)
        << message_;
    EXPECT_EQ(dump_int(read_file("one.json"), "game_state"), STATE_STARTUP);
    EXPECT_EQ(dump_int(read_file("two.json"), "game_state"),
              skip.ends ? STATE_TITLE : STATE_STARTUP);
}

// A joystick button is held across frame 1: a press that begins and ends
// between two readings of the device is never seen.
INSTANTIATE_TEST_SUITE_P(Inputs, SplashSkipTest,
                         ::testing::Values(Skip{"Escape", "key press 27", true},
                                           Skip{"Space", "key press 32", true},
                                           Skip{"LeftClick", "mouse click 1", true},
                                           Skip{"JoyButton0", "joy down 0\nat 2 joy up 0", true},
                                           Skip{"OtherKey", "key press 65", false},
                                           Skip{"RightClick", "mouse click 2", false},
                                           Skip{"JoyButton1", "joy down 1\nat 2 joy up 1", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SplashTest, CloseEndsItAndOneTitleFrameRunsBeforeTheExit) {
    ASSERT_EQ(run("at 5 close\nat 6 dump six.json\nat 7 dump seven.json\n"), 0) << message_;
    const std::string six = read_file("six.json");
    // Start-up completed: a new game's values, the title state, the pointer centred.
    EXPECT_EQ(dump_int(six, "game_state"), STATE_TITLE);
    EXPECT_EQ(dump_int(six, "quit_game"), 1);
    EXPECT_EQ(dump_int(six, "level"), 1);
    EXPECT_EQ(dump_text(six, "mouse"), "[320");
    EXPECT_FALSE(exists("seven.json")) << "more than one title frame ran";
    EXPECT_EQ(read_file("data/hiscore.dat").size(), 4u) << "the exit sequence did not run";
}

TEST_F(SplashTest, StartUpSeedsAfterTheDisplayAndStartsTheMusicBeforeFrameOne) {
    ASSERT_EQ(run("sounds snd.log\nstop 1\n"), 0) << message_;
    // Opening the display probes the vertical blank, which moves the clock.
    EXPECT_GT(start_seed, 100000);
    EXPECT_EQ(read_file("snd.log"), "0 thebodger\n");

    // The stars are the first to draw from the stream: seeding again and
    // making them again, then moving them once, gives the same field.
    std::array<std::pair<int, int>, 100> seen;
    for (int i = 0; i < 100; ++i) seen[i] = {stars[i]->x, stars[i]->y};
    SeedRandom(start_seed);
    star_tag::create_em();
    star_tag::update_all();
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(stars[i]->x, seen[i].first) << "star " << i;
        EXPECT_EQ(stars[i]->y, seen[i].second) << "star " << i;
    }
}

TEST_F(SplashTest, MissingSoundsLeaveTheGameSilentButRunning) {
    remove_data_folder();
    ASSERT_EQ(run("sounds snd.log\nat 0 key press 27\nat 3 dump d.json\nstop 3\n"), 0) << message_;
    EXPECT_EQ(read_file("snd.log"), "");
    EXPECT_EQ(dump_int(read_file("d.json"), "game_state"), STATE_TITLE);
    EXPECT_EQ(dump_text(read_file("d.json"), "music_playing"), "false");
}

}  // namespace
