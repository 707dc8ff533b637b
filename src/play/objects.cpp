// The level objects acting on the ball: pickups, exits and traps, arrows,
// moving platforms with their markers, bombs with cracks and explosions, and
// the hole-jump series, with the points each scores.
#include <cmath>
#include <string>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/language.h"
#include "config/settings.h"
#include "platform/platform.h"
#include "play/board_queries.h"
#include "play/frame_clock.h"
#include "play/play.h"

namespace {

std::int32_t kindOf(const LevelObject& o) { return textureEntryOf(o.texture).kind; }

void atBall(const std::string& text, float red, float green, float blue) {
    addMessage(level.ball.x, level.ball.y, text, red, green, blue);
}

void scoreExit() {
    if (level.timeLimit > 0) {
        const double t = play.elapsed - level.timeLimit;
        const std::int64_t points = nearest(-(500 * t));
        const std::string number = std::to_string(points < 0 ? -points : points);
        if (t <= 0) {
            atBall(str(98), 0, 255, 0);
            addMessage(level.ball.x, level.ball.y + 64, number, 0, 255, 0);
        } else {
            atBall(str(96), 255, 0, 0);
            addMessage(level.ball.x, level.ball.y + 64, str(97) + number, 255, 0, 0);
        }
        play.score = static_cast<std::int32_t>(play.score + points);
        if (play.score < 0) play.score = 0;
    }
    level.exitCount = 1;
    playEffect(4);
    playVoice(10, 15);
}

void touchExit() {
    if (play.flagsLeft != 0 || level.explodeCount != 0) {
        const double now = platform().timer();
        if (now - play.lastExitNotice > 1.5) {
            atBall(std::to_string(play.flagsLeft) + str(play.flagsLeft == 1 ? 99 : 100), 255, 0, 0);
            play.lastExitNotice = now;
        }
        return;
    }
    if (level.exitCount != 0) return;
    scoreExit();
}

void touchTrap() {
    if (level.explodeCount != 0) return;
    atBall(str(95), 255, 0, 0);
    level.explodeCount = 1;
    playEffect(3);
    playEffect(5);
    playVoice(19, 21);
}

// The platform's body against every wall and every other platform.
bool platformBlocked(int i) {
    const Box body = bodyOf(level.platforms[i]);
    if (anyBodyOverlaps(ListWalls, body)) return true;
    for (int j = 1; j <= level.platforms.count(); ++j)
        if (j != i && overlaps(body, bodyOf(level.platforms[j]))) return true;
    return false;
}

// The unit-step move of platform i along one axis, shared by both axes.
double platformStep(int i, double LevelObject::*axis, double target) {
    LevelObject& p = level.platforms[i];
    const double start = p.*axis;
    for (int steps = 0; steps < MaxUnitSteps; ++steps) {
        const double before = p.*axis;
        if (markerRule(i)) break;
        if (before == target) {
            if (steps == 0) return 0;
            break;
        }
        double step = target - p.*axis;
        const bool more = std::fabs(step) > 1;
        if (more) step = step > 0 ? 1 : -1;
        p.*axis += step;
        if (platformBlocked(i)) {
            // The step, and a snap made in it, are undone; the platform
            // pushes again next frame.
            p.*axis = before;
            break;
        }
        if (!more) break;
    }
    return p.*axis - start;
}

}  // namespace

void pickupRule() {
    const int i = firstContaining(ListBombsAndFlags, centreX(), centreY());
    if (i == 0) return;
    const std::int32_t kind = kindOf(level.bombsAndFlags[i]);
    if (kind == KindBomb) {
        level.bombsCarried += 1;
        playEffect(2);
        atBall("150", 255, 255, 255);
        play.score += 150;
    } else if (kind == KindFlag) {
        play.flagsLeft -= 1;
        playEffect(1);
        if (play.flagsLeft == 0) {
            atBall(str(94), 0, 255, 0);
            playVoice(22, 24);
        } else {
            atBall("100", 255, 255, 255);
        }
        play.score += 100;
    }
    removeIndexed(ListBombsAndFlags, i);
}

void exitAndTrapRule() {
    if (level.jumpState != 0 || play.onPlatform != 0) return;
    const int i = firstContaining(ListExitsAndTraps, centreX(), centreY());
    if (i == 0) return;
    const std::int32_t kind = kindOf(level.exitsAndTraps[i]);
    if (kind == KindTrap) touchTrap();
    else if (kind == KindExit) touchExit();
}

void arrowRule() {
    if (play.arrowCode != 0) return;
    const int i = firstContaining(ListArrows, centreX(), centreY());
    if (i != 0) play.arrowCode = static_cast<std::int32_t>(nearest(level.arrows[i].vx));
}

