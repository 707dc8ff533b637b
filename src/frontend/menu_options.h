// Options: options, language, display, sound, display notice (screens 2 to
// 5, 12).
#pragma once

#include <vector>

#include "frontend/menu_state.h"

std::vector<MenuScreenEntry> optionScreens();
