// A player's way through a pack: pack choice, level screen, the notices after
// a finished level and a refused skip (screens 13, 14, 17, 19, 20, 27).
#pragma once

#include <vector>

#include "frontend/menu_state.h"

std::vector<MenuScreenEntry> levelScreens();

// Lets the overlay read the level screen's panel.
void startLevelScreens();

// The profile is chosen: its pack is opened, or the packs are offered.
void playChosenProfile();
