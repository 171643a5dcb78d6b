// hiscore_test.cpp -- the best-score file read at start-up and written at a
// game over with a new best and at exit, including every file it cannot use.
#include "app/hiscore.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/globals.hpp"
#include "app/main_loop.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"
#include "tests/app/sim_fixture.hpp"

namespace fs = std::filesystem;

namespace {

const std::string kOldScore("\x39\x30\x00\x00", 4);  // 12345

// What `action` prints on stderr, caught through a pipe: unlike a capture
// file, a pipe is not held to a file-size limit.
template <typename F>
std::string stderr_of(F action) {
    int ends[2];
    if (pipe(ends) != 0) return "no pipe";
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(ends[1], 2);
    close(ends[1]);
    action();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string text;
    char chunk[512];
    ssize_t got;
    while ((got = read(ends[0], chunk, sizeof chunk)) > 0) text.append(chunk, std::size_t(got));
    close(ends[0]);
    return text;
}

// Runs `action` with files held to `bytes`, the signal such a write raises
// left at its default (ending the process) as it is for the player.
template <typename F>
void with_file_size_limit(rlim_t bytes, F action) {
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit tight = old_limit;
    tight.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    action();
    setrlimit(RLIMIT_FSIZE, &old_limit);
}

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
    static bool is_fifo(const std::string& path) {
        struct stat info;
        return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
};

TEST_F(HiscoreTest, FirstRunReadsZeroAndLeavesAFourByteFile) {
    EXPECT_EQ(loaded_score(), 0);
    ASSERT_EQ(run_to_exit(), 0) << message_;
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0, 0, 0, 0}));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

TEST_F(HiscoreTest, ReadsLittleEndianAndWritesTheSameBytesBack) {
    write_file("data/hiscore.dat", kOldScore);
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
    EXPECT_EQ(read_file("data/hiscore.dat"), kOldScore);
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

// Another copy of the game saved a higher best since this one started: it
// stays.  A lower or equal one is replaced, in the file's 4-byte form.
TEST_F(HiscoreTest, ASaveNeverLowersWhatTheFileHoldsNow) {
    write_file("data/hiscore.dat", bytes({100, 0, 0, 0}));
    EXPECT_EQ(loaded_score(), 100);
    write_file("data/hiscore.dat", bytes({200, 0, 0, 0}));  // the other copy's exit
    player->best_sc = 150;
    EXPECT_EQ(stderr_of([] { hiscore_io(1); }), "");
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({200, 0, 0, 0}));
    EXPECT_EQ(player->best_sc, 150) << "the game's own best is not changed by the file";

    player->best_sc = 201;
    hiscore_io(1);
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({201, 0, 0, 0}));
    write_file("data/hiscore.dat", bytes({201, 0, 0, 0, 7, 7}));
    hiscore_io(1);
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({201, 0, 0, 0}));
    write_file("data/hiscore.dat", bytes({0xFF, 0xFF, 0xFF, 0xFF}));  // -1
    player->best_sc = -2;
    hiscore_io(1);
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

// What stands at the score file's name and cannot be read may hold a score:
// the game plays with 0, never waits on it, and leaves it exactly as it was.
TEST_F(HiscoreTest, AnUnreadableScoreFileReadsZeroAndIsNeverOverwritten) {
    const auto check = [&](const char* what, auto still_there) {
        SCOPED_TRACE(what);
        EXPECT_EQ(loaded_score(), 0);
        player->best_sc = 999;
        const std::string err = stderr_of([] { hiscore_io(1); });
        EXPECT_TRUE(still_there());
        EXPECT_FALSE(exists("data/hiscore.tmp"));
        EXPECT_NE(err.find("data/hiscore.dat"), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    };
    fs::create_directory("data/hiscore.dat");
    check("a folder", [] { return fs::is_directory("data/hiscore.dat"); });
    fs::remove("data/hiscore.dat");

    ASSERT_EQ(mkfifo("data/hiscore.dat", 0600), 0);
    check("a FIFO", [&] { return is_fifo("data/hiscore.dat"); });
    fs::remove("data/hiscore.dat");

    fs::create_symlink("nowhere.dat", "data/hiscore.dat");
    check("a dangling link", [] { return fs::is_symlink("data/hiscore.dat"); });
    fs::remove("data/hiscore.dat");
}

TEST_F(HiscoreTest, AScoreFileWithoutReadPermissionIsNeverOverwritten) {
    write_file("data/hiscore.dat", kOldScore);
    fs::permissions("data/hiscore.dat", fs::perms::none);
    if (std::ifstream("data/hiscore.dat").good()) {
        GTEST_SKIP() << "file permissions do not bind this user";
    }
    EXPECT_EQ(loaded_score(), 0);
    player->best_sc = 999;
    const std::string err = stderr_of([] { hiscore_io(1); });
    EXPECT_NE(err.find("data/hiscore.dat"), std::string::npos) << err;
    fs::permissions("data/hiscore.dat", fs::perms::owner_read);
    EXPECT_EQ(read_file("data/hiscore.dat"), kOldScore);
}

// A link at the score file's name is read through; the save replaces the
// link itself and never writes where it points.
TEST_F(HiscoreTest, AScoreFileLinkIsReadAndReplacedNotWrittenThrough) {
    write_file("elsewhere.dat", kOldScore);
    fs::create_symlink("../elsewhere.dat", "data/hiscore.dat");
    EXPECT_EQ(loaded_score(), 12345);
    player->best_sc = 12346;
    hiscore_io(1);
    EXPECT_FALSE(fs::is_symlink("data/hiscore.dat"));
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0x3A, 0x30, 0, 0}));
    EXPECT_EQ(read_file("elsewhere.dat"), kOldScore);
}

