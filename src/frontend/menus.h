// The menus: the one loop the game runs after start-up. It shows one
// numbered screen at a time over the live board of a level, turns keys and
// mouse clicks into item activations and starts play, the editor and the quit
// sequence from there, by the screens' handlers. The screens come in groups,
// each with its own table; the loop looks a screen up by number. The overlay
// that draws the menus (gfx) reads them through the view registered at start.
// The menu state and the screens' shared helpers are menu_state.h.
#pragma once

#include <string>

#include "frontend/menu_state.h"

// Starts the menus and runs them until the quit sequence ends the program.
[[noreturn]] void runMenus();

// The start of runMenus: the first screen, the overlay's view, the background.
void startMenus();

// One pass of the loop: set-up of the current screen, waiting for a key or a
// time-out, navigation, the skip rule, the window's close request and the
// screen's handler. While a message dialog is open, the key answers it
// instead; once the session asks the game to end, the pass quits.
void runMenuPass();

// Navigation of one key (arrows, Home, End; Enter and Space become "nr" +
// the selection) and the skip rule after it.
void navigate(std::string& key);
void skipUnselectable(const std::string& key);
