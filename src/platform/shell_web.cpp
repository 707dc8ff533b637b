// The shell in a web page: an address opens in a new tab, and so does a page
// of the game folder (such as the page of the level packs), which the build
// puts beside the game's own page on the site. A web page has no folder to
// show; the editor says so before it would ask (canShowFolders).
#ifdef __EMSCRIPTEN__

#include "platform/shell.h"
#include "platform/web_platform.h"

std::string shellSystemFolder() { return ""; }

void shellShow(const std::string& target) {
    if (target.find("://") != std::string::npos) {
        browserOpenAddress(target);
        return;
    }
    const std::size_t slash = target.find_last_of('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (!name.empty()) browserOpenAddress(name);
}

#endif
