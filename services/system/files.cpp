// files.cpp -- small binary files (the best score) relative to the working
// directory.  The game writes its paths with backslashes.
#include "services/system/files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

#include "services/platform/platform.hpp"

struct TStream {
    std::FILE* file = nullptr;
    bool writing = false;
    ~TStream() {
        if (file) std::fclose(file);
    }
};

namespace {

// Opens without waiting (a FIFO with nobody at the other end would block for
// ever) and hands out only regular files: a folder, FIFO or device in the
// file's place is none to the game, as a missing file is.
StreamRef OpenStream(const std::string& path, int flags, const char* mode, bool writing) {
    const int fd = ::open(HostPath(path).c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, mode);
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    auto stream = std::make_shared<TStream>();
    stream->file = file;
    stream->writing = writing;
    return stream;
}

// "cannot VERB FILE: reason", from errno.
std::string Failure(const char* verb, const std::string& file) {
    return std::string("cannot ") + verb + " " + file + ": " + std::strerror(errno);
}

// While it lives, a file-size limit makes a write fail with EFBIG instead of
// ending the process, so the old file simply stays.
class FileSizeSignalIgnored {
   public:
    FileSizeSignalIgnored() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGXFSZ, &ignore, &saved_);
    }
    ~FileSizeSignalIgnored() { sigaction(SIGXFSZ, &saved_, nullptr); }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

   private:
    struct sigaction saved_ {};
};

// Removes what an interrupted earlier save may have left under the scratch
// name: a file, a link (never what it points at), a FIFO or an empty folder.
bool ClearScratch(const std::string& host, std::string* error) {
    if (::unlink(host.c_str()) == 0 || errno == ENOENT) return true;
    if ((errno == EISDIR || errno == EPERM) && ::rmdir(host.c_str()) == 0) return true;
    *error = Failure("remove", host);
    return false;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

// Writes the scratch file; it exists afterwards only when this succeeded.
bool WriteScratch(const std::string& host, const std::string& bytes, std::string* error) {
    const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = Failure("create", host);
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (!ok) *error = Failure("write", host);
    // A file system that cannot sync (EINVAL) still gets the safer rename.
    if (ok && ::fsync(fd) != 0 && errno != EINVAL) {
        *error = Failure("sync", host);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        *error = Failure("write", host);
        ok = false;
    }
    if (!ok) ::unlink(host.c_str());
    return ok;
}

// Makes the rename itself survive a power cut; best effort.
void SyncFolderOf(const std::string& host) {
    const std::string folder = fs::path(host).parent_path().string();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string HostPath(const std::string& path) {
    std::string host = path;
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

std::string AbsoluteHostPath(const std::string& path) {
    const std::string host = HostPath(path);
    if (!host.empty() && host[0] == '/') return host;
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    if (ec) return host;
    return (here / host).string();
}

int PathKind(const std::string& path) {
    struct stat info;
    if (stat(HostPath(path).c_str(), &info) != 0) return 0;
    if (S_ISDIR(info.st_mode)) return 2;
    if (S_ISREG(info.st_mode)) return 1;
    return 0;
}

bool PathTaken(const std::string& path) {
    struct stat info;
    return lstat(HostPath(path).c_str(), &info) == 0;
}

StreamRef OpenForReading(const std::string& path) {
    return OpenStream(path, O_RDONLY, "rb", false);
}

StreamRef OpenForWriting(const std::string& path) {
    return OpenStream(path, O_WRONLY | O_CREAT | O_TRUNC, "wb", true);
}

bool ReplaceFile(const std::string& path, const std::string& scratch, const std::string& bytes,
                 std::string* error) {
    std::string reason;
    const std::string host = HostPath(path);
    const std::string scratch_host = HostPath(scratch);
    FileSizeSignalIgnored no_size_signal;
    bool ok = ClearScratch(scratch_host, &reason) && WriteScratch(scratch_host, bytes, &reason);
    if (ok && ::rename(scratch_host.c_str(), host.c_str()) != 0) {
        reason = Failure("replace", host);
        ::unlink(scratch_host.c_str());
        ok = false;
    }
    if (ok) {
        SyncFolderOf(host);
        platform::FilesChanged();  // the browser keeps its copy of the saved file
    }
    if (!ok && error) *error = reason;
    return ok;
}

int ReadInt(const StreamRef& stream) {
    if (!stream || !stream->file || stream->writing) return 0;
    unsigned char bytes[4] = {0, 0, 0, 0};
    // A short read at the end of the file leaves the missing high bytes 0.
    const std::size_t got = std::fread(bytes, 1, sizeof bytes, stream->file);
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < got; ++i) value |= std::uint32_t(bytes[i]) << (8 * i);
    return static_cast<int>(value);
}

bool WriteInt(const StreamRef& stream, int value) {
    if (!stream || !stream->file || !stream->writing) return false;
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
        static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    return std::fwrite(bytes, 1, sizeof bytes, stream->file) == sizeof bytes;
}

bool Close(const StreamRef& stream) {
    if (!stream || !stream->file) return false;
    const bool flushed = std::fflush(stream->file) == 0;
    const bool closed = std::fclose(stream->file) == 0;
    stream->file = nullptr;
    // The browser keeps saved files only when told; a save renames its
    // scratch file into place right after this, before the back end copies.
    if (stream->writing && flushed && closed) platform::FilesChanged();
    return flushed && closed;
}

bool ReadWholeFile(const std::string& path, std::string& out, std::uintmax_t max_bytes) {
    StreamRef stream = OpenForReading(path);
    if (!stream) return false;
    struct stat info;
    if (fstat(fileno(stream->file), &info) != 0 || std::uintmax_t(info.st_size) > max_bytes) {
        return false;
    }
    std::string data;
    // One allocation, rather than copies of a large file as it doubles.
    if (info.st_size > 0) data.reserve(std::size_t(info.st_size));
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream->file)) > 0) {
        data.append(chunk, got);
        if (data.size() > max_bytes) return false;  // grew while being read
    }
    if (std::ferror(stream->file)) return false;
    out = std::move(data);
    return true;
}
