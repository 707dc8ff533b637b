// Zindrop 7: the program is the game library driven by the SDL platform,
// with the menus as its front end. "zindrop7 --replay FILE" plays a recorded
// run (such as lastrun.zrp) instead.
#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "frontend/menus.h"
#include "platform/files.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    const std::string folder = executableFolder(argc > 0 ? argv[0] : nullptr);
    if (argc > 1) {
        if (argc != 3 || std::strcmp(argv[1], "--replay") != 0) {
            std::fprintf(stderr, "usage: zindrop7 [--replay FILE]\n");
            return 1;
        }
        setPlatform(&sdlPlatform());
        runReplay(folder, argv[2]);
    }
    setPlatform(&sdlPlatform());
    runGame(folder, menuFrontEnd());
}
