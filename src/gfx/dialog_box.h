// The boxes of the shared dialog (config/dialog.h) as drawn over a dimmed
// board: the box picture, its text lines and button captions, placed by the
// box's top-left corner. The editor draws every kind of dialog at its panel;
// the menus draw the message box (a level that could not be loaded) in the
// middle of the window.
#pragma once

#include <string>

struct Texture;

constexpr int DialogBoxWidth = 374;
constexpr int DialogBoxHeight = 186;

// The whole window dimmed at depth z, then `picture` as the box at (x, y)
// one nearer.
void drawDialogBox(const Texture& picture, int x, int y, int z);

// Black text at (x + dx, y + dy) on a box drawn at depth z.
void drawDialogText(const std::string& text, int x, int y, int dx, int dy, int z);

// The message box: the three lines and the button caption of the dialog.
void drawMessageBox(int x, int y, int z);
