// The ball: controls, friction, the speed limit, jumping, the unit-by-unit
// movement with wall bounces, the support test with teetering and falling.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/audio.h"
#include "config/language.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "play/board_queries.h"
#include "play/frame_clock.h"
#include "play/play.h"

namespace {

// The fall, blown-up and exit sequences advance by ticks, one step at most
// per frame, through the shared accumulator.
bool sequenceStep(double threshold) {
    play.stepClock += frameClock.animDelta;
    if (!(play.stepClock > threshold)) return false;
    play.stepClock = 0;
    return true;
}

void applyFriction(double& v, double d) {
    if (v > 0) v = std::max(0.0, v - 2 * d);
    else if (v < 0) v = std::min(0.0, v + 2 * d);
    if (std::fabs(v) < 0.5) v = 0;
}

void push(double& v, double a) {
    if (level.sinkScale < 0) a /= 4;  // a teetering ball barely answers
    if (std::fabs(v + a) <= 50 || signOf(v) == -signOf(a)) v += a;
}

// The automatic checkpoint: the seventh consecutive frame at rest at a new
// place becomes the place a lost life returns to.
void automaticCheckpoint() {
    const LevelObject& ball = level.ball;
    if (ball.vx != 0 || ball.vy != 0) {
        play.restFrames = 0;
    } else if (level.jumpState != 0 || level.sinkScale != 0 || level.explodeCount != 0 ||
               level.exitCount != 0) {
        play.restFrames += 1;
    } else if (play.checkpointSet == -1 && ball.x == play.checkpointX && ball.y == play.checkpointY) {
        // Resting where the checkpoint already is.
    } else if (play.restFrames <= 5) {
        play.restFrames += 1;
    } else {
        play.checkpointSet = -1;
        play.checkpointX = ball.x;
        play.checkpointY = ball.y;
        saveCheckpoint();
        play.restFrames = 0;
    }
    if (play.restFrames > 1000000) play.restFrames = 10000;
}

void zoomControls() {
    if (isBonusLevel()) {
        frameClock.targetZoom = 1.0;
    } else if (platform().keyHeld(ScanMinus) || platform().keyHeld(ScanEnter)) {
        if (play.elapsed > 1.0) frameClock.targetZoom = 0.25;
    } else {
        frameClock.targetZoom = 1.0;
    }
    // The view draws back as the ball speeds up.
    const LevelObject& ball = level.ball;
    level.zoom = play.startZoom / ((1 + std::fabs(ball.vx) / 750) * (1 + std::fabs(ball.vy) / 750));
}

void steer(double d) {
    if (isBonusLevel()) {
        pushY(-6 * d);  // a bonus level drives the ball upwards
        return;
    }
    PlatformBackend& input = platform();
    if (input.keyHeld(ScanUp)) pushY(-6 * d);
    if (input.keyHeld(ScanDown)) pushY(6 * d);
    if (input.keyHeld(ScanLeft)) pushX(-6 * d);
    if (input.keyHeld(ScanRight)) pushX(6 * d);
}

void jumpAndBombKeys() {
    if (platform().keyHeld(ScanCtrl) && level.jumpState == 0 && level.sinkScale == 0) level.jumpState = 1;
    if (!platform().keyHeld(ScanSpace)) {
        play.spaceHeld = 0;
    } else if (play.elapsed > 1.0 && play.spaceHeld == 0) {
        setOffBomb();
        play.spaceHeld = -1;
    }
}

void controls(double d) {
    automaticCheckpoint();
    zoomControls();
    steer(d);
    jumpAndBombKeys();
}

// Returns true when the ball landed this frame.
bool advanceJump(double d) {
    if (level.jumpState == 1) {
        level.jumpHeight += 8 * d;
        if (level.jumpHeight > 48) {
            level.jumpHeight = 48;
            level.jumpState = 2;
            play.jumpPeak = 48;
        }
    } else if (level.jumpState == 2) {
        level.jumpHeight -= 8 * d;
        if (level.jumpHeight < 0.1) {
            level.jumpHeight = 0;
            level.jumpState = 0;
            return true;
        }
    }
    return false;
}

void applyArrow(double d) {
    if (level.sinkScale != 0) return;  // the code waits for firm ground
    LevelObject& ball = level.ball;
    switch (play.arrowCode) {
    case DirNorth: ball.vy -= 10 * d; break;
    case DirEast: ball.vx += 10 * d; break;
    case DirSouth: ball.vy += 10 * d; break;
    case DirWest: ball.vx -= 10 * d; break;
    case DirJump:
        if (level.jumpState == 0) level.jumpState = 1;
        break;
    default: break;
    }
    play.arrowCode = 0;
}

// The unit-by-unit move along one axis shared by moveX and moveY.
void moveAlong(double LevelObject::*axis, double target, bool horizontal) {
    LevelObject& ball = level.ball;
    for (int steps = 0; steps < MaxUnitSteps; ++steps) {
        preStep();
        if (ball.*axis == target) return;
        onStep();
        double step = target - ball.*axis;
        const bool more = std::fabs(step) > 1;
        if (more) step = signOf(step);
        const double old = ball.*axis;
        ball.*axis += step;
        play.stepVx = ball.vx;
        play.stepVy = ball.vy;
        if (wallHit()) {
            if (level.jumpState == 1) {  // a wall ends the rise
                level.jumpState = 2;
                play.jumpPeak = level.jumpHeight;
            }
            ball.*axis = old;
            playBump(horizontal ? play.stepVx : play.stepVy);
            return;
        }
        if (!more) return;
    }
}

// Squared lengths stand in for lengths in play's comparisons: products and
// sums are rounded the same way by every system, while hypot comes from the
// C library (on Windows from the system's own DLL), which may round its last
// bit otherwise and so change a run.
double squaredLength(double x, double y) { return x * x + y * y; }

// The corner of wall w nearest in the order top-left, top-right,
// bottom-left, bottom-right that lies within 64 units of p; -1 if none.
int cornerWithin64(const LevelObject& w, double px, double py) {
    const double cx[4] = {w.x, w.x + 127, w.x, w.x + 127};
    const double cy[4] = {w.y, w.y, w.y + 127, w.y + 127};
    for (int c = 0; c < 4; ++c)
        if (squaredLength(cx[c] - px, cy[c] - py) < 64.0 * 64.0) return c;
    return -1;
}

// Steers a ball whose centre just left the floor back towards the grid, no
// faster than it was going.
void steerBackOntoGrid() {
    LevelObject& ball = level.ball;
    const double speedSquared = squaredLength(ball.vx, ball.vy);
    ball.vx = nearestGridLine(ball.x) - ball.x;
    ball.vy = nearestGridLine(ball.y) - ball.y;
    do {
        ball.vx /= 2;
        ball.vy /= 2;
    } while (squaredLength(ball.vx, ball.vy) > speedSquared);
}

void closeCall() {
    if (level.explodeCount == 0) playVoice(6, 8);
}

}  // namespace

