// The text window of the start-up error screens: a 40 x 25 character grid
// with the 16-colour text palette on black. Shown in a small window of its
// own, or written with ANSI colours to the terminal where no window opens;
// either way it returns after one key.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

void showTextScreenWindow(int row, const std::vector<TextLine>& lines);

// The same lines for a terminal: ANSI colour codes, rows before `row` blank.
std::string textScreenForTerminal(int row, const std::vector<TextLine>& lines);
