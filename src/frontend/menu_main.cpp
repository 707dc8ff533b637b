// The main menu with its play and editor entries, the quit question and the
// title cycle shown at start (title, three credit pages, "press any key").
#include <cctype>

#include "config/dialog.h"
#include "config/language.h"
#include "config/settings.h"
#include "editor/editor.h"
#include "frontend/menu_main.h"
#include "frontend/menu_state.h"
#include "gfx/frame.h"
#include "gfx/menu_overlay.h"
#include "level/level_file.h"
#include "level/level_packs.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "play/play.h"
#include "progress/profiles.h"

namespace {

// A credit heading as the title pages show it: capitals and a colon.
std::string titleHeading(int k) {
    std::string text = CreditHeadings[k];
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text + ":";
}

// The editor edits the current level of the current pack; its test plays
// run inside it.
void runEditorFromMenu() {
    renderer.menuVisible = 0;
    dialog.dialogId = 0;
    loadLevel();
    runEditor();
    // The editor has kept unsaved work if the session asked the game to end.
    if (platform().endRequested()) quitGame();
    renderer.editorActive = 0;
    returnToMenus();
}

void startPlayFromMenu() {
    // The files may have changed while the game ran: the profile in use is
    // kept within the list as at start-up.
    startProfiles();
    if (profileState.profiles.empty()) {
        goToScreen(15, 4);
        menu.menuItems[4] = "|";
    } else {
        goToScreen(16, profileState.profiles.count() < 4 ? settings.currentProfile + 1 : 1);
    }
}

// --- Screens -------------------------------------------------------------

void setUpMainMenu() { setItems({str(101), str(102), str(103), str(104), str(105)}); }

void handleMainMenu(std::string& key) {
    if (key == "nr1") startPlayFromMenu();
    else if (key == "nr2") goToScreen(6, 2);
    else if (key == "nr3") runEditorFromMenu();
    else if (key == "nr4") goToScreen(2, 2);
    else if (key == "nr5" || key == KeyEsc) goToScreen(7, 3);
}

void setUpQuitQuestion() { setItems({"_", str(111), str(112), str(113)}); }

void handleQuitQuestion(std::string& key) {
    if (key == "nr3") quitGame();
    else if (key == "nr4" || key == KeyEsc) goToScreen(1, 5);
}

// The title pages keep the old items (they show none) and go on to the
// next page on every time-out; any key leads to the main menu.
void titlePage(std::string& key, int next) {
    if (!key.empty()) goToScreen(1, 1);
    else if (menu.timedOut) menu.menuScreen = next;
}

void setUpTitle() { menu.menuItemCount = 0; }
void handleTitle(std::string& key) { titlePage(key, 22); }

void setUpCredits1() {
    setItems({titleHeading(0), str(204), str(205), str(206), str(207), "OK"});
    menu.menuSelection = 6;
}
void handleCredits1(std::string& key) { titlePage(key, 23); }

void setUpCredits2() {
    setItems({titleHeading(1), str(208), str(209), str(210), "_", "OK"});
    menu.menuSelection = 6;
}
void handleCredits2(std::string& key) { titlePage(key, 24); }

void setUpCredits3() {
    setItems({"_", titleHeading(2), str(211), str(212), "_", "OK"});
    menu.menuSelection = 6;
}
void handleCredits3(std::string& key) { titlePage(key, 25); }

void setUpLastTitlePage() {
    setItems({"_", "_", str(213)});
    menu.menuSelection = 3;
}
void handleLastTitlePage(std::string& key) { titlePage(key, 21); }

}  // namespace

std::vector<MenuScreenEntry> mainScreens() {
    return {
        {1, setUpMainMenu, handleMainMenu},
        {7, setUpQuitQuestion, handleQuitQuestion},
        {21, setUpTitle, handleTitle},
        {22, setUpCredits1, handleCredits1},
        {23, setUpCredits2, handleCredits2},
        {24, setUpCredits3, handleCredits3},
        {25, setUpLastTitlePage, handleLastTitlePage},
    };
}
