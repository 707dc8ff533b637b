// The folders of src/ are layers, and dependencies only point down: a file
// includes its own folder and the folders of lower layers, never a higher
// one. Two folders on the same rank may use each other only in a direction
// listed here. Inside one folder the modules (a header with its source file)
// do not depend on each other in a circle. Headers of SDL, OpenGL and the
// operating system stay in the folders that wrap them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Bottom to top.
const std::map<std::string, int> LayerRanks = {
    {"base", 1},      // plain helpers without input or output
    {"platform", 2},  // window, input, timer, files, shell, text window, replays of input
    {"config", 3},    // paths, settings, language strings, the message dialog
    {"assets", 4},    // the texture catalogue, sound and music
    {"level", 5},     // the level model, level files, level packs
    {"play", 6},      // the simulation and the frame clock it reads
    {"gfx", 7},       // the renderer, text, texture upload, the HUD, the menu overlay
    {"progress", 8},  // profiles and statistics
    {"editor", 9},    // the level editor and its overlay
    {"frontend", 9},  // the menus and the level screens
    {"app", 10},      // start-up, the main flow, quit, the replay runner, main
};

// Same-rank folders: (from, to) where `from` may include `to`.
const std::set<std::pair<std::string, std::string>> AllowedSiblings = {
    {"frontend", "editor"},  // the main menu opens the editor
};

// System headers by the start of their name, and the only folders that may
// include them.
struct WrappedHeader {
    const char* prefix;
    std::set<std::string> folders;
};
const std::vector<WrappedHeader> WrappedHeaders = {
    {"SDL", {"platform", "assets"}},  // assets for SDL_mixer only
    {"GL/", {"gfx"}},
    {"unistd.h", {"platform"}},
    {"dirent.h", {"platform"}},
    {"fcntl.h", {"platform"}},
    {"sys/", {"platform"}},
    {"signal.h", {"platform"}},
    {"csignal", {"platform"}},
    {"windows.h", {"platform"}},
    {"shlobj.h", {"platform"}},
    {"emscripten", {"platform"}},
};

struct Include {
    std::string target;  // between the quotes or angle brackets
    bool system = false; // <...>
    int line = 0;
};

std::vector<Include> includesOf(const fs::path& file) {
    std::vector<Include> found;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        const std::size_t hash = text.find_first_not_of(" \t");
        if (hash == std::string::npos || text.compare(hash, 1, "#") != 0) continue;
        const std::size_t word = text.find_first_not_of(" \t", hash + 1);
        if (word == std::string::npos || text.compare(word, 7, "include") != 0) continue;
        const std::size_t open = text.find_first_of("\"<", word + 7);
        if (open == std::string::npos) continue;
        const char close = text[open] == '"' ? '"' : '>';
        const std::size_t end = text.find(close, open + 1);
        if (end == std::string::npos) continue;
        found.push_back({text.substr(open + 1, end - open - 1), close == '>', line});
    }
    return found;
}

std::string folderOfInclude(const std::string& target) {
    const std::size_t slash = target.find('/');
    return slash == std::string::npos ? std::string() : target.substr(0, slash);
}

// A module is a header and its source file: the file name without its ending.
std::string moduleOf(const std::string& fileName) {
    return fs::path(fileName).stem().string();
}

