// zdltool page GAME [--size PIXELS]: writes the page of the level packs
// into the game folder, one for each language file that names a page, with a
// map of every level (PIXELS its longer side, 160 unless told). The build
// runs it on build/game after the levels are built.
#include <cstdio>

#include "commands.h"
#include "level_map.h"
#include "level_page.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "text_syntax.h"

namespace {

int runPage(const Arguments& arguments) {
    std::string game;
    int size = PageMapSize;
    bool understood = true;
    for (std::size_t i = 0; i < arguments.size() && understood; ++i) {
        double value = 0;
        if (arguments[i] == "--size" && i + 1 < arguments.size() && readNumber(arguments[i + 1], value) &&
            value == static_cast<int>(value) && value >= MapMinSize && value <= MapMaxSize) {
            size = static_cast<int>(value);
            ++i;
        } else if (game.empty() && !arguments[i].empty() && arguments[i][0] != '-') {
            game = arguments[i];
        } else {
            understood = false;
        }
    }
    if (!understood || game.empty()) {
        std::fprintf(stderr, "usage: zdltool page GAME [--size PIXELS]\n  (PIXELS: %d to %d, default %d)\n",
                     MapMinSize, MapMaxSize, PageMapSize);
        return 2;
    }
    if (game.back() != '/') game += '/';
    if (!folderExists(game)) {
        std::fprintf(stderr, "%s: no such game folder\n", game.c_str());
        return 1;
    }
    HeadlessPlatform headless;
    setPlatform(&headless);
    std::vector<std::string> written;
    std::string error;
    if (!writeLevelPages(game, size, written, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    for (const std::string& page : written) std::printf("%s%s\n", game.c_str(), page.c_str());
    return 0;
}

const RegisterCommand registered{{"page", "GAME [--size PIXELS]", runPage}};
}  // namespace
