// Information: the information menu, the text pages and the link page
// (screens 6, 8 to 11).
#pragma once

#include <vector>

#include "frontend/menu_state.h"

std::vector<MenuScreenEntry> infoScreens();
