// files.hpp -- small binary files relative to the working directory.  Paths
// are written with backslashes ("data\hiscore.dat") and mapped to '/'.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

struct TStream;
using StreamRef = std::shared_ptr<TStream>;

std::string HostPath(const std::string& path);  // "data\x.dat" -> "data/x.dat"
// The same from the root, for messages a player acts on ("/home/.../data/x.dat");
// the host path as it is when the working directory cannot be named.
std::string AbsoluteHostPath(const std::string& path);
int PathKind(const std::string& path);    // 0 nothing, 1 file, 2 directory
bool PathTaken(const std::string& path);  // anything at all there, a dangling link included
// None if missing or not a regular file; a FIFO or device is refused without waiting.
StreamRef OpenForReading(const std::string& path);
StreamRef OpenForWriting(const std::string& path);  // created or emptied; none on failure
// 4 bytes, least significant first; bytes past the end of the file read as 0.
int ReadInt(const StreamRef& stream);
bool WriteInt(const StreamRef& stream, int value);  // false when the write failed
bool Close(const StreamRef& stream);  // flushes and closes; false when the flush failed
// Replaces the file at `path` with `bytes` in one step: they are written to
// `scratch` (created afresh, never through a link; a stale thing of that name
// is removed first), synced and renamed over `path`.  On failure the old file
// is untouched, no scratch is left, and `error` says which file failed and why.
// A file-size limit makes the write fail instead of ending the process.
bool ReplaceFile(const std::string& path, const std::string& scratch, const std::string& bytes,
                 std::string* error);
// Reads a whole file into memory; false when it is missing, not a file, longer
// than max_bytes or unreadable (out is left as it was then).
bool ReadWholeFile(const std::string& path, std::string& out,
                   std::uintmax_t max_bytes = UINTMAX_MAX);