// The first circle found among the modules of one folder, as "a -> b -> a";
// empty when there is none.
std::string findCircle(const std::map<std::string, std::set<std::string>>& uses) {
    enum Mark { Unvisited, OnPath, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::string circle;
    std::function<bool(const std::string&)> visit = [&](const std::string& module) {
        marks[module] = OnPath;
        path.push_back(module);
        const auto edges = uses.find(module);
        if (edges != uses.end()) {
            for (const std::string& next : edges->second) {
                if (marks[next] == OnPath) {
                    auto start = std::find(path.begin(), path.end(), next);
                    for (auto it = start; it != path.end(); ++it) circle += *it + " -> ";
                    circle += next;
                    return true;
                }
                if (marks[next] == Unvisited && visit(next)) return true;
            }
        }
        path.pop_back();
        marks[module] = Done;
        return false;
    };
    for (const auto& entry : uses)
        if (marks[entry.first] == Unvisited && visit(entry.first)) break;
    return circle;
}

// Every breach of the layering under `sourceRoot`, one line each, naming the
// file and line.
std::vector<std::string> layerProblems(const fs::path& sourceRoot) {
    std::vector<std::string> problems;
    std::map<std::string, std::map<std::string, std::set<std::string>>> moduleUses;
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    for (const fs::path& file : files) {
        const fs::path relative = fs::relative(file, sourceRoot);
        const std::string where = "src/" + relative.generic_string();
        if (std::distance(relative.begin(), relative.end()) != 2) {
            problems.push_back(where + ": every source file lies in one layer's folder");
            continue;
        }
        const std::string folder = relative.begin()->string();
        const auto rank = LayerRanks.find(folder);
        if (rank == LayerRanks.end()) {
            problems.push_back(where + ": folder \"" + folder + "\" is not in the layer table");
            continue;
        }
        auto& uses = moduleUses[folder];
        const std::string module = moduleOf(relative.filename().string());
        uses[module];
        for (const Include& include : includesOf(file)) {
            const std::string at = where + ":" + std::to_string(include.line) + ": ";
            if (include.system) {
                for (const WrappedHeader& wrapped : WrappedHeaders)
                    if (include.target.compare(0, std::string(wrapped.prefix).size(),
                                               wrapped.prefix) == 0 &&
                        wrapped.folders.count(folder) == 0)
                        problems.push_back(at + "<" + include.target + "> belongs in " +
                                           *wrapped.folders.begin());
                continue;
            }
            const std::string target = folderOfInclude(include.target);
            if (target.empty() || target == folder) {
                const std::string used = moduleOf(fs::path(include.target).filename().string());
                if (used != module) uses[module].insert(used);
                continue;
            }
            const auto targetRank = LayerRanks.find(target);
            if (targetRank == LayerRanks.end()) {
                problems.push_back(at + "includes \"" + include.target +
                                   "\" from a folder not in the layer table");
            } else if (targetRank->second > rank->second) {
                problems.push_back(at + "includes \"" + include.target + "\" from the higher layer " +
                                   target);
            } else if (targetRank->second == rank->second &&
                       AllowedSiblings.count({folder, target}) == 0) {
                problems.push_back(at + "includes \"" + include.target + "\" from its sibling " +
                                   target + ", which it may not use");
            }
        }
    }
    for (const auto& [folder, uses] : moduleUses) {
        const std::string circle = findCircle(uses);
        if (!circle.empty()) problems.push_back("src/" + folder + ": modules in a circle: " + circle);
    }
    return problems;
}

bool mentions(const std::vector<std::string>& problems, const std::string& part) {
    for (const std::string& problem : problems)
        if (problem.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(Layers, EveryIncludeUnderSrcPointsDown) {
    const std::vector<std::string> problems = layerProblems(ZD_SOURCE_DIR "/src");
    for (const std::string& problem : problems) ADD_FAILURE() << problem;
}

TEST(Layers, TheCheckFindsEachKindOfBreach) {
    TempFolder folder;
    const fs::path root = fs::path(folder.path()) / "src";
    folder.write("src/base/bytes.h", "#pragma once\n");
    folder.write("src/play/ball.cpp", "#include \"play/ball.h\"\n#include \"gfx/frame.h\"\n");
    folder.write("src/play/ball.h", "#include \"base/bytes.h\"\n");
    folder.write("src/editor/editor.cpp", "#include \"frontend/menus.h\"\n");
    folder.write("src/frontend/menus.cpp", "#include \"editor/editor.h\"\n");
    folder.write("src/frontend/a.cpp", "#include \"frontend/b.h\"\n");
    folder.write("src/frontend/b.cpp", "  #  include \"c.h\"\n");
    folder.write("src/frontend/c.cpp", "#include \"frontend/a.h\"\n");
    folder.write("src/level/level.cpp", "#include <SDL2/SDL.h>\n#include <vector>\n");
    folder.write("src/gfx/draw.cpp", "#include <GL/gl.h>\n#include \"tools/x.h\"\n");
    folder.write("src/main.cpp", "\n");

    const std::vector<std::string> problems = layerProblems(root);
    EXPECT_TRUE(mentions(problems, "src/play/ball.cpp:2: includes \"gfx/frame.h\" from the higher layer gfx"));
    EXPECT_TRUE(mentions(problems, "src/editor/editor.cpp:1: includes \"frontend/menus.h\" from its sibling"));
    EXPECT_FALSE(mentions(problems, "src/frontend/menus.cpp"));
    EXPECT_TRUE(mentions(problems, "src/frontend: modules in a circle: a -> b -> c -> a"));
    EXPECT_TRUE(mentions(problems, "src/level/level.cpp:1: <SDL2/SDL.h> belongs in"));
    EXPECT_FALSE(mentions(problems, "<vector>"));
    EXPECT_FALSE(mentions(problems, "<GL/gl.h>"));
    EXPECT_TRUE(mentions(problems, "src/gfx/draw.cpp:2: includes \"tools/x.h\" from a folder not in"));
    EXPECT_TRUE(mentions(problems, "src/main.cpp: every source file lies in one layer's folder"));
    EXPECT_EQ(problems.size(), 6u);
}
