// hiscore_test.cpp -- the best-score file read at start-up and written at
// exit, including the files it cannot use.
#include "app/hiscore.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "tests/app/sim_fixture.hpp"

namespace fs = std::filesystem;

namespace {

class HiscoreTest : public SimTest {
   protected:
    // The best score as start-up read it.
    int loaded_score() {
        EXPECT_EQ(run("stop 1\n"), 0) << message_;
        return player ? player->best_sc : -999;
    }
    static std::string bytes(std::initializer_list<int> list) {
        std::string s;
        for (int b : list) s += char(b);
        return s;
    }
};

TEST_F(HiscoreTest, FirstRunReadsZeroAndLeavesAFourByteFile) {
    EXPECT_EQ(loaded_score(), 0);
    ASSERT_EQ(run_to_exit(), 0) << message_;
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0, 0, 0, 0}));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

TEST_F(HiscoreTest, ReadsLittleEndianAndWritesTheSameBytesBack) {
    write_file("data/hiscore.dat", bytes({0x39, 0x30, 0, 0}));
    EXPECT_EQ(loaded_score(), 12345);
    write_file("data/hiscore.dat", bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(loaded_score(), -1);
    ASSERT_EQ(run_to_exit(), 0) << message_;
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(HiscoreTest, OnlyTheFirstFourBytesCountAndTheFileShrinksToFour) {
    write_file("data/hiscore.dat", bytes({0x39, 0x30, 0, 0, 7, 7}));
    EXPECT_EQ(loaded_score(), 12345);
    ASSERT_EQ(run_to_exit(), 0) << message_;
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0x39, 0x30, 0, 0}));
}

TEST_F(HiscoreTest, AFolderInItsPlaceReadsZeroAndStays) {
    fs::create_directory("data/hiscore.dat");
    EXPECT_EQ(loaded_score(), 0);
    ASSERT_EQ(run_to_exit(), 0) << message_;
    EXPECT_TRUE(fs::is_directory("data/hiscore.dat"));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

TEST_F(HiscoreTest, AWriteThatFailsHalfWayKeepsTheOldScore) {
    write_file("data/hiscore.dat", bytes({0x39, 0x30, 0, 0}));
    ASSERT_EQ(run("stop 2\n"), 0) << message_;
    player->best_sc = 999;
    // Files may not grow past 2 bytes while the score is saved, as on a disk
    // that fills up in the middle of the write.
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit tight = old_limit;
    tight.rlim_cur = 2;
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    hiscore_io(1);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0x39, 0x30, 0, 0}));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

TEST_F(HiscoreTest, AReadOnlyDataFolderKeepsTheOldScore) {
    write_file("data/hiscore.dat", bytes({0x39, 0x30, 0, 0}));
    fs::permissions("data", fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream("data/probe").good()) {
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    ASSERT_EQ(run_to_exit(), 0) << message_;
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0x39, 0x30, 0, 0}));
}

TEST_F(HiscoreTest, NoDataFolderStillEndsCleanly) {
    remove_data_folder();
    ASSERT_EQ(run_to_exit(), 0) << message_;
    EXPECT_FALSE(exists("data"));
}

TEST_F(HiscoreTest, SavesWhateverThePlayerHoldsLeastSignificantFirst) {
    write_file("data/hiscore.dat", bytes({1, 0, 0, 0}));
    ASSERT_EQ(run("stop 2\n"), 0) << message_;
    player->best_sc = 0x01020304;
    hiscore_io(1);
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({4, 3, 2, 1}));
    hiscore_io(0);
    EXPECT_EQ(player->best_sc, 0x01020304);
}

}  // namespace
