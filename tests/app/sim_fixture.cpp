// sim_fixture.cpp -- the working directory and the helpers of the app tests.
#include "tests/app/sim_fixture.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/globals.hpp"
#include "services/system/app.hpp"
#include "tools/sim/runner.hpp"

namespace fs = std::filesystem;

void SimTest::SetUp() {
    old_cwd_ = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "bodger-app-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    fs::current_path(dir_);
    link_sounds_except("");
}

void SimTest::TearDown() {
    fs::current_path(old_cwd_);
    std::error_code ec;
    fs::permissions(fs::path(dir_) / "data", fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
}

void SimTest::link_sounds_except(const std::string& skipped) {
    fs::remove_all("data");
    fs::create_directory("data");
    const fs::path source = fs::path(BODGER_SOURCE_DIR) / "data";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(source, ec)) {
        if (entry.path().extension() != ".ogg") continue;
        const std::string stem = entry.path().stem().string();
        if (("," + skipped + ",").find("," + stem + ",") != std::string::npos) continue;
        fs::create_symlink(entry.path(), fs::path("data") / entry.path().filename());
    }
}

void SimTest::remove_data_folder() {
    fs::remove_all("data");
}

int SimTest::run(const std::string& script) {
    message_.clear();
    return run_script(script, &message_);
}

int SimTest::run_to_exit(int quit_at, const std::string& extra) {
    return run("at 0 key press 27\nat " + std::to_string(quit_at) + " key press 27\n" + extra);
}

std::string SimTest::read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void SimTest::write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool SimTest::exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string SimTest::dump_text(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\": ";
    std::size_t at = json.find(key);
    if (at == std::string::npos) return "";
    at += key.size();
    std::size_t end = json.find_first_of(",}]\n", at);
    return json.substr(at, end - at);
}

long long SimTest::dump_int(const std::string& json, const std::string& name) {
    const std::string text = dump_text(json, name);
    EXPECT_FALSE(text.empty()) << "no field " << name;
    return std::atoll(text.c_str());
}
