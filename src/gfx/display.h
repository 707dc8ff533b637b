// The game's window: the usable display modes, the size and full-screen
// state in use, and opening the window with the fixed drawing state. Start-up
// lists the modes and opens the window; the display options reopen it; the
// renderer and the overlays lay out every frame by screenWidth and
// screenHeight.
#pragma once

#include <cstdint>

#include "base/list.h"

struct DisplayState {
    List<std::int32_t> screenModeWidths;   // usable display modes 1..count, platform order
    List<std::int32_t> screenModeHeights;
    std::int32_t screenWidth = 0;          // window size in use
    std::int32_t screenHeight = 0;
    std::int32_t fullScreen = 0;           // full-screen flag in use (1 full screen)
};

extern DisplayState display;

// Fills the display-mode lists with the platform's modes of at least 640 x 480.
void listScreenModes();

// The chosen mode and full-screen flag of the settings become the ones in use.
void useChosenMode();

// Opens the window and sets the fixed drawing state.
void openWindow(int width, int height, int fullScreenFlag);
