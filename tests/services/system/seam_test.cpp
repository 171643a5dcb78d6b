// Only the SDL back end (and the benchmarks' peers) may see SDL: everything
// else goes through the platform seam.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool IsSource(const fs::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".cpp" || ext == ".hpp" || ext == ".h" || ext == ".cc" || ext == ".c";
}

// Folders that are not the project's sources (build trees and hidden ones),
// and the SDL back end with its own tests.
bool Skipped(const fs::path& relative) {
    const std::string top = relative.begin()->string();
    const std::string path = relative.generic_string();
    return top.rfind("build", 0) == 0 || top.rfind(".", 0) == 0 || top == "bench" ||
           path.rfind("services/platform/sdl", 0) == 0 || path.rfind("tests/platform/sdl", 0) == 0;
}

std::vector<std::string> FilesIncludingSdl(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*[<"](SDL2/)?SDL[A-Za-z0-9_]*\.h[>"])");
    std::vector<std::string> found;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const fs::path relative = fs::relative(it->path(), root);
        if (Skipped(relative)) {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || !IsSource(it->path())) continue;
        std::ifstream in(it->path());
        std::string line;
        while (std::getline(in, line)) {
            if (std::regex_search(line, include)) {
                found.push_back(relative.generic_string() + ": " + line);
                break;
            }
        }
    }
    return found;
}

TEST(SeamTest, NoSdlHeaderOutsideTheSdlBackEnd) {
    const fs::path root = BODGER_SOURCE_DIR;
    ASSERT_TRUE(fs::exists(root / "services/platform/platform.hpp"));
    const std::vector<std::string> found = FilesIncludingSdl(root);
    std::string list;
    for (const std::string& f : found) list += "\n  " + f;
    EXPECT_TRUE(found.empty()) << "SDL included outside services/platform/sdl:" << list;
}

}  // namespace