// Whatever an interrupted save left under the scratch name is cleared away
// without touching anything it points at, and the save goes through.
TEST_F(HiscoreTest, AStaleScratchOfAnyKindIsClearedAndTheSaveGoesThrough) {
    write_file("elsewhere.dat", "keep");
    const auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        write_file("data/hiscore.dat", kOldScore);
        ASSERT_EQ(run("stop 1\n"), 0) << message_;
        player->best_sc = 0x01020304;
        EXPECT_EQ(stderr_of([] { hiscore_io(1); }), "");
        EXPECT_EQ(read_file("data/hiscore.dat"), bytes({4, 3, 2, 1}));
        EXPECT_FALSE(exists("data/hiscore.tmp"));
        EXPECT_EQ(read_file("elsewhere.dat"), "keep");
    };
    write_file("data/hiscore.tmp", "half");
    check("a file");
    fs::create_symlink("../elsewhere.dat", "data/hiscore.tmp");
    check("a link to another file");
    ASSERT_EQ(mkfifo("data/hiscore.tmp", 0600), 0);
    check("a FIFO");
    fs::create_directory("data/hiscore.tmp");
    check("an empty folder");
}

// The failures a save can meet: each leaves the old score and no scratch,
// says so in one line naming the file, and the run still ends with 0.
TEST_F(HiscoreTest, AFailedSaveKeepsTheOldScoreAndSaysWhyInOneLine) {
    const auto check = [&](const char* what, rlim_t size_limit, const char* reason) {
        SCOPED_TRACE(what);
        write_file("data/hiscore.dat", kOldScore);
        ASSERT_EQ(run("stop 1\n"), 0) << message_;
        player->best_sc = 99999;  // above the old score, so it must be written
        std::string err;
        with_file_size_limit(size_limit, [&] { err = stderr_of([] { hiscore_io(1); }); });
        EXPECT_EQ(read_file("data/hiscore.dat"), kOldScore);
        const std::string file = (fs::current_path() / "data" / "hiscore.dat").string();
        EXPECT_EQ(err.rfind("bodger2010: best score not saved in " + file + ": ", 0), 0u) << err;
        EXPECT_NE(err.find(reason), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    };
    fs::create_directories("data/hiscore.tmp/inside");
    check("a folder with files under the scratch name", RLIM_INFINITY,
          "data/hiscore.tmp: Directory not empty");
    EXPECT_TRUE(fs::is_directory("data/hiscore.tmp/inside"));
    fs::remove_all("data/hiscore.tmp");

    // As on a disk that fills up half-way through the write.
    check("files held to 2 bytes", 2, "data/hiscore.tmp: File too large");
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

TEST_F(HiscoreTest, AFileSizeLimitAtTheExitKeepsTheOldScoreAndExitsWithZero) {
    write_file("data/hiscore.dat", kOldScore);
    int status = -1;
    std::string err;
    with_file_size_limit(0, [&] { err = stderr_of([&] { status = run_to_exit(); }); });
    EXPECT_EQ(status, 0) << message_;
    EXPECT_EQ(read_file("data/hiscore.dat"), kOldScore);
    EXPECT_FALSE(exists("data/hiscore.tmp"));
    EXPECT_NE(err.find("data/hiscore.tmp: File too large"), std::string::npos) << err;
}

TEST_F(HiscoreTest, AReadOnlyDataFolderKeepsTheOldScore) {
    write_file("data/hiscore.dat", kOldScore);
    fs::permissions("data", fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream("data/probe").good()) {
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    int status = -1;
    const std::string err = stderr_of([&] { status = run_to_exit(); });
    ASSERT_EQ(status, 0) << message_;
    EXPECT_EQ(read_file("data/hiscore.dat"), kOldScore);
    EXPECT_NE(err.find("Permission denied"), std::string::npos) << err;
}

TEST_F(HiscoreTest, NoDataFolderStillEndsCleanly) {
    remove_data_folder();
    int status = -1;
    stderr_of([&] { status = run_to_exit(); });
    ASSERT_EQ(status, 0) << message_;
    EXPECT_FALSE(exists("data"));
}

// A game that ends with a new best writes it as the game-over screen begins,
// long before the exit; one that ends below the best writes nothing.
TEST_F(HiscoreTest, AGameOverWithANewBestSavesAtOnce) {
    const auto lose_game = [&](int score) {
        ASSERT_EQ(run("at 0 key press 27\nstop 2\n"), 0) << message_;
        player_tag::reset(1);
        play_phase = PHASE_DYING;
        player->state = DEATH_PIT;
        player->score = score;
        for (int frame = 0; frame < 2000 && game_state == STATE_PLAY; ++frame) run_state_handler();
        ASSERT_EQ(game_state, STATE_GAME_OVER);
    };
    write_file("data/hiscore.dat", bytes({100, 0, 0, 0, 9}));
    lose_game(50);
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({100, 0, 0, 0, 9}));
    lose_game(300);
    EXPECT_EQ(read_file("data/hiscore.dat"), bytes({0x2C, 1, 0, 0}));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

}  // namespace
