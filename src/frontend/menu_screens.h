// Inside the front end: the screens of the menus, in groups. Each group file
// holds its screens' set-up and handler side by side and lists them in one
// table; the menu loop (menus.cpp) looks a screen up by number.
#pragma once

#include <string>
#include <vector>

struct MenuScreenEntry {
    int number;                         // screen number
    void (*setUp)();                    // writes the item count and the items
    void (*handle)(std::string& key);   // acts on the pass's key (or time-out)
};

// Main menu, quit question, the title cycle (1, 7, 21 to 25).
std::vector<MenuScreenEntry> mainScreens();
// Options: options, language, display, sound, display notice (2 to 5, 12).
std::vector<MenuScreenEntry> optionScreens();
// Information: menu, pages, link page (6, 8 to 11).
std::vector<MenuScreenEntry> infoScreens();
// A player's way through a pack: pack choice, level screen, the notices after
// a finished level and a refused skip (13, 14, 17, 19, 20, 27).
std::vector<MenuScreenEntry> levelScreens();
// Lets the overlay read the level screen's panel.
void startLevelScreens();
// Profiles: name entry, profile choice, exists notice, delete (15, 16, -16, 18, 26).
std::vector<MenuScreenEntry> profileScreens();

// Sets items 1..count from the list (the rest keep their texts).
void setItems(std::initializer_list<std::string> items);

// Play from the main menu: to the profile choice or the name entry.
void startPlayFromMenu();

// The profile is chosen: its pack is opened, or the packs are offered.
void playChosenProfile();

// Back to the menus after play or the editor: the menu background level at
// the menu zoom.
void returnToMenus();

// The number as decimal text.
std::string decimal(long long n);
