// The information: its menu, the help and more-levels pages, the credits and
// the screen that opens the page of the level packs (or the address the
// language file gives) in the player's browser. The overlay draws the texts
// of the pages; their items only hold "Back".
#include "config/language.h"
#include "config/paths.h"
#include "frontend/menu_info.h"
#include "frontend/menu_state.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/platform.h"

namespace {

void setUpInfoMenu() { setItems({str(106), str(107), str(108), str(109), str(110)}); }

void handleInfoMenu(std::string& key) {
    if (key == "nr2") goToScreen(10, 5);
    else if (key == "nr3") goToScreen(9, 5);
    else if (key == "nr4") goToScreen(8, 6);
    else if (key == "nr5" || key == KeyEsc) goToScreen(1, 2);
}

// A page: five empty lines under which the overlay writes, then "Back".
void setUpPage() { setItems({"_", "_", "_", "_", "_", str(110)}); }

void handleCredits(std::string& key) {
    if (!key.empty()) goToScreen(6, 4);
}

void handleMoreLevels(std::string& key) {
    if (!key.empty()) goToScreen(11, 4);
}

void handleHelp(std::string& key) {
    if (!key.empty()) goToScreen(6, 2);
}

// String 130: an address goes to the browser as it is; a page name means the
// page that the build writes beside the program. Without that page (a game
// folder copied without it) the folder itself, where packs are added, is
// the next best thing to show.
void openLink() {
    const std::string& link = str(130);
    if (isAddress(link)) {
        platform().showToPlayer(link);
        return;
    }
    const std::string page = paths.programFolder + link;
    platform().showToPlayer(isPageName(link) && fileExists(page) ? page : paths.programFolder);
}

void setUpLinkMenu() { setItems({str(145), str(146), str(147), str(148), str(149)}); }

void handleLinkMenu(std::string& key) {
    if (key == "nr4") {
        // The browser's outcome is not the game's business.
        openLink();
        key = KeyEsc;
    }
    if (key == "nr5" || key == KeyEsc) {
        if (menu.returnToMainAfterLink != 0) {
            menu.returnToMainAfterLink = 0;
            goToScreen(1, 1);
        } else {
            goToScreen(6, 3);
        }
    }
}

}  // namespace

std::vector<MenuScreenEntry> infoScreens() {
    return {
        {6, setUpInfoMenu, handleInfoMenu},
        {8, setUpPage, handleCredits},
        {9, setUpPage, handleMoreLevels},
        {10, setUpPage, handleHelp},
        {11, setUpLinkMenu, handleLinkMenu},
    };
}
