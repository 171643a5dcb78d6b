// hiscore_copies_test.cpp -- copies of the game sharing one best-score file:
// runner processes in one folder, each holding a known best score, ended in
// shuffled order, two at once, or killed mid-save.  The file must always end
// with the highest score any copy held, four bytes long.
//
// The copies are held without any FIFO (the runner writes regular files
// only): the test itself holds the lock file while copies start, so none can
// save, and stops each copy once it has read the file; the saves happen
// after the test lets go of the lock and continues the copies.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/sim_fixture.hpp"

namespace fs = std::filesystem;

namespace {

// Only a broken build comes near this.  A copy stopped while it waits for
// the lock still tries once more when it wakes, whatever its own deadline.
constexpr int kWaitMs = 20000;

std::string le_bytes(int value) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += char((unsigned(value) >> (8 * i)) & 0xFF);
    return s;
}

void write_text(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool path_taken(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The test's own hold on the copies' lock file: while it is held, a copy that
// reaches its save only polls for the lock, and writes nothing.
class LockHold {
   public:
    // Takes the lock, trying for up to ms milliseconds (0: one try only).
    bool take(int ms) {
        release();
        fd_ = open("data/hiscore.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) return false;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (std::chrono::steady_clock::now() >= end) {
                release();
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    void release() {
        if (fd_ >= 0) close(fd_);  // closing lets go of the lock
        fd_ = -1;
    }

    LockHold() = default;
    ~LockHold() { release(); }
    LockHold(const LockHold&) = delete;
    LockHold& operator=(const LockHold&) = delete;

   private:
    int fd_ = -1;
};

// One copy of the game: the runner in the test's folder.  It reads the best
// score at start-up, writes the dump "loaded" at frame 1 (so the test knows
// the file has been read) and closes the window at frame 2; the exit
// sequence then saves.  The test stops it once "loaded" is there.
class Copy {
   public:
    Copy(int index, int score) : index_(index), score_(score) {}

    // Puts this copy's score in the file, starts it, and returns once the
    // copy has read the file and is stopped.  The caller holds the lock, so
    // a copy that got past frame 2 before the stop is waiting for it.
    void start() {
        const std::string id = std::to_string(index_);
        const std::string loaded = "loaded" + id, script = "script" + id;
        err_ = "err" + id;
        write_text(script, "at 1 dump " + loaded + "\nat 2 close\n");
        write_text("data/hiscore.dat", le_bytes(score_));
        pid_ = fork();
        if (pid_ == 0) {
            const int err = open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (err < 0 || dup2(err, 2) < 0) _exit(126);
            execl(BODGER_SIM_BINARY, BODGER_SIM_BINARY, script.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(pid_, 0);
        bool reached = false;
        for (int waited = 0; waited < kWaitMs && !reached; ++waited) {
            reached = path_taken(loaded);
            if (!reached) {
                ASSERT_FALSE(ended()) << "copy " << index_ << " ended before frame 1 with "
                                      << status_ << ": " << errors();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        ASSERT_TRUE(reached) << "copy " << index_ << " never reached frame 1";
        ASSERT_EQ(kill(pid_, SIGSTOP), 0);
        bool stopped = false;
        for (int waited = 0; waited < kWaitMs && !stopped; ++waited) {
            int status = 0;
            const pid_t got = waitpid(pid_, &status, WNOHANG | WUNTRACED);
            if (got == pid_ && WIFSTOPPED(status)) {
                stopped = true;
            } else {
                ASSERT_NE(got, pid_)
                    << "copy " << index_ << " ended while the lock was held: " << errors();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        ASSERT_TRUE(stopped) << "copy " << index_ << " never stopped";
    }

    // Lets a stopped copy run on to its exit.
    void resume() const { kill(pid_, SIGCONT); }

    // The copy's exit status, or -1 if it did not end in time.
    int wait() {
        for (int waited = 0; waited < kWaitMs; waited += 2) {
            if (ended()) return status_;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return -1;
    }

    void kill_now() const { kill(pid_, SIGKILL); }

    std::string errors() const { return read_text(err_); }
    int score() const { return score_; }

    ~Copy() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);  // ends a stopped copy too
            waitpid(pid_, nullptr, 0);
        }
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;
    Copy(Copy&&) = delete;

   private:
    // True once the copy has ended and been reaped; status_ then holds its
    // exit status (128 + the signal when killed).
    bool ended() {
        if (pid_ < 0) return true;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
        pid_ = -1;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }

    int index_, score_;
    pid_t pid_ = -1;
    int status_ = -1;
    std::string err_;
};

class HiscoreCopiesTest : public SimTest {
   protected:
    void SetUp() override {
        SimTest::SetUp();
        // No sounds: the copies start faster, and the best score is the same.
        remove_data_folder();
        fs::create_directory("data");
    }

    // Ends stopped copies at once: every copy is continued before any is
    // waited for.  The test's lock must have been let go.
    void end_together(const std::vector<Copy*>& copies) {
        for (Copy* c : copies) c->resume();
        for (Copy* c : copies) {
            EXPECT_EQ(c->wait(), 0) << c->errors();
            EXPECT_EQ(c->errors(), "");
        }
    }

    std::string score_file() { return read_file("data/hiscore.dat"); }
    std::mt19937 random_{20101};
    LockHold hold_;
};

// Ten copies each read their own score, then end one by one in shuffled
// order: after every exit the file holds the highest score seen so far.
TEST_F(HiscoreCopiesTest, TenCopiesEndingInShuffledOrderKeepTheHighest) {
    std::vector<int> scores = {300, 40, 1250, 0, 875, 60, 1250, 5, 999, 420};
    std::vector<std::unique_ptr<Copy>> copies;
    ASSERT_TRUE(hold_.take(kWaitMs));
    for (int i = 0; i < 10; ++i) {
        copies.push_back(std::make_unique<Copy>(i, scores[i]));
        ASSERT_NO_FATAL_FAILURE(copies.back()->start());
    }
    hold_.release();
    int highest = scores.back();  // what the file holds after the last start
    std::vector<Copy*> order;
    for (auto& c : copies) order.push_back(c.get());
    std::shuffle(order.begin(), order.end(), random_);
    for (Copy* c : order) {
        ASSERT_NO_FATAL_FAILURE(end_together({c}));
        highest = std::max(highest, c->score());
        EXPECT_EQ(score_file(), le_bytes(highest)) << "after the copy holding " << c->score();
    }
    EXPECT_EQ(score_file(), le_bytes(1250));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

// Two copies saving at the same moment, many times over, with the lower and
// the higher score started in either order.
TEST_F(HiscoreCopiesTest, TwoCopiesEndingAtOnceKeepTheHigher) {
    std::uniform_int_distribution<int> score(0, 100000);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        Copy a(2 * round, score(random_));
        Copy b(2 * round + 1, score(random_));
        ASSERT_TRUE(hold_.take(kWaitMs));
        ASSERT_NO_FATAL_FAILURE(a.start());
        ASSERT_NO_FATAL_FAILURE(b.start());
        write_file("data/hiscore.dat", le_bytes(-1));  // an old best below both
        hold_.release();
        ASSERT_NO_FATAL_FAILURE(end_together({&a, &b}));
        EXPECT_EQ(score_file(), le_bytes(std::max(a.score(), b.score())));
    }
}

// A copy killed with SIGKILL at some moment of its exit leaves the old or its
// own score, whole; the lock dies with it, so it is free at once after.
TEST_F(HiscoreCopiesTest, ACopyKilledMidSaveLeavesOldOrNewAndNoHeldLock) {
    std::uniform_int_distribution<int> delay_us(0, 6000);  // about the length of an exit
    int old_score = 100;
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        Copy copy(round, old_score + 1 + round);
        ASSERT_TRUE(hold_.take(0)) << "the lock outlived the copy killed before";
        ASSERT_NO_FATAL_FAILURE(copy.start());
        write_file("data/hiscore.dat", le_bytes(old_score));
        hold_.release();
        copy.resume();
        std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random_)));
        copy.kill_now();
        ASSERT_NE(copy.wait(), -1);
        const std::string now = score_file();
        EXPECT_TRUE(now == le_bytes(old_score) || now == le_bytes(copy.score())) << now.size();
        if (now == le_bytes(copy.score())) old_score = copy.score();
    }
    Copy last(99, 5000);
    ASSERT_TRUE(hold_.take(0)) << "the lock outlived the last copy killed";
    ASSERT_NO_FATAL_FAILURE(last.start());
    hold_.release();
    ASSERT_NO_FATAL_FAILURE(end_together({&last}));  // no message: the lock was free
    EXPECT_EQ(score_file(), le_bytes(5000));
    EXPECT_FALSE(exists("data/hiscore.tmp"));
}

// Something put in the file's place while a copy plays is left as it is,
// with one line naming the file from the root.
TEST_F(HiscoreCopiesTest, AFolderOrFifoPutInThePlaceOfTheFileIsLeftAlone) {
    const std::string absolute = (fs::current_path() / "data" / "hiscore.dat").string();
    for (int kind = 0; kind < 2; ++kind) {
        SCOPED_TRACE(kind == 0 ? "a folder" : "a FIFO");
        Copy copy(kind, 777);
        ASSERT_TRUE(hold_.take(kWaitMs));
        ASSERT_NO_FATAL_FAILURE(copy.start());
        fs::remove("data/hiscore.dat");
        if (kind == 0) {
            fs::create_directory("data/hiscore.dat");
        } else {
            ASSERT_EQ(mkfifo("data/hiscore.dat", 0600), 0);
        }
        hold_.release();
        copy.resume();
        EXPECT_EQ(copy.wait(), 0);
        const std::string err = copy.errors();
        EXPECT_EQ(err, "bodger2010: best score not saved in " + absolute +
                           ": it cannot be read and is left as it is\n");
        struct stat info;
        ASSERT_EQ(lstat("data/hiscore.dat", &info), 0);
        EXPECT_TRUE(kind == 0 ? S_ISDIR(info.st_mode) : S_ISFIFO(info.st_mode));
        fs::remove("data/hiscore.dat");
    }
}

}  // namespace
