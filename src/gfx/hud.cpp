#include "gfx/hud.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/language.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/renderer.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "level/level.h"
#include "play/frame_clock.h"
#include "play/play.h"

HudState hud;

namespace {

struct Colour {
    double r, g, b, a;
};

constexpr Colour LightYellow{255, 255, 128, 255};
constexpr Colour Red{255, 0, 0, 255};

int rounded(double value) { return static_cast<int>(nearest(value)); }

// A HUD counter in the tile font at pixel (x, y), sized for the window.
void drawCounter(const Colour& colour, double x, double y, const std::string& text) {
    const double s = renderer.xScale;  // the height follows the width's scale too
    drawTileText(colour.r, colour.g, colour.b, colour.a, rounded(x), rounded(y), text,
                 HudGlyphWidth * s, HudGlyphHeight * s, HudGlyphAdvance * s);
}

// A HUD icon: the first picture of a texture-table entry, 64 x 64 at 1024 x 768.
void drawIcon(int entry, double x, double y) {
    bindFrame(textureEntryOf(entry).firstFrame);
    drawQuad(rounded(x * renderer.xScale), rounded(y * renderer.yScale), 16,
             rounded(64 * renderer.xScale), rounded(64 * renderer.yScale));
}

// Once every flag is taken the counter's red follows the ball's pulse, so
// the counter flashes with the ball.
Colour flagsLeftColour() {
    if (play.flagsLeft != 0) return LightYellow;
    const double tint = renderer.ballTint;
    const double red = nearest(tint) <= 255 ? tint : std::fabs(tint - 511);
    return {red, 255, 128, 255};
}

// The counting score moves half the remaining distance per tick, plus one so
// that it arrives. It is clamped to the score every frame, not only after a
// step up: a late exit's penalty lowers the score, and the display must not
// keep showing points the player no longer has.
void countScore() {
    const double score = play.score;
    if (play.shownScore < score) play.shownScore += (score - play.shownScore) * frameClock.animDelta / 2 + 1;
    if (play.shownScore > score) play.shownScore = score;
}

void drawLevelText() {
    const std::string* lines = level.levelText;
    if (lines[1].empty()) return;
    // Each level load asks for the panel to be measured again.
    if (hud.measuredTextLoad != level.textLoads) {
        hud.measuredTextLoad = level.textLoads;
        hud.levelTextWidth = 0;
    }
    if (hud.levelTextWidth == 0)
        for (int line = 1; line <= 4; ++line)
            hud.levelTextWidth = std::max(hud.levelTextWidth, textWidth(font, lines[line]));

    const int w = display.screenWidth;
    const int h = display.screenHeight;
    dlBindTexture(textures.screens.editGrayTexture.glName);
    drawQuad(w - hud.levelTextWidth - 15, h - 75, 11, hud.levelTextWidth + 10, 65);
    // The lines blink with the cursor's rhythm for the first two seconds of
    // the level, to draw the eye, and then stay.
    if (frameClock.animDelta != 0)
        renderer.cursorBlink = advanceFrame(1, 6, renderer.cursorBlink, frameClock.animDelta);
    if (renderer.cursorBlink > 3 || play.elapsed > 2)
        for (int line = 1; line <= 4; ++line)
            drawShadowedText(font, lines[line], w - hud.levelTextWidth - 10, h - 70 + 14 * (line - 1), 12,
                             255, 255, 255, 255);
}

}  // namespace

void updateMessages(int camX, int camY) {
    const double delta = frameClock.animDelta;
    const double scale = renderer.zoomScale;
    List<FloatingMessage>& messages = play.floatingMessages;
    // Messages share z 15: a later one is drawn over an earlier one.
    dlDepthTest(DepthTest::LessOrEqual);
    int i = 1;
    while (i <= messages.count()) {
        FloatingMessage& message = messages[i];
        message.age += delta;
        double alpha = 255;
        if (message.age <= MessageOpaqueTicks) {
            message.y -= 4 * delta;
        } else {
            message.y -= 8 * delta;
            alpha = 255 - (20 * message.age - 20 * MessageOpaqueTicks);
        }
        if (alpha <= 0) {
            // The next message moved into place i, so i is looked at again.
            messages.removeAt(i);
            continue;
        }
        drawTileText(message.red, message.green, message.blue, alpha, rounded(scale * message.x - camX),
                     rounded(scale * message.y - camY), message.text, HudGlyphWidth * scale,
                     HudGlyphHeight * scale, HudGlyphAdvance * scale);
        ++i;
    }
    dlDepthTest(DepthTest::Less);
}

void drawHud(int camX, int camY) {
    const double xs = renderer.xScale;
    const double ys = renderer.yScale;
    updateMessages(camX, camY);

    drawCounter(flagsLeftColour(), 80 * xs, 10 * ys, std::to_string(play.flagsLeft));
    dlColour(255, 255, 255, 255);
    drawIcon(catalogue.flagEntry, 10, 10);
    drawIcon(catalogue.bombEntry, 10, 80);
    drawCounter(LightYellow, 80 * xs, 80 * ys, std::to_string(level.bombsCarried));

    countScore();
    const auto shown = static_cast<std::int64_t>(std::trunc(play.shownScore));
    drawCounter(LightYellow, 10 * xs, display.screenHeight - 70 * ys, str(90) + std::to_string(shown));

    drawLevelText();

    if (level.timeLimit > 0) {
        const double x = display.screenWidth - 200 * xs;
        drawCounter(play.timeUpShown != 0 ? Red : LightYellow, x, 10 * ys, play.elapsedText);
        drawCounter(LightYellow, x, 80 * ys, play.timeLimitText);
    }
}
