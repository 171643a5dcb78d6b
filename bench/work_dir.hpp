// work_dir.hpp -- a scratch working directory for the headless benchmarks:
// a fresh data/ that links the repository's sounds (or holds nothing), made
// the current directory for the object's lifetime.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class BenchWorkDir {
   public:
    explicit BenchWorkDir(bool with_sounds = true) : old_(std::filesystem::current_path()) {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "bodger-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern;
        fs::create_directory(dir_ / "data");
        const fs::path source = fs::path(BODGER_SOURCE_DIR) / "data";
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(source, ec)) {
            if (with_sounds && entry.path().extension() == ".ogg") {
                fs::create_symlink(entry.path(), dir_ / "data" / entry.path().filename());
            }
        }
        fs::current_path(dir_);
    }
    ~BenchWorkDir() {
        std::filesystem::current_path(old_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    BenchWorkDir(const BenchWorkDir&) = delete;
    BenchWorkDir& operator=(const BenchWorkDir&) = delete;

   private:
    std::filesystem::path old_, dir_;
};
