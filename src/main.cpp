// Zindrop 7: the program is the game library driven by the SDL platform,
// with the menus as its front end.
#include "core/app.h"
#include "frontend/menus.h"
#include "platform/files.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    setPlatform(&sdlPlatform());
    runGame(executableFolder(argc > 0 ? argv[0] : nullptr), menuFrontEnd());
}
