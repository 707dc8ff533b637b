#include <gtest/gtest.h>

#include "base/numeric.h"
#include "config/dialog.h"
#include "gfx/display.h"
#include "gfx/frame.h"
#include "gfx/menu_overlay.h"
#include "gfx/textures.h"
#include "support/drawn_quads.h"
#include "support/headless_game.h"

namespace {

// The menu the overlay is shown, set by each test.
std::string shownItems[7];
MenuView shownView;
MenuView shown() { return shownView; }

class MenuOverlayTest : public HeadlessGameTest {
protected:
    void SetUp() override {
        HeadlessGameTest::SetUp();
        display.screenWidth = 1024;
        display.screenHeight = 768;
        dialog.dialogId = 0;
        renderer.menuVisible = -1;
        textures.screens.openingTexture.glName = 71;
        textures.screens.endTexture.glName = 72;
        textures.screens.editGrayTexture.glName = 73;
        for (std::string& item : shownItems) item.clear();
        shownView = MenuView();
        shownView.items = shownItems;
        setMenuViewSource(shown);
    }
    void show(int screen, int selection, std::initializer_list<std::string> items) {
        int i = 0;
        for (const std::string& item : items) shownItems[++i] = item;
        shownView.screen = screen;
        shownView.selection = selection;
        shownView.itemCount = i;
    }
    std::vector<DrawnQuad> frame() {
        drawLayer.calls.clear();
        drawFrame();
        return drawnQuads();
    }
    // The first tile-font quad of each line, by its y.
    static std::vector<DrawnQuad> lineStarts(const std::vector<DrawnQuad>& quads) {
        std::vector<DrawnQuad> starts;
        for (const DrawnQuad& quad : quads)
            if (quad.z == 15 && (starts.empty() || starts.back().y != quad.y)) starts.push_back(quad);
        return starts;
    }
};

TEST_F(MenuOverlayTest, ItemsAreCentredFiftyNinePixelsApartInTheirColours) {
    show(2, 4, {"label:", "text_", "a_b", "chosen", "plain"});
    renderer.ballTint = 100;
    const std::vector<DrawnQuad> starts = lineStarts(frame());
    ASSERT_EQ(starts.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(starts[i].y, 236 + 59 * i);
    EXPECT_EQ(starts[0].colour[2], 255);  // label: white
    EXPECT_EQ(starts[1].colour[1], 120);  // ends in "_": orange
    EXPECT_EQ(starts[1].colour[2], 60);
    EXPECT_EQ(starts[2].colour[2], 0);    // "_" inside: yellow
    const double pulse = menuOverlay.menuPulse;
    EXPECT_GT(pulse, 100);                // the pulse moved on with the frame
    EXPECT_EQ(starts[3].colour[0], 255);
    EXPECT_EQ(starts[3].colour[1], pulse);
    EXPECT_EQ(starts[3].colour[3], static_cast<double>(nearest(255 - pulse / 2.0)));
    EXPECT_EQ(starts[4].colour[1], 255);  // a choice: yellow
    EXPECT_EQ(starts[4].colour[2], 0);
}

TEST_F(MenuOverlayTest, OnlyFiveItemsAreDrawnAndHitAndLabelsAreNeverHit) {
    show(8, 6, {"one", "two", "three:", "four", "five", "six"});
    headless.mouseState = {512, 236 + 59 * 5 + 20, 1};  // where item 6 would be
    EXPECT_EQ(lineStarts(frame()).size(), 5u);
    EXPECT_EQ(renderer.hoveredItem, 0);
    EXPECT_EQ(renderer.mouseButtons, 1);
    headless.mouseState = {512, 236 + 59 + 20, 0};
    frame();
    EXPECT_EQ(renderer.hoveredItem, 2);
    EXPECT_EQ(renderer.mouseY, 236 + 59 + 20);
    headless.mouseState = {512, 236 + 59 * 2 + 20, 0};
    frame();
    EXPECT_EQ(renderer.hoveredItem, 0);
    headless.mouseState = {-1, -1, 0};
    frame();
    EXPECT_EQ(renderer.hoveredItem, 0);
}

TEST_F(MenuOverlayTest, BackdropsFollowTheScreenAndTheWindowShape) {
    auto backdrop = [this](int screen) {
        show(screen, 1, {});
        for (const DrawnQuad& quad : frame())
            if (quad.texture >= 71 && quad.texture <= 73) return quad;
        return DrawnQuad{};
    };
    EXPECT_EQ(backdrop(1).texture, 71);
    EXPECT_EQ(backdrop(-16).texture, 71);
    EXPECT_EQ(backdrop(21).texture, 72);
    EXPECT_EQ(backdrop(15).texture, 72);
    EXPECT_EQ(backdrop(14).texture, 73);
    EXPECT_EQ(backdrop(1).w, 1024);

    display.screenWidth = 1280;  // 5:4: the opening picture between bars, the end picture letterboxed
    display.screenHeight = 1024;
    renderer.xScale = 0;
    const DrawnQuad opening = backdrop(1);
    EXPECT_EQ(opening.w, 1365);
    EXPECT_EQ(opening.x, -42);
    const DrawnQuad end = backdrop(22);
    EXPECT_EQ(end.h, 960);
    EXPECT_EQ(end.y, 32);
    EXPECT_EQ(menuFirstLineY(15), 1024 - 315);  // notices sit low
}

TEST_F(MenuOverlayTest, TheCreditsPageShowsThreeRoleHeadings) {
    show(8, 6, {"_", "_", "_", "_", "_", "Back"});
    const std::vector<DrawnQuad> quads = frame();
    // Title, three headings and seven role lines, each a shadow and a text
    // (z 12 and 13); the lines are empty here, so only the headings and
    // title draw glyphs.
    std::vector<double> rows;
    for (const DrawnQuad& quad : quads)
        if (quad.z == 13 && (rows.empty() || rows.back() != quad.y)) rows.push_back(quad.y);
    const double base = (768 - 192) / 2;
    EXPECT_EQ(rows, (std::vector<double>{base + 25, base + 95, base + 150}));
}

}  // namespace
