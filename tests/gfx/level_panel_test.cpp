// The level screen as the menu overlay draws it: the choices moved apart to
// make room, the pack's lines at the top and the level's under its label.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "config/dialog.h"
#include "config/language.h"
#include "gfx/display.h"
#include "gfx/frame.h"
#include "gfx/level_panel.h"
#include "gfx/menu_overlay.h"
#include "support/drawn_quads.h"
#include "support/headless_game.h"

namespace {

std::string items[7];
MenuView menuShown;
MenuView shownMenu() { return menuShown; }
LevelPanelView panelShown;
LevelPanelView shownPanel() { return panelShown; }

struct TextRow {
    std::string text;
    double colour[3];
};

class LevelPanelTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        display.screenWidth = 1024;
        display.screenHeight = 768;
        dialog.dialogId = 0;
        renderer.menuVisible = -1;
        useNumberedStrings();
        const std::string level[] = {"", "Level 3:", "Play", "Back a level", "Skip", "Menu"};
        for (int i = 1; i <= 5; ++i) items[i] = level[i];
        menuShown = MenuView();
        menuShown.screen = 14;
        menuShown.selection = 2;
        menuShown.itemCount = 5;
        menuShown.items = items;
        setMenuViewSource(shownMenu);

        panelShown = LevelPanelView();
        panelShown.packName = "zindrop";
        panelShown.packRecordHolder = "Tavisk Software";
        panelShown.packRecord = 50000;
        panelShown.profileName = "Ann";
        panelShown.bestTotal = 12345;
        panelShown.unfinished = 3;
        panelShown.skipped = 2;
        panelShown.levelName = "Row 3";
        panelShown.levelRecordHolder = "Bob";
        panelShown.levelRecord = 20000;
        panelShown.levelBest = 15000;
        setLevelPanelSource(shownPanel);
    }

    // The bitmap-font rows of a frame by their y, read back from the glyph
    // cells of the quads (the text itself, not its shadow).
    std::map<int, TextRow> textRows() {
        drawLayer.calls.clear();
        drawFrame();
        std::map<int, TextRow> rows;
        for (const DrawnQuad& quad : quadsAt(13)) {
            const int column = static_cast<int>(std::lround(quad.u0 * 16));
            const int row = static_cast<int>(std::lround((0.9375 - quad.v0) * 16));
            TextRow& line = rows[static_cast<int>(quad.y)];
            line.text += static_cast<char>(row * 16 + column);
            for (int k = 0; k < 3; ++k) line.colour[k] = quad.colour[k];
        }
        return rows;
    }

    // The y of every tile-font line.
    static std::vector<int> tileLines() {
        std::vector<int> ys;
        for (const DrawnQuad& quad : quadsAt(15))
            if (ys.empty() || ys.back() != static_cast<int>(quad.y)) ys.push_back(static_cast<int>(quad.y));
        return ys;
    }
};

TEST_F(LevelPanelTest, ThePackAtTheTopAndTheLevelUnderItsLabel) {
    std::map<int, TextRow> rows = textRows();
    // The level label 20 pixels up with the pack's label at the top drawn
    // after it, then the choices 80 lower and the rest another 60 lower.
    EXPECT_EQ(tileLines(), (std::vector<int>{216, 40, 355, 474, 533, 592}));
    EXPECT_EQ(rows[96].text, "#229Tavisk Software - 50000");
    EXPECT_EQ(rows[113].text, "#230Ann - 12345");
    EXPECT_EQ(rows[130].text, "#2313");
    EXPECT_EQ(rows[147].text, "#2322");
    EXPECT_EQ(rows[272].text, "Row 3");
    EXPECT_EQ(rows[289].text, "#233Bob - 20000");
    EXPECT_EQ(rows[306].text, "#234Ann - 15000");
    EXPECT_EQ(rows[323].text, "#235");
    EXPECT_EQ(rows[323].colour[0], 255);  // never finished: red
    EXPECT_EQ(rows[323].colour[1], 0);
    EXPECT_EQ(rows[96].colour[1], 255);   // the rest white

    panelShown.completions = 1;
    rows = textRows();
    EXPECT_EQ(rows[323].text, "#236");
    EXPECT_EQ(rows[323].colour[0], 0);    // finished: green
    EXPECT_EQ(rows[323].colour[1], 255);
    panelShown.completions = 12;
    EXPECT_EQ(textRows()[323].text, "#23712#238");
}

TEST_F(LevelPanelTest, OtherScreensHaveNoPanel) {
    menuShown.screen = 2;
    EXPECT_TRUE(textRows().empty());
    EXPECT_EQ(tileLines(), (std::vector<int>{236, 295, 354, 413, 472}));
    // Without the front end's values nothing of the panel is drawn.
    menuShown.screen = 14;
    setLevelPanelSource(nullptr);
    EXPECT_TRUE(textRows().empty());
}

}  // namespace
