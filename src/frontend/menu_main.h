// The main menu with its play and editor entries, the quit question and the
// title cycle shown at start (screens 1, 7, 21 to 25).
#pragma once

#include <vector>

#include "frontend/menu_state.h"

std::vector<MenuScreenEntry> mainScreens();
