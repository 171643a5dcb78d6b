// The game's layers, top to bottom: a file includes headers of its own layer
// or of layers below it, never above.  The order is the README's.  And no
// include circles: neither between files (a header and its source counting
// as one unit) nor between folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Layer {
    std::string_view name;
    int height;  // higher layers call lower ones
};

// Longest prefix wins, so the platform sits below the services above it.
struct Owner {
    std::string_view prefix;
    Layer layer;
};
constexpr Layer kTools{"tools", 8}, kApp{"app", 7}, kScreens{"screens", 6}, kGame{"game", 5},
    kFx{"fx", 4}, kDraw{"draw", 3}, kResources{"resources", 2}, kServices{"services", 1},
    kPlatform{"platform", 0};
constexpr std::array<Owner, 11> kOwners = {{
    {"tools/", kTools},
    {"app/", kApp},
    {"screens/", kScreens},
    {"game/", kGame},
    {"fx/", kFx},
    {"draw/", kDraw},
    {"resources/", kResources},
    {"assets/", kResources},
    {"services/", kServices},
    {"services/platform/", kPlatform},
    {"services/platform/platform.hpp", kPlatform},
}};

// The folders holding the program's sources (tests and benchmarks are no part).
constexpr std::array<const char*, 9> kTops = {"app",       "screens", "game",     "fx",   "draw",
                                              "resources", "assets",  "services", "tools"};

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

struct Include {
    std::string from, header;  // paths relative to the source root
};

// Every quoted include of the program's sources that names one of its files.
std::vector<Include> ProgramIncludes(const fs::path& root) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<Include> found;
    for (const char* top : kTops) {
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".hpp")) continue;
            const std::string from = fs::relative(entry.path(), root).generic_string();
            std::ifstream in(entry.path());
            std::string line;
            std::smatch m;
            while (std::getline(in, line)) {
                if (std::regex_search(line, m, include) && fs::exists(root / m[1].str())) {
                    found.push_back({from, m[1].str()});
                }
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const Include& a, const Include& b) {
        return a.from != b.from ? a.from < b.from : a.header < b.header;
    });
    return found;
}

std::vector<std::string> UpwardIncludes(const std::vector<Include>& includes) {
    std::vector<std::string> found;
    for (const Include& i : includes) {
        if (!IncludeAllowed(i.from, i.header)) {
            found.push_back(i.from + " (" + std::string(LayerOf(i.from)->name) + ") -> " +
                            i.header + " (" + std::string(LayerOf(i.header)->name) + ")");
        }
    }
    return found;
}

using Graph = std::map<std::string, std::set<std::string>>;

std::string UnitOf(const std::string& path) {
    return fs::path(path).replace_extension().generic_string();
}
std::string FolderOf(const std::string& path) {
    return fs::path(path).parent_path().generic_string();
}

// The include graph between units (or folders, by `node`), without self-loops.
Graph GraphOf(const std::vector<Include>& includes,
              const std::function<std::string(const std::string&)>& node) {
    Graph g;
    for (const Include& i : includes) {
        const std::string a = node(i.from), b = node(i.header);
        g[b];
        if (a != b) g[a].insert(b);
    }
    return g;
}

// The groups of nodes that reach one another (Tarjan's strongly connected
// components), each with at least two nodes, in a stable order.
std::vector<std::set<std::string>> Circles(const Graph& g) {
    std::map<std::string, int> index, low;
    std::vector<std::string> stack;
    std::set<std::string> on_stack;
    std::vector<std::set<std::string>> found;
    int next = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& v) {
        index[v] = low[v] = next++;
        stack.push_back(v);
        on_stack.insert(v);
        for (const std::string& w : g.at(v)) {
            if (!index.count(w)) {
                visit(w);
                low[v] = std::min(low[v], low[w]);
            } else if (on_stack.count(w)) {
                low[v] = std::min(low[v], index[w]);
            }
        }
        if (low[v] != index[v]) return;
        std::set<std::string> group;
        std::string w;
        do {
            w = stack.back();
            stack.pop_back();
            on_stack.erase(w);
            group.insert(w);
        } while (w != v);
        if (group.size() > 1) found.push_back(group);
    };
    for (const auto& [v, edges] : g) {
        if (!index.count(v)) visit(v);
    }
    std::sort(found.begin(), found.end());
    return found;
}

