// fuzz_hiscore.cpp -- any bytes as the best-score file: loading never fails
// the game, and the score it gives is saved and read back unchanged.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/globals.hpp"
#include "app/hiscore.hpp"
#include "game/player.hpp"

namespace {

void write_score_file(const std::uint8_t* data, std::size_t size) {
    std::ofstream out("data/hiscore.dat", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace

// Every run works in a scratch folder of its own, with a data/ folder.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base = fs::exists("/dev/shm", ec) ? "/dev/shm" : fs::temp_directory_path();
    std::string dir = (base / "bodger-fuzz-XXXXXX").string();
    if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) std::abort();
    fs::create_directory("data", ec);
    player = std::make_shared<player_tag>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    write_score_file(data, size);
    player->best_sc = -7;
    hiscore_io(0);
    const int loaded = player->best_sc;
    hiscore_io(1);
    player->best_sc = -7;
    hiscore_io(0);
    if (player->best_sc != loaded) std::abort();
    return 0;
}