void pushX(double a) { push(level.ball.vx, a); }
void pushY(double a) { push(level.ball.vy, a); }

void moveX(double target) { moveAlong(&LevelObject::x, target, true); }
void moveY(double target) { moveAlong(&LevelObject::y, target, false); }

bool wallHit() {
    LevelObject& ball = level.ball;
    const double px = ball.x + 63;
    const double py = ball.y + 63;
    static std::vector<int> near;
    const Box body = ballBody();
    boardIndex.walls.all(level.walls, body, [&](const LevelObject& w) { return overlaps(body, bodyOf(w)); },
                         near);
    for (int i : near) {
        const LevelObject& w = level.walls[i];
        if (contains({w.x, w.y - 64, w.x + 128, w.y}, px, py) ||
            contains({w.x, w.y + 128, w.x + 128, w.y + 192}, px, py)) {
            ball.vy = -ball.vy / 1.5;
            return true;
        }
        if (contains({w.x - 64, w.y, w.x, w.y + 128}, px, py) ||
            contains({w.x + 128, w.y, w.x + 192, w.y + 128}, px, py)) {
            ball.vx = -ball.vx / 1.5;
            return true;
        }
    }
    for (int i : near) {
        const int corner = cornerWithin64(level.walls[i], px, py);
        if (corner < 0) continue;
        const double u = ball.vx;
        const double v = ball.vy;
        // Top-left and bottom-right turn the motion through one diagonal,
        // the other two corners through the other.
        const double turn = (corner == 0 || corner == 3) ? -1.0 : 1.0;
        ball.vx = turn * v / 1.5;
        ball.vy = turn * u / 1.5;
        return true;
    }
    return false;
}

