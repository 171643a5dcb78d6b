// hiscore.cpp -- the best score in data\hiscore.dat: four bytes, least
// significant first, read once at start-up and written when a game ends with
// a new best and at exit.
#include "app/hiscore.hpp"

#include <cstdint>
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
static_assert(sizeof(std::int32_t) == 4, "the best score is stored as 4 bytes");

// Something stood at the score file's name at start-up that could not be read
// (a folder, a FIFO, no permission): it may hold a score this run never saw,
// so it is never overwritten.
bool score_file_unreadable = false;

int load_best_score() {
    score_file_unreadable = false;
    if (!PathTaken(kScoreFile)) return 0;  // the first run
    StreamRef stream = OpenForReading(kScoreFile);
    if (!stream) {
        score_file_unreadable = true;
        return 0;
    }
    int value = ReadInt(stream);
    Close(stream);
    return value;
}

std::string le_bytes(int value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

// A kill, a crash or a full disk at any point leaves either the old or the
// new score, never an empty file; a failure is told in one line and the
// game goes on.
void save_best_score(int value) {
    const std::string file = HostPath(kScoreFile);
    std::string reason;
    if (score_file_unreadable) {
        reason = "it could not be read at start-up and is left as it is";
    } else if (ReplaceFile(kScoreFile, kScratchFile, le_bytes(value), &reason)) {
        return;
    }
    std::fprintf(stderr, "bodger2010: best score not saved in %s: %s\n", file.c_str(),
                 reason.c_str());
}

}  // namespace

void hiscore_io(int save) {
    if (save == 0) {
        player->best_sc = load_best_score();
    } else {
        save_best_score(player->best_sc);
    }
}
