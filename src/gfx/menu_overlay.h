// The menu overlay: what drawFrame puts over the board while a menu screen is
// shown. The backdrop picture, the item list in the tile font with the pulsing
// selection, and the text pages (help, more levels, credits) in the bitmap
// font. It also samples the mouse every frame and publishes the pointer and
// the item under it in the renderer state for the menu loop.
//
// The menus themselves live above the graphics: the front end registers a
// function that tells the overlay which screen and items are shown. Owns the
// pulse of the selected item and that registration.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/menu_metrics.h"

// The menu screen as the overlay sees it.
struct MenuView {
    std::int32_t screen = 0;            // screen number (-16 is the second mode of 16)
    std::int32_t selection = 0;         // selected item, 1-based
    std::int32_t itemCount = 0;         // items in use
    const std::string* items = nullptr; // items[1..itemCount]; items[0] unused
};

using MenuViewSource = MenuView (*)();

struct MenuOverlayState {
    std::int32_t menuPulse = 0;         // 0..255..0 triangle wave of the selected item's colour
    MenuViewSource source = nullptr;    // the front end's menu state; nothing is drawn without it
};

extern MenuOverlayState menuOverlay;

constexpr int MenuItemsDrawn = 5;       // items beyond the fifth are neither drawn nor hit-tested

// The three credit headings: in place of people's names, the roles they
// played. Shown on the credits page as they stand and, in capitals with a
// colon, on the title pages.
inline const char* const CreditHeadings[3] = {"Developer", "Composer", "Voice actor"};

void setMenuViewSource(MenuViewSource source);

// The y of the first menu line on `screen` for the current window.
int menuFirstLineY(int screen);

// Draws the overlay for the registered menu view (after the board); while a
// message dialog is open, the message box in the middle instead of the items.
void drawMenuOverlay();
