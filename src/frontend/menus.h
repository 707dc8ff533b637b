// The menus: the one loop the game runs after start-up. It shows one
// numbered screen at a time over the live board of a level, turns keys and
// mouse clicks into item activations and starts play, the editor and the quit
// sequence from there. Owns the menu state: the screen shown, its items and
// selection, and the loop's input state. The overlay that draws it (gfx)
// reads it through the view registered at start.
//
// Items are strings. One ending in ":" is a label and one containing "_" a
// text line; neither can be selected. Keys travel as strings (platform/keys.h)
// and the loop adds its own: "nr" + a number activates that item, "nr4back"
// steps item 4 backwards, "fakeup" moves off an item that cannot be
// selected, "mouseclick" is a click that began and ended outside every item.
#pragma once

#include <cstdint>
#include <string>

#include "core/app.h"

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

// The menu background level, beside the program.
inline const char* const MenuBackgroundLevel = "menubackground.zdl";

// The start-up hooks of the front end, for runGame.
FrontEndHooks menuFrontEnd();

// Starts the menus and runs them until the quit sequence ends the program.
[[noreturn]] void runMenus();

// The start of runMenus: the first screen, the overlay's view, the background.
void startMenus();

// One pass of the loop: set-up of the current screen, waiting for a key or a
// time-out, navigation, the skip rule, the window's close request and the
// screen's handler.
void runMenuPass();

// Goes to `screen` with item `selection` selected (set up on the next pass).
void goToScreen(int screen, int selection);

// Whether an item can carry the selection: neither a label nor a text line.
bool isSelectable(const std::string& item);

// Navigation of one key (arrows, Home, End; Enter and Space become "nr" +
// the selection) and the skip rule after it.
void navigate(std::string& key);
void skipUnselectable(const std::string& key);
