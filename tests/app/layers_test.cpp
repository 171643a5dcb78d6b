// The game's layers, top to bottom: a file includes headers of its own layer
// or of layers below it, never above.  The order is the README's.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Layer {
    std::string_view name;
    int height;  // higher layers call lower ones
};

// Longest prefix wins, so the program's resources in app/ sit below the
// rest of app/, and the platform below the services above it.
struct Owner {
    std::string_view prefix;
    Layer layer;
};
constexpr Layer kTools{"tools", 8}, kApp{"app", 7}, kScreens{"screens", 6}, kGame{"game", 5},
    kFx{"fx", 4}, kDraw{"draw", 3}, kResources{"resources", 2}, kServices{"services", 1},
    kPlatform{"platform", 0};
constexpr std::array<Owner, 13> kOwners = {{
    {"tools/", kTools},
    {"app/", kApp},
    {"screens/", kScreens},
    {"game/", kGame},
    {"fx/", kFx},
    {"draw/", kDraw},
    {"app/assets.", kResources},
    {"app/options.", kResources},
    {"app/sprite_frames.", kResources},
    {"assets/", kResources},
    {"services/", kServices},
    {"services/platform/", kPlatform},
    {"services/platform/platform.hpp", kPlatform},
}};

// The layer of a path relative to the source root, or nullptr when the path
// is no part of the program (tests, benchmarks, system headers).
const Layer* LayerOf(std::string_view path) {
    const Owner* best = nullptr;
    for (const Owner& o : kOwners) {
        if (path.substr(0, o.prefix.size()) == o.prefix &&
            (!best || o.prefix.size() > best->prefix.size())) {
            best = &o;
        }
    }
    return best ? &best->layer : nullptr;
}

bool IncludeAllowed(std::string_view from, std::string_view header) {
    const Layer* a = LayerOf(from);
    const Layer* b = LayerOf(header);
    return !a || !b || b->height <= a->height;
}

std::vector<std::string> UpwardIncludes(const fs::path& root) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> found;
    for (const char* top :
         {"app", "screens", "game", "fx", "draw", "assets", "services", "tools"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".hpp")) continue;
            const std::string from = fs::relative(entry.path(), root).generic_string();
            std::ifstream in(entry.path());
            std::string line;
            std::smatch m;
            while (std::getline(in, line)) {
                if (std::regex_search(line, m, include) && !IncludeAllowed(from, m[1].str())) {
                    found.push_back(from + " (" + std::string(LayerOf(from)->name) + ") -> " +
                                    m[1].str() + " (" + std::string(LayerOf(m[1].str())->name) +
                                    ")");
                }
            }
        }
    }
    return found;
}

TEST(LayersTest, TheOrderPutsEachPartWhereTheReadmeSays) {
    EXPECT_EQ(LayerOf("app/main_loop.cpp")->name, "app");
    EXPECT_EQ(LayerOf("app/assets.hpp")->name, "resources");
    EXPECT_EQ(LayerOf("game/cell_update.cpp")->name, "game");
    EXPECT_EQ(LayerOf("services/platform/sdl/window.cpp")->name, "platform");
    EXPECT_EQ(LayerOf("services/system/list.hpp")->name, "services");
    EXPECT_EQ(LayerOf("tests/app/layers_test.cpp"), nullptr);

    EXPECT_TRUE(IncludeAllowed("screens/play.cpp", "game/deaths.hpp"));
    EXPECT_TRUE(IncludeAllowed("fx/brick.cpp", "app/assets.hpp"));
    EXPECT_TRUE(IncludeAllowed("services/graphics/display.cpp", "services/platform/platform.hpp"));
    EXPECT_FALSE(IncludeAllowed("fx/brick.cpp", "game/level.hpp"));
    EXPECT_FALSE(IncludeAllowed("game/player.cpp", "screens/play.hpp"));
    EXPECT_FALSE(IncludeAllowed("game/level.cpp", "app/globals.hpp"));
    EXPECT_FALSE(IncludeAllowed("app/assets.cpp", "app/main_loop.hpp"));
    EXPECT_FALSE(IncludeAllowed("services/system/files.cpp", "draw/qwdraw.hpp"));
}

TEST(LayersTest, NoIncludePointsUpwards) {
    const fs::path root = BODGER_SOURCE_DIR;
    ASSERT_TRUE(fs::exists(root / "app/main_loop.cpp"));
    const std::vector<std::string> found = UpwardIncludes(root);
    std::string list;
    for (const std::string& f : found) list += "\n  " + f;
    EXPECT_TRUE(found.empty()) << "includes that point to a higher layer:" << list;
}

}  // namespace
