#include "support/play_fixture.h"

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "config/language.h"
#include "gfx/frame.h"
#include "play/play.h"
#include "support/level_bytes.h"

void PlayTest::SetUp() {
    HeadlessGameTest::SetUp();
    useNumberedStrings();
    for (int kind = 1; kind <= KindWall; ++kind)
        addTextureEntry("txtpcktest", "k" + std::to_string(kind), kind, kind, kind, 0);
    addTextureEntry("txtpcktest", "bonusbackground", KindBackground, 6, 6, 0);
    catalogue.explosionEntry = KindExplosion;
    audio.recordRequests = true;
    headless.clock = 100;  // well away from 0, which some rules treat as "never"
    level.background.texture = KindBackground;
    level.zoom = 0.5;
    play.startZoom = 0.5;
    indexBoard();
}

LevelObject& PlayTest::put(ObjectList& list, int kind, double x, double y, double vx, double vy) {
    LevelObject o;
    o.texture = kind;
    o.x = x;
    o.y = y;
    o.vx = vx;
    o.vy = vy;
    const int i = list.append(o);
    indexBoard();
    return list[i];
}

void PlayTest::floorTiles(int x0, int y0, int x1, int y1) {
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y) {
            LevelObject o;
            o.texture = KindGround;
            o.x = 128.0 * x;
            o.y = 128.0 * y;
            level.groundTiles.append(o);
        }
    indexBoard();
}

void PlayTest::ballAt(double x, double y, double vx, double vy) {
    level.ball.x = x;
    level.ball.y = y;
    level.ball.vx = vx;
    level.ball.vy = vy;
    play.idleX = x;
    play.idleY = y;
}

void PlayTest::step(double d, const std::set<int>& keys) {
    headless.heldKeys = keys;
    frameClock.animDelta = d;
    headless.clock += d / 25;
    movePlatforms();
    updateBall();
}

std::vector<std::string> PlayTest::messageTexts() const {
    std::vector<std::string> texts;
    for (const FloatingMessage& m : play.floatingMessages) texts.push_back(m.text);
    return texts;
}