void movePlatforms() {
    play.onPlatform = 0;
    const double d = frameClock.animDelta;
    for (int i = 1; i <= level.platforms.count(); ++i) {
        const bool carry = level.sinkScale == 0 && level.jumpState == 0 && ballOnPlatform(i);
        const double dx = platformStepX(i, level.platforms[i].x + d * level.platforms[i].vx);
        if (carry) moveX(level.ball.x + dx);
        const double dy = platformStepY(i, level.platforms[i].y + d * level.platforms[i].vy);
        if (carry) moveY(level.ball.y + dy);
    }
}

double platformStepX(int i, double target) { return platformStep(i, &LevelObject::x, target); }
double platformStepY(int i, double target) { return platformStep(i, &LevelObject::y, target); }

bool markerRule(int i) {
    LevelObject& p = level.platforms[i];
    const double px = p.x;
    const double py = p.y;
    const ObjectList& markers = level.platformMarkers;
    const int m = boardIndex.platformMarkers.first(markers, Box{px - 0.5, py - 0.5, px + 0.5, py + 0.5},
                                                   [&](const LevelObject& o) {
                                                       return std::fabs(o.x - px) < 0.5 && std::fabs(o.y - py) < 0.5;
                                                   });
    if (m == 0) return false;
    const LevelObject& marker = markers[m];
    const double oldVx = static_cast<double>(nearest(p.vx));
    const double oldVy = static_cast<double>(nearest(p.vy));
    p.x = marker.x;
    p.y = marker.y;
    switch (nearest(marker.vx)) {
    case DirNorth: p.vx = 0, p.vy = -7; break;
    case DirEast: p.vx = 7, p.vy = 0; break;
    case DirSouth: p.vx = 0, p.vy = 7; break;
    case DirWest: p.vx = -7, p.vy = 0; break;
    default: break;  // another code only snaps the platform
    }
    return p.vx != oldVx || p.vy != oldVy;
}

bool ballOnPlatform(int i) {
    if (!overlaps(centreBox(), squareOf(level.platforms[i]))) return false;
    play.onPlatform = -1;
    if (level.sinkScale < 0) {
        level.sinkScale = 0;
        if (level.explodeCount == 0) playVoice(6, 8);
    }
    return true;
}

void setOffBomb() {
    if (level.bombsCarried < 1) {
        atBall(str(93), 255, 0, 0);
        return;
    }
    level.bombsCarried -= 1;
    playEffect(3);
    const LevelObject& ball = level.ball;
    for (int n = 0; n < 9; ++n) {
        const double ry = static_cast<double>(randomInt(-384, 0));
        const double rx = static_cast<double>(randomInt(-384, 0));
        spawnExplosion(nearest(ball.x + rx), nearest(ball.y + ry));
    }
    const double gx = nearestGridLine(ball.x);
    const double gy = nearestGridLine(ball.y);
    for (int dx = -128; dx <= 128; dx += 128)
        for (int dy = -128; dy <= 128; dy += 128) blast(gx + dx, gy + dy);
}

void blast(double x, double y) {
    if (!removeFirstAt(ListCracks, x, y)) return;
    addMessage(x, y, "200", 255, 255, 255);
    play.score += 200;
    // A crack over a wall opens the wall; a crack on the floor makes a hole.
    if (removeFirstAt(ListWalls, x, y)) return;
    removeFirstAt(ListGround, x, y);
    removeFirstAt(ListArrows, x, y);
}

void spawnExplosion(std::int64_t x, std::int64_t y) {
    LevelObject explosion;
    explosion.texture = catalogue.explosionEntry;
    explosion.frame = textureEntryOf(explosion.texture).firstFrame;
    explosion.x = static_cast<double>(x);
    explosion.y = static_cast<double>(y);
    level.explosions.append(explosion);
}

void holeJumpRule() {
    if (level.jumpState != 0) {
        play.wasJumping = -1;
        if (play.holeJumpArmed == 0) {
            play.holeJumpArmed = -1;
            bool overFloor = false;
            for (int i = 1; i <= level.platforms.count() && !overFloor; ++i) overFloor = ballOnPlatform(i);
            if (overFloor || anySquareOverlaps(ListGround, centreBox())) play.holeJumpArmed = 0;
        }
        return;
    }
    if (play.wasJumping == 0) return;
    // The first frame after landing.
    if (play.holeJumpArmed == -1) {
        const double now = platform().timer();
        if (now - play.lastComboLanding >= 1.0) {
            play.comboCount = 0;  // a new series begins
        } else if (level.explodeCount == 0 && level.sinkScale == 0) {
            play.comboCount += 1;
            play.comboPoints = 100 * play.comboCount;
            const std::string digits = std::to_string(play.comboPoints);
            for (std::size_t i = 1; i <= digits.size(); ++i) {
                const double offset = 32.0 * static_cast<double>(i) - 96;
                addMessage(level.ball.x + offset, level.ball.y + offset, digits.substr(i - 1, 1), 0, 255, 0);
            }
            play.score += play.comboPoints;
            if (settings.voicesOn != 0) playSound(play.comboCount <= 7 ? 8 + play.comboCount : 15);
        }
        play.holeJumpArmed = 0;
        play.lastComboLanding = now;
    }
    play.wasJumping = 0;
}
