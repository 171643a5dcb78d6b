// whole_game_test.cpp -- one game played through the whole program, from the
// splash to the exit, and the keys the game-over screen must ignore.
#include <gtest/gtest.h>

#include <string>

#include "app/globals.hpp"
#include "app/main_loop.hpp"
#include "game/player.hpp"
#include "services/input/joystick.hpp"
#include "services/platform/headless/headless.hpp"
#include "tests/app/sim_fixture.hpp"

namespace {

class WholeGameTest : public SimTest {
   protected:
    static std::string le_bytes(int value) {
        std::string s;
        for (int i = 0; i < 4; ++i) s += char((unsigned(value) >> (8 * i)) & 0xFF);
        return s;
    }
};

TEST_F(WholeGameTest, FromTheSplashToTheExitTheBestScoreReachesTheFile) {
    write_file("data/hiscore.dat", le_bytes(7));
    const std::string script =
        "joystick on\n"
        "sounds sounds.log\n"
        "at 0 key press 27\n"  // the splash ends after its first frame
        "at 2 mouse move 320 240\n"
        "at 3 mouse click 1\n"   // Start Game
        "at 10 key press 162\n"  // skip the story
        "at 30 key press 39\n"   // and walk wherever it leads
        "at 300 key press 40\n"
        "at 600 key press 37\n"
        "at 900 key press 38\n"
        "at 1200 key press 39\n"
        "at 2999 dump end.json\n"
        "at 3000 close\n";
    ASSERT_EQ(run(script), 0) << message_;

    const std::string end = read_file("end.json");
    ASSERT_FALSE(end.empty());
    const int best = int(dump_int(end, "best_sc"));
    EXPECT_GE(best, 7);
    EXPECT_EQ(player->best_sc, best);
    // Written once at exit, whatever happened in between: exactly four bytes.
    EXPECT_EQ(read_file("data/hiscore.dat"), le_bytes(best));
    EXPECT_FALSE(exists("data/hiscore.tmp"));

    // The road through the screens, by the sounds it made.
    const std::string sounds = read_file("sounds.log");
    EXPECT_EQ(sounds.rfind("0 thebodger\n", 0), 0u) << sounds;
    EXPECT_NE(sounds.find(" remote\n"), std::string::npos) << sounds;    // Start Game
    EXPECT_NE(sounds.find(" button\n"), std::string::npos) << sounds;    // play begins
    EXPECT_NE(sounds.find(" footstep\n"), std::string::npos) << sounds;  // he walked
}

TEST_F(WholeGameTest, GameOverIgnoresEscapeSpaceAndJoystickButtonOne) {
    ASSERT_EQ(run("joystick on\nat 0 key press 27\nstop 2\n"), 0) << message_;
    game_state = STATE_GAME_OVER;
    headless::PushEvent({platform::EventType::KeyDown, 27});
    headless::PushEvent({platform::EventType::KeyUp, 27});
    headless::PushEvent({platform::EventType::KeyDown, 32});
    headless::PushEvent({platform::EventType::KeyUp, 32});
    check_keys();
    EXPECT_EQ(game_state, STATE_GAME_OVER);
    EXPECT_EQ(quit_game, 0);

    EXPECT_FALSE(JoyIsDown(1));  // a reading with the button up, then it goes down
    headless::SetJoyButton(1, true);
    check_keys();
    EXPECT_EQ(game_state, STATE_GAME_OVER);
    EXPECT_EQ(quit_game, 0);
    headless::SetJoyButton(1, false);
}

}  // namespace
