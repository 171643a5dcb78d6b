// files.cpp -- small binary files (the best score) relative to the working
// directory.  The game writes its paths with backslashes.
#include "services/system/files.hpp"

#include <sys/stat.h>

#include <algorithm>

#include "services/platform/platform.hpp"

struct TStream {
    std::FILE* file = nullptr;
    bool writing = false;
    ~TStream() {
        if (file) std::fclose(file);
    }
};

namespace {

bool IsRegularFile(std::FILE* file) {
    struct stat info;
    return fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
}

StreamRef OpenStream(const std::string& path, const char* mode, bool writing) {
    std::FILE* file = std::fopen(HostPath(path).c_str(), mode);
    if (!file) return nullptr;
    // Opening a directory for reading succeeds on this platform; the game
    // must get none, as it would for any other thing that is not a file.
    if (!IsRegularFile(file)) {
        std::fclose(file);
        return nullptr;
    }
    auto stream = std::make_shared<TStream>();
    stream->file = file;
    stream->writing = writing;
    return stream;
}

}  // namespace

std::string HostPath(const std::string& path) {
    std::string host = path;
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

int PathKind(const std::string& path) {
    struct stat info;
    if (stat(HostPath(path).c_str(), &info) != 0) return 0;
    if (S_ISDIR(info.st_mode)) return 2;
    if (S_ISREG(info.st_mode)) return 1;
    return 0;
}

StreamRef OpenForReading(const std::string& path) {
    return OpenStream(path, "rb", false);
}

StreamRef OpenForWriting(const std::string& path) {
    return OpenStream(path, "wb", true);
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

bool ReadWholeFile(const std::string& path, std::string& out) {
    StreamRef stream = OpenForReading(path);
    if (!stream) return false;
    std::string data;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream->file)) > 0) data.append(chunk, got);
    if (std::ferror(stream->file)) return false;
    out = std::move(data);
    return true;
}