void preStep() {
    if (level.sinkScale > 0) return;
    if (play.onPlatform == 0) supportTest();
    arrowRule();
}

void onStep() {
    pickupRule();
    exitAndTrapRule();
}

void supportTest() {
    if (level.jumpState != 0) return;
    play.onPlatform = 0;
    const Box centre = centreBox();
    if (anyPlatformSquareOverlaps(centre)) {
        play.onPlatform = -1;
    } else if (!anySquareOverlaps(ListGround, centre)) {
        if (level.sinkScale < 0) {
            const Box inner = innerBoxAt(level.ball.x, level.ball.y);
            if (anyBodyOverlaps(ListGround, inner) || anyPlatformBodyOverlaps(inner)) return;  // still teetering
            level.sinkScale = 1.0;
            if (level.explodeCount == 0) {
                addMessage(level.ball.x, level.ball.y, str(95), 255, 0, 0);
                playEffect(5);
                playVoice(19, 21);
            }
        } else {
            // The centre has just left the floor.
            level.sinkScale = -1;
            if (edgeLookahead() != -1) steerBackOntoGrid();
        }
        return;
    }
    if (level.sinkScale < 0) {
        level.sinkScale = 0;
        closeCall();
    }
}

std::int32_t edgeLookahead() {
    const LevelObject& ball = level.ball;
    if (ball.vx != 0 && ball.vy != 0) return 0;
    double x = static_cast<double>(nearest(ball.x));
    double y = static_cast<double>(nearest(ball.y));
    const double sx = signOf(ball.vx);
    const double sy = signOf(ball.vy);
    for (int step = 0; step < 80; ++step) {
        x += sx;
        y += sy;
        const Box inner = innerBoxAt(x, y);
        if (!anyBodyOverlaps(ListGround, inner) && !anyPlatformBodyOverlaps(inner)) return -1;
        if (sx == 0 && sy == 0) break;  // every further step tests the same place
    }
    return 0;
}

void updateBall() {
    const double d = frameClock.animDelta;
    LevelObject& ball = level.ball;
    if (level.sinkScale > 0) {
        // Falling: nothing else moves and the camera stays.
        if (sequenceStep(0.5)) {
            level.sinkScale *= 1.2;
            level.zoom *= 1.01;
        }
        return;
    }
    if (level.explodeCount > 0 && sequenceStep(0.1)) {
        level.explodeCount += 1;
        if (level.explodeCount < 50) {
            const double ry = static_cast<double>(randomInt(-384, 0));
            const double rx = static_cast<double>(randomInt(-384, 0));
            spawnExplosion(nearest(ball.x + rx), nearest(ball.y + ry));
        }
        level.zoom /= 1.01;
    }
    if (level.exitCount != 0) {
        if (sequenceStep(0.1)) {
            level.exitCount += 1;
            level.zoom *= 1.01;
        }
        return;
    }
    if (level.sinkScale == 0) {
        applyFriction(ball.vx, d);
        applyFriction(ball.vy, d);
    }
    idleRule();
    if (level.explodeCount == 0 && level.sinkScale <= 0) controls(d);
    const bool landed = advanceJump(d);
    if (ball.vx == 0 && ball.vy == 0) {
        frameClock.ballAnimates = 0;
        preStep();
    } else {
        moveX(ball.x + d * ball.vx);
        moveY(ball.y + d * ball.vy);  // vy as the horizontal move left it
        frameClock.ballAnimates = -1;
    }
    applyArrow(d);
    level.viewX = ball.x;
    level.viewY = ball.y;
    if (landed && level.sinkScale <= 0 && play.jumpPeak > 10) playEffect(0);
    holeJumpRule();
}
