// main_loop_test.cpp -- the global keys, the exit sequence's wait, the
// suspend wait and the scan lines, on the fully started program.
#include "app/main_loop.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/globals.hpp"
#include "services/audio/sound.hpp"
#include "services/graphics/image.hpp"
#include "services/platform/headless/headless.hpp"
#include "tests/app/sim_fixture.hpp"

namespace {

class MainLoopTest : public SimTest {};

TEST_F(MainLoopTest, EscapeInTheTitleMenuEndsTheProgramAfterThatFrame) {
    ASSERT_EQ(run_to_exit(5, "at 5 dump five.json\nat 6 dump six.json\n"), 0) << message_;
    EXPECT_EQ(dump_int(read_file("five.json"), "game_state"), STATE_TITLE);
    EXPECT_FALSE(exists("six.json"));
}

TEST_F(MainLoopTest, TheExitWaitsHalfASecondOnlyWhileTheMusicPlays) {
    ASSERT_EQ(run_to_exit(3, "at 3 dump last.json\n"), 0) << message_;
    const std::string playing = read_file("last.json");
    ASSERT_EQ(dump_text(playing, "music_playing"), "true");
    EXPECT_EQ(headless::Clock(), std::uint32_t(dump_int(playing, "clock")) + 500);
    EXPECT_FALSE(Playing(music_channel));

    link_sounds_except("thebodger");
    ASSERT_EQ(run_to_exit(3, "at 3 dump last.json\n"), 0) << message_;
    const std::string silent = read_file("last.json");
    ASSERT_EQ(dump_text(silent, "music_playing"), "false");
    EXPECT_EQ(headless::Clock(), std::uint32_t(dump_int(silent, "clock")));
}

TEST_F(MainLoopTest, SuspendHoldsTheMusicAndResumesItAfterwards) {
    // A started program, stopped in the title menu with the music playing.
    ASSERT_EQ(run("at 0 key press 27\nstop 3\n"), 0) << message_;
    ASSERT_TRUE(Playing(music_channel));

    std::vector<bool> playing_during_wait;
    headless::SetWaitHandler([&] {
        playing_during_wait.push_back(Playing(music_channel));
        headless::PushEvent({platform::EventType::FocusGained});
        return true;
    });
    headless::PushEvent({platform::EventType::FocusLost});
    check_suspend();
    headless::SetWaitHandler(nullptr);

    EXPECT_EQ(playing_during_wait, std::vector<bool>{false});
    EXPECT_TRUE(Playing(music_channel));
}

TEST_F(MainLoopTest, ScanLinesCoverEveryOddRowOfTheShot) {
    // Item 1 of the title menu toggles the scan lines; the pointer stays on it.
    ASSERT_EQ(run("at 0 key press 27\n"
                  "at 3 mouse move 320 280\n"
                  "at 4 mouse click 1\n"
                  "at 6 shot lines.png\n"
                  "stop 6\n"),
              0)
        << message_;
    ASSERT_EQ(retro_fx, 1);
    ImageRef shot = LoadImageFile("lines.png", 0);
    ASSERT_TRUE(shot);
    ASSERT_EQ(shot->width, 640);
    ASSERT_EQ(shot->height, 480);
    const std::vector<std::uint32_t>& px = shot->pixmaps[0];
    int odd_off = 0, even_lit = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const std::uint32_t rgb = px[y * 640 + x] & 0xFFFFFFu;
            if (y % 2 == 1) {
                odd_off += rgb != 0x020202u;
            } else {
                even_lit += rgb != 0u && rgb != 0x020202u;
            }
        }
    }
    EXPECT_EQ(odd_off, 0);
    EXPECT_GT(even_lit, 1000) << "the title screen should show between the lines";
}

TEST_F(MainLoopTest, SpaceAndEscapeInTheSameFramePauseOnce) {
    // Start a game from the title menu, then Escape and Space together.
    ASSERT_EQ(run("at 0 key press 27\n"
                  "at 3 mouse move 320 240\n"
                  "at 4 mouse click 1\n"
                  "at 10 key press 27\n"
                  "at 10 key press 32\n"
                  "at 12 dump paused.json\n"
                  "stop 12\n"),
              0)
        << message_;
    const std::string paused = read_file("paused.json");
    EXPECT_EQ(dump_int(paused, "game_state"), STATE_PAUSE);
    EXPECT_EQ(dump_text(paused, "mouse"), "[320");
}

TEST_F(MainLoopTest, EscapeFromThePauseDuringTheStoryKeepsTheMusicPlaying) {
    // The music still plays in the story introduction: back in the title
    // menu it goes on, and no second music channel is started.
    ASSERT_EQ(run("sounds snd.log\n"
                  "at 0 key press 27\n"
                  "at 3 mouse move 320 240\n"
                  "at 4 mouse click 1\n"
                  "at 10 key press 27\n"
                  "at 12 dump paused.json\n"
                  "at 12 key press 27\n"
                  "at 14 dump title.json\n"
                  "stop 14\n"),
              0)
        << message_;
    EXPECT_EQ(dump_int(read_file("paused.json"), "game_state"), STATE_PAUSE);
    const std::string title = read_file("title.json");
    EXPECT_EQ(dump_int(title, "game_state"), STATE_TITLE);
    EXPECT_EQ(dump_text(title, "music_playing"), "true");
    const std::string log = read_file("snd.log");
    EXPECT_EQ(log.find("thebodger"), log.rfind("thebodger")) << log;
}

}  // namespace
