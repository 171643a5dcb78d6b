// files.hpp -- small binary files relative to the working directory.  Paths
// are written with backslashes ("data\hiscore.dat") and mapped to '/'.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

struct TStream;
using StreamRef = std::shared_ptr<TStream>;

std::string HostPath(const std::string& path);      // "data\x.dat" -> "data/x.dat"
int PathKind(const std::string& path);              // 0 nothing, 1 file, 2 directory
StreamRef OpenForReading(const std::string& path);  // none if missing or not a file
StreamRef OpenForWriting(const std::string& path);  // created or emptied; none on failure
// 4 bytes, least significant first; bytes past the end of the file read as 0.
int ReadInt(const StreamRef& stream);
bool WriteInt(const StreamRef& stream, int value);  // false when the write failed
bool Close(const StreamRef& stream);  // flushes and closes; false when the flush failed
// Reads a whole file into memory; false when it is missing, not a file, longer
// than max_bytes or unreadable (out is left as it was then).
bool ReadWholeFile(const std::string& path, std::string& out,
                   std::uintmax_t max_bytes = UINTMAX_MAX);