// One way round a group: from its first node along includes that stay in the
// group, back to the start ("a -> b -> a").
std::string PathRound(const Graph& g, const std::set<std::string>& group) {
    const std::string& start = *group.begin();
    std::map<std::string, std::string> came_from;
    std::vector<std::string> frontier = {start};
    while (!frontier.empty()) {
        std::vector<std::string> next;
        for (const std::string& v : frontier) {
            for (const std::string& w : g.at(v)) {
                if (!group.count(w)) continue;
                if (w == start) {
                    std::vector<std::string> path = {start};
                    for (std::string at = v; at != start; at = came_from[at]) path.push_back(at);
                    std::string text = start;
                    for (auto it = path.rbegin(); it != path.rend(); ++it) {
                        if (*it != start) text += " -> " + *it;
                    }
                    return text + " -> " + start;
                }
                if (!came_from.count(w)) {
                    came_from[w] = v;
                    next.push_back(w);
                }
            }
        }
        frontier = next;
    }
    return start;
}

// Every circle of the graph, named by one way round it.
std::vector<std::string> CircleReport(const Graph& g, const std::string& noun) {
    std::vector<std::string> found;
    for (const auto& group : Circles(g)) {
        found.push_back(PathRound(g, group) + " (" + std::to_string(group.size()) + " " + noun +
                        " reach one another)");
    }
    return found;
}

std::string Lines(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& s : list) text += "\n  " + s;
    return text;
}

TEST(LayersTest, TheOrderPutsEachPartWhereTheReadmeSays) {
    EXPECT_EQ(LayerOf("app/main_loop.cpp")->name, "app");
    EXPECT_EQ(LayerOf("resources/assets.hpp")->name, "resources");
    EXPECT_EQ(LayerOf("screens/frame.cpp")->name, "screens");
    EXPECT_EQ(LayerOf("game/flow.cpp")->name, "game");
    EXPECT_EQ(LayerOf("services/platform/sdl/window.cpp")->name, "platform");
    EXPECT_EQ(LayerOf("services/lifecycle.cpp")->name, "services");
    EXPECT_EQ(LayerOf("tests/app/layers_test.cpp"), nullptr);

    EXPECT_TRUE(IncludeAllowed("screens/play.cpp", "game/flow.hpp"));
    EXPECT_TRUE(IncludeAllowed("fx/brick.cpp", "resources/assets.hpp"));
    EXPECT_TRUE(IncludeAllowed("services/graphics/display.cpp", "services/platform/platform.hpp"));
    EXPECT_FALSE(IncludeAllowed("fx/brick.cpp", "game/level.hpp"));
    EXPECT_FALSE(IncludeAllowed("game/flow.cpp", "screens/play.hpp"));
    EXPECT_FALSE(IncludeAllowed("game/level.cpp", "app/globals.hpp"));
    EXPECT_FALSE(IncludeAllowed("resources/assets.cpp", "draw/qwdraw.hpp"));
    EXPECT_FALSE(IncludeAllowed("services/system/files.cpp", "draw/qwdraw.hpp"));
}

TEST(LayersTest, ACircleIsFoundAndNamedByOneWayRound) {
    const std::vector<Include> includes = {
        {"game/a.cpp", "game/a.hpp"}, {"game/a.cpp", "game/b.hpp"}, {"game/b.cpp", "game/c.hpp"},
        {"game/c.hpp", "game/a.hpp"}, {"fx/d.cpp", "game/a.hpp"},   {"game/b.cpp", "fx/e.hpp"}};
    const Graph units = GraphOf(includes, UnitOf);
    EXPECT_EQ(CircleReport(units, "files"),
              std::vector<std::string>{
                  "game/a -> game/b -> game/c -> game/a (3 files reach one another)"});
    // fx/d includes game/a and game/b includes fx/e: no circle of files, but
    // one of folders.
    EXPECT_EQ(CircleReport(GraphOf(includes, FolderOf), "folders"),
              std::vector<std::string>{"fx -> game -> fx (2 folders reach one another)"});
}

TEST(LayersTest, NoIncludePointsUpwards) {
    const fs::path root = BODGER_SOURCE_DIR;
    ASSERT_TRUE(fs::exists(root / "app/main_loop.cpp"));
    const std::vector<std::string> found = UpwardIncludes(ProgramIncludes(root));
    EXPECT_TRUE(found.empty()) << "includes that point to a higher layer:" << Lines(found);
}

TEST(LayersTest, NoIncludeCircleBetweenFilesOrFolders) {
    const fs::path root = BODGER_SOURCE_DIR;
    const std::vector<Include> includes = ProgramIncludes(root);
    ASSERT_GT(includes.size(), 100u);
    const Graph units = GraphOf(includes, UnitOf);
    const std::vector<std::string> files = CircleReport(units, "files");
    EXPECT_TRUE(files.empty()) << "include circles between files:" << Lines(files);
    const std::vector<std::string> folders = CircleReport(GraphOf(includes, FolderOf), "folders");
    EXPECT_TRUE(folders.empty()) << "include circles between folders:" << Lines(folders);
}

}  // namespace
