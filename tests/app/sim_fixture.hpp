// sim_fixture.hpp -- whole-program runs through the runner, in process, in a
// fresh working directory whose data/ folder links the repository's sounds.
#pragma once

#include <gtest/gtest.h>

#include <string>

class SimTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the script in the working directory; the message goes to message_.
    int run(const std::string& script);
    // Runs a script that skips the splash at once and presses Escape in the
    // title menu at frame `quit_at`, so the program ends after that frame.
    int run_to_exit(int quit_at = 3, const std::string& extra = "");

    // data/ with every sound but the ones whose base name is listed (comma separated).
    void link_sounds_except(const std::string& skipped);
    void remove_data_folder();

    static std::string read_file(const std::string& path);  // "" when missing
    static void write_file(const std::string& path, const std::string& bytes);
    static bool exists(const std::string& path);
    // The number after "name": in a dump (the first such field).
    static long long dump_int(const std::string& json, const std::string& name);
    static std::string dump_text(const std::string& json, const std::string& name);

    std::string dir_;      // the working directory of the run
    std::string message_;  // the runner's message of the last run

   private:
    std::string old_cwd_;
};
