// Play: one attempt at the level held in the level model. Owns the play loop
// with its clock, time limit, checkpoint and endings (playLevel), the ball's
// movement and collisions (updateBall), the rules of the level objects and
// the scoring, and the floating messages and voice comments of play events.
//
// The ball-state values that level files store (sinkScale, jumpState,
// jumpHeight, explodeCount, exitCount, bombsCarried, zoom, the ball record)
// stay in the level model; everything else play keeps is in PlayState. It is
// reset at every attempt; outside play it keeps the values the renderer and
// the HUD expect between levels (flagsLeft 1, no messages).
//
// Play reads time, held keys and buffered keys only through the platform
// layer and random numbers only from the game's generator, so a run replays
// exactly from its inputs and seed.
#pragma once

#include <cstdint>
#include <string>

#include "base/list.h"
#include "level/level.h"

// A short text that rises from a board position and fades (drawn by the HUD).
struct FloatingMessage {
    double x = 0;       // board x of the text's left edge
    double y = 0;       // board y of the text's top
    float red = 0;      // colour components, 0..255
    float green = 0;
    float blue = 0;
    double age = 0;     // ticks since creation
    std::string text;
};

// The part of the board and play state a lost life returns to.
struct Checkpoint {
    ObjectList lists[9];         // lists 1..8 of the level (element 0 unused)
    LevelObject ball;
    LevelObject ballShadow;
    std::int32_t bombsCarried = 0;
    double zoom = 0;
    std::int32_t flagsLeft = 0;
    std::int32_t score = 0;
    std::int64_t shownScore = 0;  // the HUD's counting score, rounded
};

struct PlayState {
    // Clock and endings.
    double levelStartTime = 0;       // timer when the level began
    double elapsed = 0;              // seconds since levelStartTime; frozen once the exit opens
    std::string elapsedText;         // clockText(elapsed), for the HUD
    std::string timeLimitText;       // clockText(timeLimit), for the HUD
    std::int32_t timeUpShown = 0;    // -1 once the time-up message was shown
    double startZoom = 0;            // the level's zoom at the start; restored at the end
    double stepClock = 0;            // ticks towards the next step of the fall, blown-up or exit sequence
    std::int32_t flagsLeft = 1;      // flags still to collect; 1 outside play, 0 opens the exits
    std::int32_t score = 0;          // the run's points (the caller sets 0 before playLevel)
    double shownScore = 0;           // the score as the HUD shows it, counting towards score
    std::int32_t endedByKey = 0;     // -1 when Esc or the window's close request ended the run

    // Checkpoint.
    std::int32_t checkpointSet = 0;  // -1 once a checkpoint exists
    double checkpointX = 0;          // ball position at the last checkpoint
    double checkpointY = 0;
    std::int32_t restFrames = 0;     // consecutive frames at rest
    Checkpoint checkpoint;           // what a lost life restores

    // Ball.
    double jumpPeak = 0;             // jumpHeight at which the descent began
    std::int32_t onPlatform = 0;     // -1 while the centre box lies on a platform
    std::int32_t arrowCode = 0;      // direction code from an arrow this frame; 0 none
    std::int32_t spaceHeld = 0;      // -1 while the bomb key is held (one bomb per press)
    double stepVx = 0;               // velocity just before the last unit step (bump loudness)
    double stepVy = 0;

    // Object rules.
    double lastExitNotice = 0;       // timer of the last flags-left message at an exit
    std::int32_t wasJumping = 0;     // -1 while a jump is under way (hole-jump scoring)
    std::int32_t holeJumpArmed = 0;  // -1 once a frame of the jump found no floor under the ball
    std::int32_t comboCount = 0;     // hole jumps in the current series
    std::int32_t comboPoints = 0;    // points of the last scored hole jump
    double lastComboLanding = 0;     // timer of the last hole-jump landing

    // Messages and comments.
    List<FloatingMessage> floatingMessages;  // in order of creation
    double idleSince = 0;            // timer since the ball last moved (idle comment)
    double idleX = 0;                // ball position the idle count refers to
    double idleY = 0;
};

extern PlayState play;

// --- The play loop -------------------------------------------------------

// Plays the loaded level until the exit sequence ends (-1), or Esc, the
// window's close request or a lost life in a bonus level ends it (0). The
// caller sets score to 0 (and the HUD's shownScore) first; the run's points
// are left in play.score.
std::int32_t playLevel();

// The level start of playLevel without the loop: resets the sequences,
// counts the flags, takes the first checkpoint and shows the start message.
void startPlay();

// One frame of play: clock, platforms, ball, drawing, end checks and one
// buffered key. False once the loop should end.
bool playFrame();

// The end of playLevel: restores the transient state; returns the result.
std::int32_t endPlay();

void saveCheckpoint();
// -1 when a checkpoint existed and was restored, 0 when there was none.
std::int32_t restoreCheckpoint();

// "mm:ss" of nearest(seconds); longer minute counts are not cut.
std::string clockText(double seconds);

// A bonus level's background is the texture named "bonusbackground".
bool isBonusLevel();

// --- The ball ------------------------------------------------------------

// The per-frame simulation of the ball, after movePlatforms.
void updateBall();

// Accelerate along one axis, limited to 50 units per tick (a push that slows
// the ball always applies).
void pushX(double a);
void pushY(double a);

// Move the ball towards a coordinate in unit steps with every rule and
// collision of a step.
void moveX(double target);
void moveY(double target);

// Collision of the ball with the walls after a unit step, with the bounce.
bool wallHit();

// The checks before each unit step (support, then arrows) and at each step
// (pickups, then exits and traps).
void preStep();
void onStep();

// Whether floor still carries the ball; starts teetering and falling.
void supportTest();

// -1 when a ball running along one axis is about to run off an edge.
std::int32_t edgeLookahead();

// --- The level objects -----------------------------------------------------

void pickupRule();
void exitAndTrapRule();
void arrowRule();
void movePlatforms();

// Moves platform i towards a target coordinate unit by unit with the marker
// rule and blocking; returns the distance it moved.
double platformStepX(int i, double target);
double platformStepY(int i, double target);
// Snaps platform i onto a marker at its position and gives it the marker's
// direction; true when that changed its velocity.
bool markerRule(int i);

void setOffBomb();
void blast(double x, double y);
void spawnExplosion(std::int64_t x, std::int64_t y);
void holeJumpRule();

// Whether the ball's centre box overlaps platform i (and the effects of that).
bool ballOnPlatform(int i);

// Rebuilds the board index of play's look-ups (after the lists were replaced).
void indexBoard();

// --- Messages and comments -------------------------------------------------

// A message for an event at board position (x, y), normally the ball's.
void addMessage(double x, double y, const std::string& text, float red, float green, float blue);

// The idle comment: a voice after 10 s without the ball moving.
void idleRule();

// A random voice clip from..to when voice comments are on; one sound effect
// when effects are on.
void playVoice(int from, int to);
void playEffect(int sound);
