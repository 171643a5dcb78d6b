// hiscore.cpp -- the best score in data\hiscore.dat: four bytes, least
// significant first, read once at start-up and written when a game ends with
// a new best and at exit.  Several copies of the game may share the file, so
// a save never puts a lower score over a higher one another copy wrote.
#include "app/hiscore.hpp"

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "services/system/file_lock.hpp"
#include "services/system/files.hpp"

namespace {

constexpr const char* kScoreFile = "data\\hiscore.dat";
// Beside the score file, so the rename never crosses a file system.
constexpr const char* kScratchFile = "data\\hiscore.tmp";
// Copies saving at the same moment take turns on this file; it stays, empty.
constexpr const char* kLockFile = "data\\hiscore.lock";
// A save holds the lock for milliseconds; a slow disk's sync may take seconds.
constexpr int kLockWaitMs = 10000;

// The file holds exactly one 32-bit int.
static_assert(sizeof(std::int32_t) == 4, "the best score is stored as 4 bytes");

enum class OnDisk { Nothing, Score, Unreadable };

// What stands at the score file's name.  Something that cannot be read (a
// folder, a FIFO, no permission) may hold a score this run never saw.
OnDisk read_score_file(int* score) {
    *score = 0;
    if (!PathTaken(kScoreFile)) return OnDisk::Nothing;
    StreamRef stream = OpenForReading(kScoreFile);
    if (!stream) return OnDisk::Unreadable;
    *score = ReadInt(stream);
    Close(stream);
    return OnDisk::Score;
}

int load_best_score() {
    int value = 0;
    read_score_file(&value);  // the first run and an unreadable file both give 0
    return value;
}

std::string le_bytes(int value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

// Under the lock, the file is read again just before the write: a higher
// score another copy saved since start-up stays, and an equal one is written
// back in the file's own 4-byte form.  A kill, a crash or a full disk at any
// point leaves either the old or the new score, never an empty file; a
// failure is told in one line naming the file, and the game goes on.
void save_best_score(int value) {
    std::string reason;
    const TFileLock lock(kLockFile, kLockWaitMs);
    // A lock file that cannot be used (a read-only folder) does not stop the
    // save: it then fails, or succeeds, on its own terms.
    if (lock.busy()) {
        reason = lock.why();
    } else {
        int on_disk = 0;
        switch (read_score_file(&on_disk)) {
            case OnDisk::Unreadable:
                reason = "it cannot be read and is left as it is";
                break;
            case OnDisk::Score:
                if (on_disk > value) return;
                [[fallthrough]];
            case OnDisk::Nothing:
                if (ReplaceFile(kScoreFile, kScratchFile, le_bytes(value), &reason)) return;
                break;
        }
    }
    std::fprintf(stderr, "bodger2010: best score not saved in %s: %s\n",
                 AbsoluteHostPath(kScoreFile).c_str(), reason.c_str());
}

}  // namespace

void hiscore_io(int save) {
    if (save == 0) {
        player->best_sc = load_best_score();
    } else {
        save_best_score(player->best_sc);
    }
}
