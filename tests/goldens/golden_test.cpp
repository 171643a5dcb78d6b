// Golden runs: each script in tests/goldens/ (NAME.txt) is run in a scratch
// working directory, and every file it writes (dumps, the sound log, shots)
// must match the copy kept in tests/goldens/NAME/: text line by line, shots
// as decoded pixels.  BODGER_REGENERATE_GOLDENS=1 rewrites the kept copies
// from the current game instead (see README.md beside this file).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "services/graphics/png.hpp"
#include "tests/app/sim_fixture.hpp"
#include "tools/sim/runner.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path kGoldens = fs::path(BODGER_SOURCE_DIR) / "tests" / "goldens";

bool regenerating() {
    const char* flag = std::getenv("BODGER_REGENERATE_GOLDENS");
    return flag && std::string(flag) == "1";
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A short report of how two texts differ: the lines only one side has, in
// order, from a longest common subsequence (the files are a few hundred
// lines, so the table is small).  Empty when they are the same.
std::string text_diff(const std::string& expected, const std::string& actual) {
    if (expected == actual) return "";
    const std::vector<std::string> a = lines_of(expected), b = lines_of(actual);
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1
                                        : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    std::ostringstream out;
    int shown = 0;
    constexpr int kMaxShown = 12;
    std::size_t i = 0, j = 0;
    while ((i < n || j < m) && shown < kMaxShown) {
        if (i < n && j < m && a[i] == b[j]) {
            ++i, ++j;
        } else if (i < n && (j == m || common[i + 1][j] >= common[i][j + 1])) {
            out << "\n  -" << i + 1 << ": " << a[i];
            ++i, ++shown;
        } else {
            out << "\n  +" << j + 1 << ": " << b[j];
            ++j, ++shown;
        }
    }
    if (shown == kMaxShown) out << "\n  ...";
    if (out.str().empty()) out << "\n  (only the line endings differ)";
    return out.str();
}

bool decode(const std::string& bytes, TPngPicture& picture) {
    return DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), picture);
}

// How two shots differ as pictures (never as PNG bytes); empty when the same.
std::string shot_diff(const std::string& expected, const std::string& actual) {
    TPngPicture a, b;
    if (!decode(expected, a)) return "\n  the kept shot does not decode";
    if (!decode(actual, b)) return "\n  the new shot does not decode";
    if (a.width != b.width || a.height != b.height) {
        return "\n  size " + std::to_string(b.width) + "x" + std::to_string(b.height) +
               ", expected " + std::to_string(a.width) + "x" + std::to_string(a.height);
    }
    long differing = 0;
    std::size_t first = 0;
    for (std::size_t k = 0; k < a.pixels.size(); ++k) {
        if (a.pixels[k] != b.pixels[k] && differing++ == 0) first = k;
    }
    if (differing == 0) return "";
    char text[160];
    std::snprintf(text, sizeof text,
                  "\n  %ld pixels differ; the first at (%zu, %zu): 0x%08X, expected 0x%08X",
                  differing, first % std::size_t(a.width), first / std::size_t(a.width),
                  unsigned(b.pixels[first]), unsigned(a.pixels[first]));
    return text;
}

std::set<std::string> files_in(const fs::path& dir) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.is_regular_file()) names.insert(entry.path().filename().string());
    }
    return names;
}

struct Golden {
    const char* name;
};
// Names the run in test listings, instead of the bytes of the parameter.
void PrintTo(const Golden& golden, std::ostream* out) {
    *out << golden.name;
}

class GoldenTest : public SimTest, public ::testing::WithParamInterface<Golden> {};

TEST_P(GoldenTest, WritesWhatIsKept) {
    const std::string name = GetParam().name;
    const fs::path script = kGoldens / (name + ".txt");
    const fs::path kept = kGoldens / name;
    ASSERT_TRUE(fs::exists(script)) << script;

    // The run writes into out/, so that only its own files are compared.
    fs::create_directory("out");
    fs::copy_file(script, "script.txt");
    fs::current_path("out");
    fs::create_directory_symlink(fs::path(dir_) / "data", "data");
    const int status = run_script_file("../script.txt", &message_);
    fs::remove("data");
    fs::current_path(dir_);
    ASSERT_EQ(status, 0) << message_;
    const std::set<std::string> written = files_in("out");
    ASSERT_FALSE(written.empty()) << "the script writes nothing to compare";

    if (regenerating()) {
        fs::remove_all(kept);
        fs::create_directories(kept);
        for (const std::string& file : written) fs::copy_file(fs::path("out") / file, kept / file);
        std::printf("regenerated %s: %zu files\n", kept.c_str(), written.size());
        return;
    }

    const std::set<std::string> expected = files_in(kept);
    for (const std::string& file : expected) {
        if (!written.count(file)) ADD_FAILURE() << name << "/" << file << ": no longer written";
    }
    for (const std::string& file : written) {
        if (!expected.count(file)) {
            ADD_FAILURE() << name << "/" << file << ": written but not kept";
            continue;
        }
        const std::string want = read_file((kept / file).string());
        const std::string got = read_file((fs::path("out") / file).string());
        const bool shot = fs::path(file).extension() == ".png";
        const std::string diff = shot ? shot_diff(want, got) : text_diff(want, got);
        EXPECT_TRUE(diff.empty()) << name << "/" << file << " differs (- kept, + now):" << diff
                                  << "\n  (BODGER_REGENERATE_GOLDENS=1 rewrites the kept files)";
    }
}

// One script per subject; the names are the files' in tests/goldens/.
INSTANTIATE_TEST_SUITE_P(Runs, GoldenTest,
                         ::testing::Values(Golden{"title_options"}, Golden{"death_brick"},
                                           Golden{"death_pit"}, Golden{"death_side_shot"},
                                           Golden{"death_falling"}, Golden{"death_trap_door"},
                                           Golden{"realm_advance"}, Golden{"tnt_blast"},
                                           Golden{"pause"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GoldenDiffTest, ReportsOnlyTheLinesThatChanged) {
    EXPECT_EQ(text_diff("a\nb\nc\n", "a\nb\nc\n"), "");
    EXPECT_EQ(text_diff("a\nb\nc\n", "a\nx\nc\n"), "\n  -2: b\n  +2: x");
    EXPECT_EQ(text_diff("1 pickup\n", "1 pickup\n3 yeah\n"), "\n  +2: 3 yeah");
    EXPECT_EQ(text_diff("a\n", "a"), "\n  (only the line endings differ)");
}

}  // namespace
