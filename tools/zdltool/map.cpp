// zdltool map LEVEL -o FILE.png [--game FOLDER] [--size PIXELS]: the whole
// board of a level drawn top-down from the texture-pack pictures into a PNG
// file whose longer side is PIXELS (512 unless told). LEVEL is a ".zdl" file
// or a level in the text form; the texture packs come from the game folder
// (by default "game/" beside the tool).
#include <cstdio>

#include "commands.h"
#include "level_map.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "text_syntax.h"

namespace {

struct MapArguments {
    std::string level;
    std::string output;
    std::string game;
    int size = 512;
};

bool readArguments(const Arguments& arguments, MapArguments& out) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "-o" && hasValue && out.output.empty()) out.output = arguments[++i];
        else if (a == "--game" && hasValue) out.game = arguments[++i];
        else if (a == "--size" && hasValue) {
            double size = 0;
            if (!readNumber(arguments[++i], size) || size != static_cast<int>(size) || size < MapMinSize ||
                size > MapMaxSize)
                return false;
            out.size = static_cast<int>(size);
        } else if (out.level.empty() && !a.empty() && a[0] != '-') out.level = a;
        else return false;
    }
    return !out.level.empty() && !out.output.empty();
}

int runMap(const Arguments& arguments) {
    MapArguments options;
    if (!readArguments(arguments, options)) {
        std::fprintf(stderr, "usage: zdltool map LEVEL -o FILE.png [--game FOLDER] [--size PIXELS]\n"
                             "  (PIXELS: the longer side, %d to %d, default 512)\n",
                     MapMinSize, MapMaxSize);
        return 2;
    }
    if (options.game.empty()) options.game = executableFolder(nullptr) + "game/";
    if (options.game.back() != '/') options.game += '/';
    if (!folderExists(options.game)) {
        std::fprintf(stderr, "%s: no such game folder\n", options.game.c_str());
        return 1;
    }

    HeadlessPlatform headless;
    setPlatform(&headless);
    MapPicture picture;
    std::string error;
    Bytes file;
    if (!makeLevelMap(options.game, options.level, options.size, picture, error) ||
        !encodeMapPng(picture, file, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (!writeFileSafely(options.output, file)) {
        std::fprintf(stderr, "%s: cannot be written\n", options.output.c_str());
        return 1;
    }
    std::printf("%s: %d x %d\n", options.output.c_str(), picture.width, picture.height);
    return 0;
}

const RegisterCommand registered{{"map", "LEVEL -o FILE.png [--game FOLDER] [--size PIXELS]", runMap}};
}  // namespace
