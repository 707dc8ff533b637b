// The text window of the start-up error screens: a 40 x 25 character grid
// with the 16-colour text palette on black, drawn with a built-in font
// (DejaVu Sans Mono, text_font.inc) in a window of its own that is scaled to
// the desktop. Where no window can be opened, the same lines go to the
// terminal with ANSI colours. Either way it returns after one key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

constexpr int TextColumns = 40;
constexpr int TextRows = 25;

// The window's pixels: character cells of one size, the grid framed by a
// black border.
struct TextScreenLayout {
    int cellWidth = 16;
    int cellHeight = 24;
    int border = 12;

    int width() const { return TextColumns * cellWidth + 2 * border; }
    int height() const { return TextRows * cellHeight + 2 * border; }
};

// The largest layout whose window takes at most four fifths of the desktop's
// height and nine tenths of its width, keeping the cells' shape (two wide,
// three high). Never smaller than cells of 6 x 9 pixels.
TextScreenLayout textScreenLayout(int desktopWidth, int desktopHeight);

// Shows the lines from `row` (1-based) and waits for a key.
void showTextScreenWindow(int row, const std::vector<TextLine>& lines);

// The window's pixels (0xRRGGBB), layout.width() x layout.height(), top row
// first. Each character is the font's cell scaled to the layout's cell, its
// coverage blending the line's palette colour into the black.
std::vector<std::uint32_t> renderTextScreen(int row, const std::vector<TextLine>& lines,
                                            const TextScreenLayout& layout);

// The same lines for a terminal: ANSI colour codes, rows before `row` blank.
std::string textScreenForTerminal(int row, const std::vector<TextLine>& lines);
