// The play loop: the level clock and time limit, the automatic checkpoint
// and its restoring when a life is lost, and the endings of a level.
#include <cctype>
#include <cstdio>

#include "assets/audio.h"
#include "assets/texture_catalogue.h"
#include "base/numeric.h"
#include "config/language.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "play/board_index.h"
#include "play/frame_clock.h"
#include "play/play.h"
#include "play/replay.h"

PlayState play;

namespace {

// The lists a checkpoint keeps: 1 (ground) to 8 (cracks).
constexpr int CheckpointLists = ListCracks;

std::int32_t countFlags() {
    std::int32_t flags = 0;
    for (const LevelObject& o : level.bombsAndFlags)
        if (textureEntryOf(o.texture).kind == KindFlag) ++flags;
    return flags;
}

void resetSequences() {
    level.sinkScale = 0;
    level.explodeCount = 0;
    level.exitCount = 0;
    level.jumpHeight = 0;
    level.jumpState = 0;
}

void runClock() {
    if (level.exitCount != 0) return;  // frozen once the exit opened
    play.elapsed = platform().timer() - play.levelStartTime;
    play.elapsedText = clockText(play.elapsed);
    // Running over the limit does not end the level; the exit then costs points.
    if (level.timeLimit > 0 && play.timeUpShown == 0 && play.elapsed > level.timeLimit) {
        addMessage(level.ball.x, level.ball.y, str(92), 255, 0, 0);
        play.timeUpShown = -1;
    }
}

// False when the level ends here.
bool endChecks() {
    const bool sequenceDone = level.explosions.empty();
    if (level.exitCount > 50 && (sequenceDone || level.exitCount > 100)) return false;
    const bool fell = level.sinkScale > 100;
    const bool blownUp = level.explodeCount > 50 && (sequenceDone || level.explodeCount > 100);
    if (fell || blownUp) {
        if (restoreCheckpoint() == 0) return false;
        if (isBonusLevel()) return false;  // one slip ends a bonus level
    }
    return true;
}

// False when the key ends the level. The session's end ends it as Esc does
// (while a run is recorded, the recorder notes that Esc).
bool handleKey() {
    const std::string key = platform().endRequested() ? KeyEsc : platform().readKey();
    if (key.size() == 1 && std::tolower(static_cast<unsigned char>(key[0])) == 'm') {
        toggleMusic();
        return true;
    }
    if (key != KeyEsc && key != KeyClose) return true;
    play.endedByKey = -1;
    return false;
}

}  // namespace

std::string clockText(double seconds) {
    const std::int64_t total = nearest(seconds);
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(total / 60),
                  static_cast<long long>(total % 60));
    return text;
}

bool isBonusLevel() { return textureEntryOf(level.background.texture).name == "bonusbackground"; }

void saveCheckpoint() {
    Checkpoint& c = play.checkpoint;
    for (int n = 1; n <= CheckpointLists; ++n) copyList(levelList(n), c.lists[n]);
    c.ball = level.ball;
    c.ballShadow = level.ballShadow;
    c.bombsCarried = level.bombsCarried;
    c.zoom = level.zoom;
    c.flagsLeft = play.flagsLeft;
    c.score = play.score;
    c.shownScore = nearest(play.shownScore);
}

std::int32_t restoreCheckpoint() {
    if (play.checkpointSet != -1) return 0;
    const Checkpoint& c = play.checkpoint;
    for (int n = 1; n <= CheckpointLists; ++n) copyList(c.lists[n], levelList(n));
    indexBoard();
    level.explosions.clearItems();
    level.spareObjects.clearItems();
    play.floatingMessages.clearItems();
    level.ball = c.ball;
    level.ballShadow = c.ballShadow;
    level.bombsCarried = c.bombsCarried;
    level.zoom = c.zoom;
    play.flagsLeft = c.flagsLeft;
    play.score = c.score;
    play.shownScore = static_cast<double>(c.shownScore);
    resetSequences();
    // An arrow met while teetering must not push the ball back at the
    // checkpoint.
    play.arrowCode = 0;
    return -1;
}

void startPlay() {
    resetSequences();
    level.bombsCarried = 0;
    play.checkpointSet = 0;
    play.endedByKey = 0;
    // What the last attempt left half done must not act in this one: a jump
    // cut short by Esc would otherwise score a hole jump on the first frame.
    play.arrowCode = 0;
    play.stepClock = 0;
    play.restFrames = 0;
    play.wasJumping = 0;
    play.holeJumpArmed = 0;
    play.elapsed = 0;
    play.timeLimitText = clockText(level.timeLimit);
    play.startZoom = level.zoom;
    frameClock.targetZoom = level.zoom / 2;
    frameClock.zoomEasing = -1;  // the view eases in from the menus' zoom
    play.flagsLeft = countFlags();
    indexBoard();
    frameClock.lastFrameTime = platform().timer();
    platform().showPointer(false);
    // A game controller's A and B jump and bomb while the level runs.
    setControllerMode(ControllerMode::Play);
    play.checkpointSet = -1;
    play.checkpointX = level.ball.x;
    play.checkpointY = level.ball.y;
    saveCheckpoint();
    play.levelStartTime = platform().timer();
    playVoice(16, 18);
    play.idleSince = platform().timer();
    addMessage(level.ball.x, level.ball.y, str(91), 0, 255, 0);
    play.timeUpShown = 0;
}

bool playFrame() {
    runClock();
    movePlatforms();
    updateBall();
    drawPlayFrame();
    if (!endChecks()) return false;
    return handleKey();
}

std::int32_t endPlay() {
    platform().showPointer(true);
    setControllerMode(ControllerMode::Menus);
    frameClock.zoomEasing = 0;
    level.explosions.clearItems();
    play.floatingMessages.clearItems();
    level.sinkScale = 0;
    level.explodeCount = 0;
    // Whatever ended the loop, a run whose exit opened is finished.
    const std::int32_t result = level.exitCount != 0 ? -1 : 0;
    level.exitCount = 0;
    level.jumpHeight = 0;
    level.jumpState = 0;
    frameClock.targetZoom = 1.0;
    level.zoom = play.startZoom;
    play.flagsLeft = 1;
    return result;
}

std::int32_t playLevel() {
    beginRunRecording();
    startPlay();
    while (playFrame()) {
    }
    endRunRecording();
    return endPlay();
}
