// Test support for play: a headless game with a texture table that has one
// entry per kind (entry k is of kind k, so an object's texture is its kind)
// plus a "bonusbackground" entry, strings that name themselves ("#n"), the
// sound switches on and clip requests recorded.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "assets/texture_catalogue.h"
#include "level/level.h"
#include "support/headless_game.h"

constexpr int BonusBackgroundEntry = 24;

class PlayTest : public HeadlessGameTest {
protected:
    void SetUp() override;

    static std::string s(int n) { return "#" + std::to_string(n); }

    // Appends an object of `kind` at (x, y) to `list`; vx holds direction
    // codes of arrows and markers.
    LevelObject& put(ObjectList& list, int kind, double x, double y, double vx = 0, double vy = 0);

    // Ground tiles on the columns x0..x1 and rows y0..y1 of the grid.
    void floorTiles(int x0, int y0, int x1, int y1);

    // Puts the ball at rest at (x, y).
    void ballAt(double x, double y, double vx = 0, double vy = 0);

    // One frame of the simulation without drawing: platforms then ball,
    // with `keys` held (set-1 scan codes) and animDelta d.
    void step(double d, const std::set<int>& keys = {});

    // The texts of the floating messages, in order.
    std::vector<std::string> messageTexts() const;
};
