#include "gfx/frame.h"

#include <cmath>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/dialog.h"
#include "config/language.h"
#include "gfx/display.h"
#include "gfx/draw_layer.h"
#include "gfx/hud.h"
#include "gfx/menu_overlay.h"
#include "gfx/text.h"
#include "gfx/textures.h"
#include "platform/platform.h"
#include "play/play.h"

namespace {

// The limiter sleeps until this long before the frame's deadline and yields
// for the rest: a sleep may overshoot by a fraction of a millisecond, a
// yield loop is precise, and sleeping through most of the wait keeps the
// processor free.
constexpr double SleepMargin = 0.001;

// The camera of one frame: the pixel position of board point (0, 0) is
// (-x, -y). The object lists get it rounded; the ball and its shadow use it
// as it is.
struct Camera {
    double x;
    double y;
};

void computeScaleFactors() {
    const int w = display.screenWidth;
    const int h = display.screenHeight;
    renderer.xScale = w / 1024.0;
    renderer.yScale = h / 768.0;
    // Compared in integers: a ratio of doubles would miss exact 4:3 modes.
    renderer.fullAspect = w * 3 == h * 4 ? -1 : 0;
    if (renderer.fullAspect == 0) {
        renderer.fitWidth = static_cast<std::int32_t>(nearest(h / 768.0 * 1024.0));
        renderer.fitHeight = static_cast<std::int32_t>(nearest(w / 1024.0 * 768.0));
    }
}

void waitForNextFrame() {
    PlatformBackend& system = platform();
    double now = system.timer();
    while (now - frameClock.lastFrameTime < MinFrameSeconds) {
        const double left = MinFrameSeconds - (now - frameClock.lastFrameTime);
        // After one sleep about SleepMargin is left; only a wait clearly
        // longer than that is slept through again.
        system.sleep(left > 1.5 * SleepMargin ? left - SleepMargin : 0);
        now = system.timer();
    }
    frameClock.frameSeconds = now - frameClock.lastFrameTime;
    frameClock.lastFrameTime = now;
    frameClock.animDelta = 25 * frameClock.frameSeconds;
}

void easeZoom() {
    if (frameClock.zoomEasing != 0) {
        renderer.zoomAccumulator += frameClock.frameSeconds;
        if (renderer.smoothZoom == 0) renderer.smoothZoom = frameClock.targetZoom;
        if (renderer.zoomAccumulator > 0.01) {
            renderer.smoothZoom += (frameClock.targetZoom - renderer.smoothZoom) / 4;
            renderer.zoomAccumulator = 0;
        }
    } else {
        renderer.smoothZoom = frameClock.targetZoom;
    }
    renderer.zoomScale = renderer.smoothZoom * level.zoom;
    if (display.screenWidth != 1024) renderer.zoomScale = renderer.zoomScale / 1024 * display.screenWidth;
}

int rounded(double value) { return static_cast<int>(nearest(value)); }

// The frame the ball or its shadow shows: the shared
// frame of a synchronised entry, else its own, advanced when `advance`.
double recordFrame(LevelObject& record, bool advance) {
    const TextureEntry& entry = textureEntryOf(record.texture);
    if (entry.synchronised != 0) return entry.currentFrame;
    if (advance)
        record.frame = advanceFrame(entry.firstFrame, entry.lastFrame, record.frame,
                                    frameClock.animDelta);
    return record.frame;
}

void drawLogoScreen() {
    const int w = display.screenWidth;
    const int h = display.screenHeight;
    dlBindTexture(textures.screens.logoTexture.glName);
    if (renderer.fullAspect != 0)
        drawQuad(0, 0, 1, w, h);
    else
        drawQuad(0, rounded((h - renderer.fitHeight) / 2.0), 11, w, renderer.fitHeight);
    if (renderer.loadingCaption != 0) drawCentredText(str(228), h - 30, 0, 0, 255);
}

void advanceSharedAnimations() {
    List<TextureEntry>& table = catalogue.textureTable;
    for (int i = 1; i <= table.count(); ++i) {
        TextureEntry& entry = table[i];
        if (entry.synchronised != 0)
            entry.currentFrame = advanceFrame(entry.firstFrame, entry.lastFrame,
                                              entry.currentFrame, frameClock.animDelta);
    }
}

Camera placeCamera() {
    double s = 0;
    double t = 0;
    if (!level.explosions.empty()) {
        // The view shakes while anything explodes.
        s = static_cast<double>(randomInt(-16, 16));
        t = static_cast<double>(randomInt(-16, 16));
    }
    const double scale = renderer.zoomScale;
    return {(level.viewX + s) * scale - (display.screenWidth - 128 * scale) / 2,
            (level.viewY + t) * scale - (display.screenHeight - 128 * scale) / 2};
}

void drawBallShadow(const Camera& cam, bool animating) {
    const double scale = renderer.zoomScale;
    const LevelObject& ball = level.ball;
    dlDepthTest(DepthTest::GreaterOrEqual);
    bindFrame(recordFrame(level.ballShadow, animating));
    const int size = rounded(128 * scale);
    drawQuad(rounded((level.jumpHeight + ball.x + 16) * scale - cam.x),
             rounded((level.jumpHeight + ball.y + 16) * scale - cam.y), 2, size, size);
    dlDepthTest(DepthTest::Less);
}

void setBallTint() {
    if (play.flagsLeft != 0) {
        renderer.ballTint = 255;
        dlColour(255, 255, 255, 255);
        return;
    }
    renderer.ballTint = advanceFrame(0, 511, renderer.ballTint, 32 * frameClock.animDelta);
    std::int64_t c = nearest(renderer.ballTint);
    if (c > 255) c = nearest(std::fabs(renderer.ballTint - 511));
    const double component = static_cast<double>(static_cast<std::uint8_t>(c));
    dlColour(component, 255, component, 255);
}

void drawBall(const Camera& cam, bool animating) {
    const double scale = renderer.zoomScale;
    LevelObject& ball = level.ball;
    setBallTint();
    bindFrame(recordFrame(ball, animating && frameClock.ballAnimates != 0 && level.exitCount == 0));
    if (level.sinkScale > 0) {
        // Falling off the board: shrinking, and shown only where nothing but
        // the background lies, that is inside the hole.
        const double s = 128 / level.sinkScale;
        const int size = rounded(s * scale);
        dlDepthTest(DepthTest::Equal);
        drawQuad(rounded(((128 - s) / 2 + ball.x) * scale - cam.x),
                 rounded(((128 - s) / 2 + ball.y) * scale - cam.y), 1, size, size);
        dlDepthTest(DepthTest::Less);
    } else if (level.jumpState != 0) {
        // Rising: the ball grows about its centre.
        const int size = rounded((128 + level.jumpHeight) * scale);
        drawQuad(rounded((ball.x - level.jumpHeight / 2) * scale - cam.x),
                 rounded((ball.y - level.jumpHeight / 2) * scale - cam.y), 9, size, size);
    } else {
        const int size = rounded(128 * scale);
        drawQuad(rounded(scale * ball.x - cam.x), rounded(scale * ball.y - cam.y), 9, size, size);
    }
}

Camera drawBoard() {
    const double delta = frameClock.animDelta;
    const bool animating = delta != 0;
    if (animating) advanceSharedAnimations();
    const Camera cam = placeCamera();
    const int camX = rounded(cam.x);
    const int camY = rounded(cam.y);

    // The background animates per record even when its set is synchronised.
    LevelObject& background = level.background;
    if (animating) {
        const TextureEntry& entry = textureEntryOf(background.texture);
        background.frame = advanceFrame(entry.firstFrame, entry.lastFrame, background.frame, delta);
    }
    bindFrame(background.frame);
    drawQuad(0, 0, 1, display.screenWidth, display.screenHeight);

    drawObjectList(level.groundTiles, delta, camX, camY, 2);
    drawObjectList(level.exitsAndTraps, delta, camX, camY, 3);
    drawObjectList(level.platforms, delta, camX, camY, 4);
    drawObjectList(level.arrows, delta, camX, camY, 5);
    if (renderer.menuVisible == 0 && level.sinkScale <= 0) drawBallShadow(cam, animating);
    drawObjectList(level.walls, delta, camX, camY, 6);
    drawObjectList(level.cracks, delta, camX, camY, 7);
    drawObjectList(level.bombsAndFlags, delta, camX, camY, 8);
    if (renderer.menuVisible == 0) drawBall(cam, animating);
    dlColour(255, 255, 255, 255);
    return cam;
}

}  // namespace

