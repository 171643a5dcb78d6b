// draws_log_test.cpp -- the runner's draw log: one line per draw call as the
// game made it, an F line after each Flip, only the frames asked for, and the
// same game whether or not it is logged.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <vector>

#include "tests/app/sim_fixture.hpp"

namespace {

class DrawsLogTest : public SimTest {
   protected:
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }
};

const std::string kNumber = R"(-?[0-9.e+-]+|nan|-?inf)";
const std::string kState = " c [0-9]+ [0-9]+ [0-9]+ a (" + kNumber + ") b -?[0-9]+ r (" + kNumber +
                           ") s (" + kNumber + ") (" + kNumber + ")$";

TEST_F(DrawsLogTest, EveryDrawOfTheFramesAskedForInTheDocumentedFormat) {
    // Past the splash into the title menu: the star field, the menu's texts,
    // the HUD and the pointer.
    const std::string play = "at 0 key press 27\nat 3 mouse move 320 240\nstop 6\n";
    ASSERT_EQ(run(play + "draws all.txt\n"), 0) << message_;
    ASSERT_EQ(run(play + "draws part of it.txt 3 4\n"), 0) << message_;
    const std::vector<std::string> all = lines(read_file("all.txt"));
    const std::vector<std::string> part = lines(read_file("part of it.txt"));

    const std::regex image("^I [0-9]+x[0-9]+x[0-9]+ -?[0-9]+ (" + kNumber + ") (" + kNumber +
                           ") hd (" + kNumber + ") (" + kNumber + ")" + kState);
    const std::regex text("^S \"([^\"\\\\]|\\\\.)*\" (" + kNumber + ") (" + kNumber + ")" + kState);
    const std::regex line("^L (" + kNumber + ") (" + kNumber + ") (" + kNumber + ") (" + kNumber +
                          ")" + kState);
    std::vector<int> flips;
    int images = 0, texts = 0, since_flip = 0;
    std::vector<std::string> frames_3_to_4;
    int frame = 1;
    for (const std::string& l : all) {
        if (frame >= 3 && frame <= 4) frames_3_to_4.push_back(l);
        if (l.rfind("F ", 0) == 0) {
            flips.push_back(std::stoi(l.substr(2)));
            EXPECT_GT(since_flip, 0) << "frame " << flips.back() << " draws something";
            since_flip = 0;
            ++frame;
            continue;
        }
        ++since_flip;
        if (std::regex_match(l, image)) {
            ++images;
        } else if (std::regex_match(l, text)) {
            ++texts;
        } else {
            EXPECT_TRUE(std::regex_match(l, line)) << l;
        }
    }
    EXPECT_EQ(flips, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_GT(images, 6 * 100) << "the star field alone draws 200 a frame";
    EXPECT_GE(texts, 3 * 3) << "the menu's texts, each logged once, not glyph by glyph";
    EXPECT_EQ(part, frames_3_to_4);
    EXPECT_EQ(part.back(), "F 4");
}

TEST_F(DrawsLogTest, TheGameIsTheSameWithOrWithoutTheLog) {
    const std::string play =
        "clock 777\nbot on\nat 340 mouse click 1\nat 600 dump d.json\n"
        "at 600 shot s.png\nsounds s.txt\nstop 600\n";
    ASSERT_EQ(run(play), 0) << message_;
    const std::string dump = read_file("d.json"), shot = read_file("s.png");
    const std::string sounds = read_file("s.txt");
    ASSERT_EQ(run(play + "draws d.txt 500 600\n"), 0) << message_;
    EXPECT_EQ(read_file("d.json"), dump);
    EXPECT_EQ(read_file("s.png"), shot);
    EXPECT_EQ(read_file("s.txt"), sounds);
    EXPECT_NE(read_file("d.txt").find("F 600"), std::string::npos);
}

TEST_F(DrawsLogTest, BadDirectivesAndUnwritableLogs) {
    EXPECT_EQ(run("draws\n"), 2);
    EXPECT_EQ(run("draws d.txt 5 3\nstop 6\n"), 2);
    EXPECT_NE(message_.find("script line 1"), std::string::npos) << message_;
    EXPECT_EQ(run("sounds s.log\ndraws no/dir/d.txt\nstop 5\n"), 2);
    EXPECT_NE(message_.find("script line 2"), std::string::npos) << message_;
    EXPECT_FALSE(exists("s.log"));
}

}  // namespace
