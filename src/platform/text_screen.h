// The text window of the start-up error screens: a 40 x 25 character grid
// with the 16-colour text palette on black, drawn with a built-in 8 x 8 font
// in a small window of its own. Where no window can be opened, the same lines
// go to the terminal with ANSI colours. Either way it returns after one key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

constexpr int TextColumns = 40;
constexpr int TextRows = 25;
constexpr int TextCell = 8;  // pixels per character cell, both ways

// Shows the lines from `row` (1-based) and waits for a key.
void showTextScreenWindow(int row, const std::vector<TextLine>& lines);

// The grid as 320 x 200 pixels (0xRRGGBB), top row first.
std::vector<std::uint32_t> renderTextScreen(int row, const std::vector<TextLine>& lines);

// The same lines for a terminal: ANSI colour codes, rows before `row` blank.
std::string textScreenForTerminal(int row, const std::vector<TextLine>& lines);