void drawObjectList(ObjectList& list, double delta, int camX, int camY, int z) {
    const double scale = renderer.zoomScale;
    const int screenW = display.screenWidth;
    const int screenH = display.screenHeight;
    int i = 1;
    while (i <= list.count()) {
        LevelObject& object = list[i];
        const TextureEntry& entry = textureEntryOf(object.texture);
        const bool explosion = entry.kind == KindExplosion;
        double frame = entry.currentFrame;
        if (entry.synchronised == 0) {
            if (delta != 0) {
                const double next = advanceFrame(entry.firstFrame, entry.lastFrame, object.frame, delta);
                if (explosion && next < object.frame) {
                    // The explosion has played once: it is over. The next
                    // object moved into place i, so i is looked at again.
                    list.removeAt(i);
                    continue;
                }
                object.frame = next;
            }
            frame = object.frame;
        }
        const double size = explosion ? 512 : 128;
        const int x0 = rounded(scale * object.x - camX);
        const int y0 = rounded(scale * object.y - camY);
        const int w = rounded((size + object.x) * scale - camX - x0);
        const int h = rounded((size + object.y) * scale - camY - y0);
        if (explosion || (x0 + w >= 0 && y0 + h >= 0 && x0 <= screenW && y0 <= screenH)) {
            bindFrame(frame);
            drawQuad(x0, y0, z, w, h);
        }
        ++i;
    }
}

void drawFrame() {
    if (renderer.xScale == 0) computeScaleFactors();
    waitForNextFrame();
    serviceAudio();
    easeZoom();

    dlClear();
    dlDepthTest(DepthTest::Less);
    dlBlend(BlendMode::Alpha);
    dlColour(255, 255, 255, 255);

    if (dialog.dialogId == -1) {
        drawLogoScreen();
        dlPresent();
        return;
    }

    const Camera cam = drawBoard();
    if (renderer.editorActive != 0) {
        if (renderer.editorOverlay != nullptr) renderer.editorOverlay(rounded(cam.x), rounded(cam.y));
    } else if (renderer.menuVisible != 0) {
        drawMenuOverlay();
    } else {
        dlDepthTest(DepthTest::LessOrEqual);
        drawObjectList(level.explosions, frameClock.animDelta, rounded(cam.x), rounded(cam.y), 10);
        dlDepthTest(DepthTest::Less);
        drawHud(rounded(cam.x), rounded(cam.y));
    }
    dlPresent();
}
