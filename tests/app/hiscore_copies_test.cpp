// hiscore_copies_test.cpp -- copies of the game sharing one best-score file:
// runner processes in one folder, each holding a known best score, ended in
// shuffled order, two at once, or killed mid-save.  The file must always end
// with the highest score any copy held, four bytes long.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
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

constexpr int kWaitMs = 20000;  // only a broken build comes near this

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

// Reads a FIFO opened without waiting until a writer has come, written and
// gone (the runner writing a dump into it); false when that takes over ms.
bool drain(int fd, int ms) {
    bool seen = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 50);
        char chunk[4096];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got > 0) seen = true;
        if (got == 0 && seen) return true;  // 0 before any data: no writer yet
    }
    return false;
}

// One copy of the game: the runner in the test's folder.  It reads the best
// score at start-up, writes a dump into the FIFO "loaded" at frame 1 (so the
// test knows the file has been read) and then blocks on the FIFO "go" until
// released; then the window is closed and the exit sequence saves.  Each
// dump fits a pipe's buffer, so an open gate never holds a copy back.
class Copy {
   public:
    Copy(int index, int score) : index_(index), score_(score) {}

    // Puts this copy's score in the file and starts it; returns once the
    // copy has read the file.
    void start() {
        const std::string id = std::to_string(index_);
        loaded_ = "loaded" + id, go_ = "go" + id, err_ = "err" + id;
        ASSERT_EQ(mkfifo(loaded_.c_str(), 0600), 0);
        ASSERT_EQ(mkfifo(go_.c_str(), 0600), 0);
        const std::string script = "script" + id;
        write_text(script, "at 1 dump " + loaded_ + "\nat 2 dump " + go_ + "\nat 2 close\n");
        write_text("data/hiscore.dat", le_bytes(score_));
        const int loaded = open(loaded_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(loaded, 0);
        pid_ = fork();
        if (pid_ == 0) {
            const int err = open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (err < 0 || dup2(err, 2) < 0) _exit(126);
            execl(BODGER_SIM_BINARY, BODGER_SIM_BINARY, script.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_GT(pid_, 0);
        const bool read_all = drain(loaded, kWaitMs);
        close(loaded);
        ASSERT_TRUE(read_all) << "copy " << index_ << " never reached frame 1";
    }

    // Opens its gate: the copy runs on to its exit.  The fd is closed once
    // the copy has ended.
    int release() const { return open(go_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }

    // The copy's exit status, or -1 if it did not end in time.
    int wait() {
        for (int waited = 0; waited < kWaitMs; waited += 5) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return -1;
    }

    void kill_now() const { kill(pid_, SIGKILL); }

    std::string errors() const { return read_text(err_); }
    int score() const { return score_; }

    ~Copy() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;
    Copy(Copy&&) = delete;

   private:
    int index_, score_;
    pid_t pid_ = -1;
    std::string loaded_, go_, err_;
};

class HiscoreCopiesTest : public SimTest {
   protected:
    void SetUp() override {
        SimTest::SetUp();
        // No sounds: the copies start faster, and the best score is the same.
        remove_data_folder();
        fs::create_directory("data");
    }

    // Ends the copies at once: every gate is opened before any copy is waited for.
    void end_together(const std::vector<Copy*>& copies) {
        std::vector<int> gates;
        for (Copy* c : copies) gates.push_back(c->release());
        for (int fd : gates) ASSERT_GE(fd, 0);
        for (Copy* c : copies) {
            EXPECT_EQ(c->wait(), 0) << c->errors();
            EXPECT_EQ(c->errors(), "");
        }
        for (int fd : gates) close(fd);
    }

    std::string score_file() { return read_file("data/hiscore.dat"); }
    std::mt19937 random_{20101};
};

// Ten copies each read their own score, then end one by one in shuffled
// order: after every exit the file holds the highest score seen so far.
TEST_F(HiscoreCopiesTest, TenCopiesEndingInShuffledOrderKeepTheHighest) {
    std::vector<int> scores = {300, 40, 1250, 0, 875, 60, 1250, 5, 999, 420};
    std::vector<std::unique_ptr<Copy>> copies;
    for (int i = 0; i < 10; ++i) {
        copies.push_back(std::make_unique<Copy>(i, scores[i]));
        ASSERT_NO_FATAL_FAILURE(copies.back()->start());
    }
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
        ASSERT_NO_FATAL_FAILURE(a.start());
        ASSERT_NO_FATAL_FAILURE(b.start());
        write_file("data/hiscore.dat", le_bytes(-1));  // an old best below both
        ASSERT_NO_FATAL_FAILURE(end_together({&a, &b}));
        EXPECT_EQ(score_file(), le_bytes(std::max(a.score(), b.score())));
    }
}

// A copy killed with SIGKILL at some moment of its exit leaves the old or its
// own score, whole; the lock dies with it, so the next copy saves at once.
TEST_F(HiscoreCopiesTest, ACopyKilledMidSaveLeavesOldOrNewAndNoHeldLock) {
    std::uniform_int_distribution<int> delay_us(0, 15000);  // about the length of an exit
    int old_score = 100;
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        Copy copy(round, old_score + 1 + round);
        ASSERT_NO_FATAL_FAILURE(copy.start());
        write_file("data/hiscore.dat", le_bytes(old_score));
        const int gate = copy.release();
        ASSERT_GE(gate, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random_)));
        copy.kill_now();
        copy.wait();
        close(gate);
        const std::string now = score_file();
        EXPECT_TRUE(now == le_bytes(old_score) || now == le_bytes(copy.score())) << now.size();
        if (now == le_bytes(copy.score())) old_score = copy.score();
    }
    Copy last(99, 5000);
    ASSERT_NO_FATAL_FAILURE(last.start());
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
        ASSERT_NO_FATAL_FAILURE(copy.start());
        fs::remove("data/hiscore.dat");
        if (kind == 0) {
            fs::create_directory("data/hiscore.dat");
        } else {
            ASSERT_EQ(mkfifo("data/hiscore.dat", 0600), 0);
        }
        const int gate = copy.release();
        EXPECT_EQ(copy.wait(), 0);
        close(gate);
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
