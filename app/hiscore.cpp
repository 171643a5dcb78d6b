// hiscore.cpp -- the best score in data\hiscore.dat: four bytes, least
// significant first, read once at start-up and written once at exit.
#include "app/hiscore.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "services/system/files.hpp"

namespace {

constexpr const char* kScoreFile = "data\\hiscore.dat";
// Beside the score file, so the rename never crosses a file system.
constexpr const char* kScratchFile = "data\\hiscore.tmp";

// The file holds exactly one 32-bit int.
static_assert(sizeof(int) == 4, "the best score is stored as 4 bytes");

int load_best_score() {
    if (PathKind(kScoreFile) == 0) return 0;  // the first run
    // Something that exists but is no readable file (a folder, no permission) counts as 0.
    StreamRef stream = OpenForReading(kScoreFile);
    if (!stream) return 0;
    int value = ReadInt(stream);
    Close(stream);
    return value;
}

// Pushes the scratch file's bytes to the disk before it replaces the score,
// so that a power cut cannot leave an empty score file behind.  Best effort:
// some file systems cannot sync, and the rename is still the safer write.
void sync_file(const std::string& host_path) {
    int fd = ::open(host_path.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes the new score beside the old one and renames it over it: a kill,
// a crash or a full disk at any point leaves either the old or the new
// score, never an empty file.  A missing or read-only data folder leaves
// everything as it was.
void save_best_score(int value) {
    const std::string scratch = HostPath(kScratchFile);
    StreamRef stream = OpenForWriting(kScratchFile);
    if (!stream) return;
    bool ok = WriteInt(stream, value);
    ok = Close(stream) && ok;
    if (ok) sync_file(scratch);
    if (!ok || std::rename(scratch.c_str(), HostPath(kScoreFile).c_str()) != 0) {
        std::remove(scratch.c_str());
    }
}

}  // namespace

void hiscore_io(int save) {
    if (save == 0) {
        player->best_sc = load_best_score();
    } else {
        save_best_score(player->best_sc);
    }
}
