// Profiles: name entry, profile choice, the exists notice and deleting a
// profile (screens 15, 16, -16, 18, 26).
#pragma once

#include <vector>

#include "frontend/menu_state.h"

std::vector<MenuScreenEntry> profileScreens();
