// file_lock.hpp -- an advisory lock on a small file, so that copies of the
// game saving into one folder take turns.  The system lets go of it when the
// holder ends, however it ends, so a killed copy never leaves it held.
#pragma once

#include <string>

class TFileLock {
   public:
    // Opens (creating it empty if missing) the file at `path` and waits up to
    // wait_ms for the lock.  held() is false when another holder kept it all
    // that time (busy()) or the file could not be used as a lock; why() says
    // which, naming the file.
    TFileLock(const std::string& path, int wait_ms);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    bool held() const { return held_; }
    bool busy() const { return busy_; }
    const std::string& why() const { return why_; }

   private:
    int fd_ = -1;
    bool held_ = false;
    bool busy_ = false;
    std::string why_;
};
