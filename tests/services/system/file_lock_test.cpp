// The lock copies of the game take turns on: held by one holder at a time,
// let go when the holder is killed, and never anything but a plain file.
#include "services/system/file_lock.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/services/system/work_dir_fixture.hpp"

namespace fs = std::filesystem;

namespace {

class FileLockTest : public WorkDirTest {
   protected:
    FileLockTest() : WorkDirTest("lock") {}
};

TEST_F(FileLockTest, OneHolderAtATimeAndAKilledHolderLetsGo) {
    {
        const TFileLock first("data\\hiscore.lock", 0);
        ASSERT_TRUE(first.held()) << first.why();
        const TFileLock second("data\\hiscore.lock", 20);
        EXPECT_FALSE(second.held());
        EXPECT_TRUE(second.busy());
        EXPECT_EQ(second.why(), "another copy of the game kept data/hiscore.lock locked");
    }
    EXPECT_TRUE(TFileLock("data\\hiscore.lock", 0).held()) << "not let go at the end of its life";

    // Another process holds it until it is killed, as a copy killed mid-save.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        const TFileLock mine("data\\hiscore.lock", 0);
        const char held = mine.held() ? 'y' : 'n';
        if (write(ready[1], &held, 1) != 1) _exit(1);
        for (;;) pause();
    }
    close(ready[1]);
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    close(ready[0]);
    EXPECT_EQ(held, 'y');
    EXPECT_TRUE(TFileLock("data\\hiscore.lock", 20).busy());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(TFileLock("data\\hiscore.lock", 0).held());
    EXPECT_EQ(fs::file_size("data/hiscore.lock"), 0u);
}

// Only a plain file serves: anything else at the name is neither waited on
// nor changed, and a link is never followed to create what it names.
TEST_F(FileLockTest, AnythingButAPlainFileIsRefusedAndLeftAsItIs) {
    const auto refused = [](const char* what) {
        SCOPED_TRACE(what);
        const TFileLock lock("data\\hiscore.lock", 1000);
        EXPECT_FALSE(lock.held());
        EXPECT_FALSE(lock.busy());
        EXPECT_NE(lock.why().find("data/hiscore.lock"), std::string::npos) << lock.why();
    };
    fs::create_directory("data/hiscore.lock");
    refused("a folder");
    EXPECT_TRUE(fs::is_directory("data/hiscore.lock"));
    fs::remove("data/hiscore.lock");

    ASSERT_EQ(mkfifo("data/hiscore.lock", 0600), 0);
    refused("a FIFO");
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status("data/hiscore.lock")));
    fs::remove("data/hiscore.lock");

    fs::create_symlink("../elsewhere", "data/hiscore.lock");
    refused("a link");
    EXPECT_FALSE(fs::exists(fs::symlink_status("elsewhere")));
    fs::remove("data/hiscore.lock");

    fs::remove("data");
    refused("no folder");
    EXPECT_FALSE(fs::exists("data"));
}

}  // namespace
