#include "play/board_queries.h"

int firstContaining(int listNumber, double px, double py) {
    const ObjectList& list = levelList(listNumber);
    return indexOfList(listNumber)->first(list, Box{px, py, px, py}, [&](const LevelObject& o) {
        return contains(squareOf(o), px, py);
    });
}

bool anySquareOverlaps(int listNumber, const Box& box) {
    const ObjectList& list = levelList(listNumber);
    return indexOfList(listNumber)->first(list, box, [&](const LevelObject& o) {
        return overlaps(squareOf(o), box);
    }) != 0;
}

bool anyBodyOverlaps(int listNumber, const Box& box) {
    const ObjectList& list = levelList(listNumber);
    return indexOfList(listNumber)->first(list, box, [&](const LevelObject& o) {
        return overlaps(bodyOf(o), box);
    }) != 0;
}

int firstAt(int listNumber, double x, double y) {
    const ObjectList& list = levelList(listNumber);
    return indexOfList(listNumber)->first(list, Box{x, y, x, y}, [&](const LevelObject& o) {
        return o.x == x && o.y == y;
    });
}

bool removeFirstAt(int listNumber, double x, double y) {
    const int i = firstAt(listNumber, x, y);
    if (i == 0) return false;
    removeIndexed(listNumber, i);
    return true;
}

namespace {
template <class Test>
bool anyPlatform(Test test) {
    for (const LevelObject& p : level.platforms)
        if (test(p)) return true;
    return false;
}
}  // namespace

bool anyPlatformSquareOverlaps(const Box& box) {
    return anyPlatform([&](const LevelObject& p) { return overlaps(squareOf(p), box); });
}

bool anyPlatformBodyOverlaps(const Box& box) {
    return anyPlatform([&](const LevelObject& p) { return overlaps(bodyOf(p), box); });
}
