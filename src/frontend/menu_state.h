// The menu state and what every screen of the menus uses: the screen shown
// with its items and selection, going to another screen, setting the items,
// the menu background, and the quit sequence handed over by the program.
// Owns the menu state. The loop that runs the screens is menus.h; each group
// of screens has its own file with its table.
//
// Items are strings. One ending in ":" is a label and one containing "_" a
// text line; neither can be selected. Keys travel as strings (platform/keys.h)
// and the loop adds its own: "nr" + a number activates that item, "nr4back"
// steps item 4 backwards, "fakeup" moves off an item that cannot be
// selected, "mouseclick" is a click that began and ended outside every item.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

constexpr int MenuItemSlots = 7;  // items 0..6; 0 is never written

struct MenuState {
    std::int32_t menuScreen = 0;            // screen shown; -16 is the second mode of 16
    std::int32_t menuSelection = 1;         // selected item, 1-based
    std::int32_t menuItemCount = 0;         // items of the screen, 0..6
    std::string menuItems[MenuItemSlots];   // item texts; a screen keeps the ones it does not set
    std::int32_t returnToMainAfterLink = 0; // -1: the link page returns to the main menu

    // The loop's own state.
    std::string key;                        // the key of this pass, after the loop's rewrites
    std::int32_t pressState = 0;            // 0 idle, k: pressed over item k, -1: pressed elsewhere
    double timerStart = 0;                  // timer at the last time-out
    bool timedOut = false;                  // this pass ended on a time-out
    std::int32_t displayChanged = 0;        // -1 once the display options changed something
};

extern MenuState menu;

// One numbered screen: its set-up and its handler, side by side.
struct MenuScreenEntry {
    int number;                         // screen number
    void (*setUp)();                    // writes the item count and the items
    void (*handle)(std::string& key);   // acts on the pass's key (or time-out)
};

// The menu background level, beside the program.
inline const char* const MenuBackgroundLevel = "menubackground.zdl";

// Goes to `screen` with item `selection` selected (set up on the next pass).
void goToScreen(int screen, int selection);

// Whether an item can carry the selection: neither a label nor a text line.
bool isSelectable(const std::string& item);

// Sets items 1..count from the list (the rest keep their texts).
void setItems(std::initializer_list<std::string> items);

// The number as decimal text.
std::string decimal(long long n);

// Loads the menu background level; a missing or damaged one leaves the
// empty level, and no message of its load stays up.
void loadMenuBackground();

// Back to the menus after play or the editor: the menu background level at
// the menu zoom.
void returnToMenus();

// The quit sequence lives in the program above the front end, which hands
// it over before the menus start; quitGame runs it.
void setQuitSequence(void (*quitSequence)());
void quitGame();
