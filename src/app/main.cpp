// Zindrop 7: the program is the game library driven by the SDL platform,
// with the menus as its front end. "zindrop7 --replay FILE" plays a recorded
// run (such as lastrun.zrp) instead.
#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "frontend/menus.h"
#include "platform/files.h"
#include "platform/platform.h"
#ifdef __EMSCRIPTEN__
#include "config/paths.h"
#include "config/settings.h"
#include "platform/web_platform.h"
#include "platform/web_storage.h"

namespace {

// A web page is closed rather than quit, so the settings are saved as soon
// as they change instead of only at quit; not before the first start's
// choice of language, which a reload must still offer.
void saveChangedSettings() {
    static bool known = false;
    static std::string saved;  // the settings file's bytes
    if (settings.firstStart) return;
    if (!known) {
        known = true;
        readTextFile(paths.dataFolder + "settings.dat", saved);
    }
    // Once per change: a save that fails is not tried again every frame.
    const std::string now = encodeSettings(settings);
    if (now == saved) return;
    saveSettings();
    saved = now;
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef __EMSCRIPTEN__
    // In a web page the game folder is the page's storage.
    const std::string folder = openBrowserGameFolder();
    setBrowserFrameHook(saveChangedSettings);
#else
    const std::string folder = executableFolder(argc > 0 ? argv[0] : nullptr);
#endif
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
