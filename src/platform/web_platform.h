// The browser's side of the SDL backend, for the build that runs in a web
// page (Emscripten). The page's event loop must get control back regularly:
// these waits hand it over (the program is built so that its blocking loops
// can pause and resume), and frames follow the browser's own pacing.
#pragma once
#ifdef __EMSCRIPTEN__

#include <string>
#include <vector>

#include "platform/platform.h"

// The canvas size offered: 1024 x 768, which the page scales to its window.
std::vector<DisplayMode> browserDisplayModes();

// Sleeps, letting the page run meanwhile; 0 just lets it run once.
void browserSleep(double seconds);

// Returns at the browser's next animation frame, after the picture drawn so
// far has been handed to the page. Runs the frame hook first.
void browserWaitForFrame();

// A function the program above the platform wants run once a frame (a page
// is closed rather than quit, so what must outlast it is saved as it goes).
void setBrowserFrameHook(void (*hook)());

// Opens a web address in a new tab.
void browserOpenAddress(const std::string& address);

// Ends the program; the page says that the game has ended.
[[noreturn]] void browserExit(int status);

#endif
