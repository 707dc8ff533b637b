// The questions play's rules ask of the board, in board units, each answered
// through the board index with the result of a scan in list order. Shared by
// the ball and the object rules; not part of play's public interface.
#pragma once

#include "base/numeric.h"
#include "level/level.h"
#include "play/board_index.h"

// A single move of the ball or of a platform is never split into more unit
// steps than this. No play reaches it (it is thousands of times the speed
// limit); it only keeps a damaged level's absurd velocity from freezing the
// game.
constexpr int MaxUnitSteps = 100000;

inline double signOf(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

// The multiple of 128 nearest to c, a coordinate exactly halfway going away
// from zero: the tile position nearest to a ball coordinate.
inline double nearestGridLine(double c) {
    return 128.0 * static_cast<double>(nearest(c + 64 * signOf(c)) / 128);
}

// Rectangles overlap when they share at least a boundary point.
inline bool overlaps(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

inline bool contains(const Box& b, double px, double py) {
    return b.x0 <= px && px <= b.x1 && b.y0 <= py && py <= b.y1;
}

// A tile's square in the point and centre-box tests, and its body in the
// inner-box and body tests.
inline Box squareOf(const LevelObject& o) { return {o.x, o.y, o.x + 128, o.y + 128}; }
inline Box bodyOf(const LevelObject& o) { return {o.x, o.y, o.x + 127, o.y + 127}; }

// The ball's probes.
inline double centreX() { return level.ball.x + 64; }
inline double centreY() { return level.ball.y + 64; }
inline Box centreBox() {
    const LevelObject& b = level.ball;
    return {b.x + 63, b.y + 63, b.x + 65, b.y + 65};
}
inline Box innerBoxAt(double x, double y) { return {x + 4, y + 4, x + 123, y + 123}; }
inline Box ballBody() { return bodyOf(level.ball); }

// The first entry of list `listNumber` whose square contains (px, py); 0 if none.
int firstContaining(int listNumber, double px, double py);

// Whether any entry's square (or body) of the list overlaps `box`.
bool anySquareOverlaps(int listNumber, const Box& box);
bool anyBodyOverlaps(int listNumber, const Box& box);

// The first entry at exactly (x, y); 0 if none.
int firstAt(int listNumber, double x, double y);

// Removes the first entry at exactly (x, y); false when there was none.
bool removeFirstAt(int listNumber, double x, double y);

// The platforms, scanned (they move every frame).
bool anyPlatformSquareOverlaps(const Box& box);
bool anyPlatformBodyOverlaps(const Box& box);
