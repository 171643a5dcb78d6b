// whole_run_test.cpp -- the screens inside the whole program, driven by the
// headless runner from the title menu into the introduction and out again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/sim/runner.hpp"

namespace {

namespace fs = std::filesystem;

class WholeRun : public ::testing::Test {
   protected:
    void SetUp() override {
        old_cwd_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "bodger-screens-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        fs::current_path(dir_);
        fs::create_directory("data");
        for (const auto& entry : fs::directory_iterator(fs::path(BODGER_SOURCE_DIR) / "data")) {
            if (entry.path().extension() == ".ogg")
                fs::create_symlink(entry.path(), fs::path("data") / entry.path().filename());
        }
    }
    void TearDown() override {
        fs::current_path(old_cwd_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // The splash is skipped at once (title menu from frame 2), and a click on
    // "Start Game" after frame 6 starts the introduction in frame 7.
    static std::string new_game(const std::string& more) {
        return "sounds sounds.txt\nat 0 key press 27\nat 5 mouse move 320 250\n"
               "at 6 mouse click 1\n" +
               more;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static bool has(const std::string& dump, const std::string& field) {
        return dump.find(field) != std::string::npos;
    }

    fs::path old_cwd_, dir_;
};

TEST_F(WholeRun, SkippedIntroductionStopsTheMusicAndPlaysOnTheNextFrame) {
    std::string message;
    ASSERT_EQ(run_script(new_game("at 10 key press 162\nat 11 dump a.json\nat 12 dump b.json\n"
                                  "stop 14\n"),
                         &message),
              0)
        << message;
    EXPECT_EQ(read("sounds.txt"), "0 thebodger\n6 remote\n11 button\n11 oh_no\n");
    const std::string a = read("a.json"), b = read("b.json");
    EXPECT_TRUE(has(a, "\"play_phase\": 0, \"phase_timer\": 800")) << a.substr(0, 200);
    EXPECT_TRUE(has(a, "\"music_playing\": true"));
    EXPECT_TRUE(has(b, "\"play_phase\": 1, \"phase_timer\": 801")) << b.substr(0, 200);
    EXPECT_TRUE(has(b, "\"music_playing\": false"));
}

TEST_F(WholeRun, QuittingFromAPausedIntroductionKeepsTheMusicGoing) {
    std::string message;
    ASSERT_EQ(run_script(new_game("at 10 key press 27\nat 12 mouse move 320 410\n"
                                  "at 13 mouse click 1\nat 15 dump a.json\nstop 16\n"),
                         &message),
              0)
        << message;
    EXPECT_EQ(read("sounds.txt"), "0 thebodger\n6 remote\n13 remote\n")
        << "no second start of the music";
    const std::string a = read("a.json");
    EXPECT_TRUE(has(a, "\"game_state\": 4")) << a.substr(0, 200);
    EXPECT_TRUE(has(a, "\"music_playing\": true"));
}

}  // namespace
