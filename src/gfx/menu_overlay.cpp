#include "gfx/menu_overlay.h"

#include <algorithm>
#include <cmath>

#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "gfx/dialog_box.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/level_panel.h"
#include "gfx/renderer.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "platform/platform.h"
#include "play/frame_clock.h"

MenuOverlayState menuOverlay;

namespace {

// Above the backdrops and the text pages.
constexpr int MessageDepth = 13;

int rounded(double value) { return static_cast<int>(nearest(value)); }

bool isOneOf(int screen, std::initializer_list<int> screens) {
    return std::find(screens.begin(), screens.end(), screen) != screens.end();
}

// Notices and the title pages sit on the end picture; everything else on the
// opening picture. A picture of another shape than the window is fitted
// into it with bars.
void drawBackdrop(int screen) {
    const int w = display.screenWidth;
    const int h = display.screenHeight;
    if (screen == 14 || screen == 19) {
        dlBindTexture(textures.screens.editGrayTexture.glName);
        drawQuad(0, 0, 10, w, h);
    } else if (isOneOf(screen, {15, 17, 18, 20, 21, 22, 23, 24, 25, 27})) {
        dlBindTexture(textures.screens.endTexture.glName);
        if (renderer.fullAspect != 0)
            drawQuad(0, 0, 12, w, h);
        else
            drawQuad(0, rounded((h - renderer.fitHeight) / 2.0), 11, w, renderer.fitHeight);
    } else {
        dlBindTexture(textures.screens.openingTexture.glName);
        if (renderer.fullAspect != 0)
            drawQuad(0, 0, 12, w, h);
        else
            drawQuad(rounded((w - renderer.fitWidth) / 2.0), 0, 12, renderer.fitWidth, h);
    }
}

void advancePulse() {
    renderer.ballTint = advanceFrame(0, 511, renderer.ballTint, 32 * frameClock.animDelta);
    const std::int64_t tint = nearest(renderer.ballTint);
    menuOverlay.menuPulse =
        static_cast<std::int32_t>(tint > 255 ? nearest(std::fabs(renderer.ballTint - 511)) : tint);
}

void drawItems(const MenuView& view, int lineY) {
    const double scale = renderer.yScale;
    const int pulse = menuOverlay.menuPulse;
    const int last = std::min(view.itemCount, MenuItemsDrawn);
    // The level screen makes room for its panel: a gap before the choices,
    // and the level label a little higher with the level's lines under it.
    const bool levelScreen = view.screen == 14;
    for (int i = 1; i <= last; ++i) {
        const std::string& text = view.items[i];
        const bool panelLabel = levelScreen && i != view.selection && !text.empty() && text.back() == ':';
        if (levelScreen && i == 3) lineY += 60;
        if (panelLabel) lineY -= 20;
        const int y = rounded(lineY + (i - 1) * scale * MenuLinePitch);
        double r = 255, g = 255, b = 0, a = 255;  // a choice: yellow
        if (i == view.selection) {
            g = pulse;
            b = pulse;
            a = 255 - pulse / 2.0;
        } else if (!text.empty() && text.back() == ':') {
            b = 255;  // a label: white
        } else if (!text.empty() && text.back() == '_') {
            g = 120;  // a text line: orange
            b = 60;
        }
        if (drawTileLine(r, g, b, a, y, text, MenuGlyphWidth * scale, MenuGlyphHeight * scale,
                         MenuAdvance * scale, renderer.mouseX, renderer.mouseY))
            renderer.hoveredItem = i;
        if (panelLabel) {
            drawLevelPanel(lineY);
            lineY += 80;
        }
    }
}

// A page of bitmap-font lines under a centred heading, left-aligned as one
// block in the middle of the window.
void drawTextPage(int height, int heading, int firstLine, int lastLine) {
    const int base = rounded((display.screenHeight - height) / 2.0);
    drawCentredText(str(heading), base, 255, 255, 0);
    int widest = 0;
    for (int n = firstLine; n <= lastLine; ++n) widest = std::max(widest, textWidth(font, str(n)));
    const int x = rounded((display.screenWidth - widest) / 2.0);
    for (int n = firstLine; n <= lastLine; ++n)
        drawShadowedText(font, str(n), x, base + 25 + (n - firstLine) * 15, 12, 255, 255, 255, 255);
}

void drawCreditsPage() {
    const int base = rounded((display.screenHeight - 192) / 2.0);
    drawCentredText(str(109), base, 255, 255, 0);
    struct Block {
        int headingY;
        int lines[3];
    };
    const Block blocks[3] = {{25, {114, 115, 116}}, {95, {117, 116, 0}}, {150, {118, 115, 0}}};
    for (int k = 0; k < 3; ++k) {
        drawCentredText(std::string(CreditHeadings[k]) + ":", base + blocks[k].headingY, 255, 255, 0);
        for (int line = 0; line < 3 && blocks[k].lines[line] != 0; ++line)
            drawCentredText(str(blocks[k].lines[line]), base + blocks[k].headingY + 15 * (line + 1),
                            255, 255, 255);
    }
}

}  // namespace

void setMenuViewSource(MenuViewSource source) { menuOverlay.source = source; }

int menuFirstLineY(int screen) {
    const double scale = renderer.yScale;
    if (isOneOf(screen, {15, 17, 18, 20, 27})) return display.screenHeight - rounded(236 * scale);
    return rounded(static_cast<double>(display.screenHeight - nearest(295 * scale)) / 2.0);
}

void drawMenuOverlay() {
    if (menuOverlay.source == nullptr) return;
    const MenuView view = menuOverlay.source();
    drawBackdrop(view.screen);
    advancePulse();

    renderer.hoveredItem = 0;
    const MouseState mouse = platform().mouse();
    renderer.mouseX = mouse.x;
    renderer.mouseY = mouse.y;
    renderer.mouseButtons = mouse.buttons;

    // A message (a level that could not be loaded) stands in for the items
    // until the menus close it, so nothing under it can be pointed at.
    if (dialog.dialogId == 1) {
        drawMessageBox(rounded((display.screenWidth - DialogBoxWidth) / 2.0),
                       rounded((display.screenHeight - DialogBoxHeight) / 2.0), MessageDepth);
        return;
    }

    drawItems(view, menuFirstLineY(view.screen));

    switch (view.screen) {
    case 8: drawCreditsPage(); break;
    case 9: drawTextPage(232, 108, 131, 144); break;
    case 10: drawTextPage(187, 107, 119, 129); break;
    default: break;
    }
}
