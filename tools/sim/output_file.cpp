// output_file.cpp -- opening the run's output files: regular files only,
// never blocking on the open.
#include "tools/sim/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

namespace {

std::string kind_refusal(mode_t mode) {
    if (S_ISREG(mode)) return "";
    if (S_ISDIR(mode)) return "a folder, not a regular file";
    if (S_ISFIFO(mode)) return "a FIFO, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a regular file";
    if (S_ISSOCK(mode)) return "a socket, not a regular file";
    return "not a regular file";
}

void say(std::string* why, const std::string& reason) {
    if (why) *why = reason;
}

}  // namespace

std::string output_refusal(const std::string& path) {
    struct stat st;
    // Missing (or unreachable): the open tells, when it is tried.
    if (::stat(path.c_str(), &st) != 0) return "";
    return kind_refusal(st.st_mode);
}

bool OutputFile::write(std::string_view bytes) {
    if (!file_ || failed_) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) failed_ = true;
    return !failed_;
}

bool OutputFile::flush() {
    if (!file_ || failed_) return false;
    if (std::fflush(file_.get()) != 0) failed_ = true;
    return !failed_;
}

bool OutputFile::close() {
    if (!file_) return !failed_;
    if (std::fclose(file_.release()) != 0) failed_ = true;
    return !failed_;
}

OutputFile open_output_file(const std::string& path, std::string* why) {
    say(why, "");
    OutputFile out;
    // A device is never opened at all: opening some of them does something.
    std::string refusal = output_refusal(path);
    if (!refusal.empty()) {
        say(why, refusal);
        return out;
    }
    // Not truncated yet: the path may have changed since it was looked at.
    // O_NONBLOCK makes a FIFO fail or open at once instead of waiting for a
    // reader; on the regular file that is kept it changes nothing.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        say(why, output_refusal(path));
        return out;
    }
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        say(why, known ? kind_refusal(st.st_mode) : "");
        ::close(fd);
        return out;
    }
    std::FILE* file = ::ftruncate(fd, 0) == 0 ? ::fdopen(fd, "w") : nullptr;
    if (!file) {
        ::close(fd);
        return out;
    }
    out.file_.reset(file);
    return out;
}

}  // namespace sim
