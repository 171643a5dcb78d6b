// file_lock.cpp -- flock on a lock file: released by the kernel when the
// holding process ends, so a copy killed mid-save cannot leave it held.
#include "services/system/file_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "services/system/files.hpp"

namespace {

// Never through a link, never waiting on a FIFO; a folder or device at the
// name is refused below.  A lock file someone else owns may still be read.
int OpenLockFile(const std::string& host) {
    const int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(host.c_str(), O_RDWR | flags, 0666);
    if (fd < 0 && errno == EACCES) fd = ::open(host.c_str(), O_RDONLY | flags, 0666);
    return fd;
}

}  // namespace

TFileLock::TFileLock(const std::string& path, int wait_ms) {
    const std::string host = HostPath(path);
    fd_ = OpenLockFile(host);
    if (fd_ < 0) {
        why_ = "cannot open " + host + ": " + std::strerror(errno);
        return;
    }
    struct stat info;
    if (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        why_ = "cannot lock " + host + ": not a regular file";
        return;
    }
    // Real time, not the game's clock: the headless runner's clock is virtual
    // and must not move for a wait the script never asked for.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
    for (;;) {
        // The deadline is read before the try, so a copy that was stopped
        // while waiting still tries once more when it wakes.
        const bool last_try = std::chrono::steady_clock::now() >= deadline;
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            why_ = "cannot lock " + host + ": " + std::strerror(errno);
            return;
        }
        if (last_try) {
            busy_ = true;
            why_ = "another copy of the game kept " + host + " locked";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

TFileLock::~TFileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
}
