// The profiles: typing a new player's name, choosing who plays (a list of up
// to three names, or one name at a time with previous and next), the notice
// for a name that exists, and deleting a player.
#include "config/language.h"
#include "config/settings.h"
#include "frontend/level_screens.h"
#include "frontend/menu_profiles.h"
#include "frontend/menu_state.h"
#include "level/level_packs.h"
#include "platform/keys.h"
#include "progress/profiles.h"

namespace {

constexpr int ListedProfiles = 3;  // names the list mode shows; more open the single mode

const char Cursor = '|';

List<std::string>& profiles() { return profileState.profiles; }

std::string currentProfileName() {
    return profiles().valid(settings.currentProfile) ? profiles()[settings.currentProfile] : "";
}

// The choice of profile shows a list while there are at most three and the
// player did not ask for the single mode (screen -16).
bool singleMode() { return menu.menuScreen == -16 || profiles().count() > ListedProfiles; }

// The selection that puts the current profile's line under the cursor in
// the list mode; the single mode's given selection otherwise.
int profileSelection(int singleModeSelection) {
    return profiles().count() <= ListedProfiles ? settings.currentProfile + 1 : singleModeSelection;
}

std::string trimmedSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isNameCharacter(const std::string& key) {
    if (key.size() != 1) return false;
    const char c = key[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
}

void startNameEntry() {
    goToScreen(15, 4);
    menu.menuItems[4] = std::string(1, Cursor);
}

// --- Name entry ----------------------------------------------------------

void setUpNameEntry() {
    menu.menuItems[1] = "_";
    menu.menuItems[2] = "_";
    menu.menuItems[3] = str(180);
    menu.menuItemCount = 4;
}

void enterName() {
    std::string& field = menu.menuItems[4];
    if (trimmedSpaces(field).size() <= 1) return;  // nothing typed but the cursor
    std::string name = field;
    if (!name.empty() && name.back() == Cursor) name.pop_back();
    name = lowerCase(trimmedSpaces(name));
    const int existing = findProfile(name);
    if (existing != 0) {
        settings.currentProfile = existing;
        goToScreen(18, 4);
        return;
    }
    createProfile(name);
    goToScreen(16, profileSelection(1));
}

void handleNameEntry(std::string& key) {
    std::string& field = menu.menuItems[4];
    if (key == KeyEsc) {
        goToScreen(1, 1);
    } else if (key == "nr4") {
        enterName();
    } else if (key == KeyBackspace) {
        if (field.size() > 1) field.erase(field.size() - 2, 1);
    } else if (isNameCharacter(key)) {
        // The cursor counts: at most MaxProfileNameLength characters before it.
        if (field.size() < MaxProfileNameLength + 1) field.insert(field.size() - 1, key);
    }
}

// --- Choosing the profile ------------------------------------------------

void setUpProfileChoice() {
    if (!singleMode()) {
        menu.menuItems[1] = str(181);
        for (int i = 1; i <= ListedProfiles; ++i)
            menu.menuItems[i + 1] = profiles().valid(i) ? profiles()[i] : "_";
        menu.menuItems[5] = str(182);
        menu.menuItemCount = 5;
        return;
    }
    // The single mode always names somebody while there is anybody.
    if (settings.currentProfile < 1 && !profiles().empty()) settings.currentProfile = 1;
    setItems({str(183) + currentProfileName(), str(184), str(185), str(186), str(187)});
}

void playAs(int profile) {
    if (!profiles().valid(profile)) return;
    settings.currentProfile = profile;
    playChosenProfile();
}

void handleProfileList(std::string& key) {
    for (int i = 1; i <= ListedProfiles; ++i)
        if (key == "nr" + decimal(i + 1)) playAs(i);
    if (key == "nr5") goToScreen(-16, 1);
    else if (key == KeyEsc) goToScreen(1, 1);
}

void handleSingleProfile(std::string& key) {
    if (menu.menuSelection == 1 && key == KeyRight) key = "nr3";
    if (menu.menuSelection == 1 && key == KeyLeft) key = "nr2";
    if (key == "nr1") {
        playAs(settings.currentProfile);
    } else if (key == "nr2") {
        if (settings.currentProfile > 1) settings.currentProfile -= 1;
    } else if (key == "nr3") {
        if (settings.currentProfile < profiles().count()) settings.currentProfile += 1;
    } else if (key == "nr4") {
        startNameEntry();
    } else if (key == "nr5") {
        goToScreen(26, 5);
    } else if (key == KeyEsc) {
        goToScreen(1, 1);
    }
}

void handleProfileChoice(std::string& key) {
    if (singleMode())
        handleSingleProfile(key);
    else
        handleProfileList(key);
}

// --- Notices and deleting ------------------------------------------------

void setUpProfileExists() {
    setItems({currentProfileName() + ":", str(192), str(193), str(194)});
}

void handleProfileExists(std::string& key) {
    if (!key.empty()) goToScreen(16, profileSelection(5));
}

void setUpDeleteProfile() {
    setItems({str(214), str(215), str(216) + currentProfileName() + ":_", str(217), str(218)});
}

void handleDeleteProfile(std::string& key) {
    if (key == "nr4") {
        deleteProfile();
        if (profiles().empty())
            goToScreen(1, 1);
        else
            goToScreen(-16, 1);
    } else if (key == "nr5" || key == KeyEsc) {
        goToScreen(-16, 1);
    }
}

}  // namespace

std::vector<MenuScreenEntry> profileScreens() {
    return {
        {15, setUpNameEntry, handleNameEntry},
        {16, setUpProfileChoice, handleProfileChoice},
        {-16, setUpProfileChoice, handleProfileChoice},
        {18, setUpProfileExists, handleProfileExists},
        {26, setUpDeleteProfile, handleDeleteProfile},
    };
}
