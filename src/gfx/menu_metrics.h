// The size of the menu lines in the tile font, shared by the menu overlay and
// the level panel it draws.
#pragma once

// In 1024 x 768 design pixels.
constexpr double MenuGlyphWidth = 47;
constexpr double MenuGlyphHeight = 59;
constexpr double MenuAdvance = 40;
constexpr double MenuLinePitch = 59;
