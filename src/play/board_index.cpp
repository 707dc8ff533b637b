#include "play/board_index.h"

#include <cmath>

BoardIndex boardIndex;

namespace {
// Coordinates beyond this are left to the side list: cell numbers stay far
// inside 32 bits, and no playable level comes near it.
constexpr double GridLimit = 0x1.0p36;
}  // namespace

bool ListIndex::gridHolds(double c) { return std::isfinite(c) && std::fabs(c) < GridLimit; }

std::int64_t ListIndex::cellOf(double c) { return static_cast<std::int64_t>(std::floor(c / 128)); }

std::uint64_t ListIndex::key(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32) |
           static_cast<std::uint32_t>(cy);
}

bool ListIndex::coversBox(const Box& b) const {
    // A huge box would visit too many cells to be worth it.
    return gridHolds(b.x0) && gridHolds(b.y0) && gridHolds(b.x1) && gridHolds(b.y1) &&
           b.x1 - b.x0 <= 1024 && b.y1 - b.y0 <= 1024;
}

void ListIndex::rebuild(const ObjectList& list) {
    cells.clear();
    offGrid.clear();
    built = true;
    for (int i = 1; i <= list.count(); ++i) {
        const LevelObject& o = list[i];
        const double right = o.x + 128;
        const double bottom = o.y + 128;
        if (!gridHolds(o.x) || !gridHolds(o.y) || !gridHolds(right) || !gridHolds(bottom)) {
            offGrid.push_back(i);
            continue;
        }
        for (std::int64_t cx = cellOf(o.x); cx <= cellOf(right); ++cx)
            for (std::int64_t cy = cellOf(o.y); cy <= cellOf(bottom); ++cy) cells[key(cx, cy)].push_back(i);
    }
}

ListIndex* indexOfList(int listNumber) {
    switch (listNumber) {
    case ListGround: return &boardIndex.groundTiles;
    case ListExitsAndTraps: return &boardIndex.exitsAndTraps;
    case ListArrows: return &boardIndex.arrows;
    case ListPlatformMarkers: return &boardIndex.platformMarkers;
    case ListBombsAndFlags: return &boardIndex.bombsAndFlags;
    case ListWalls: return &boardIndex.walls;
    case ListCracks: return &boardIndex.cracks;
    default: return nullptr;
    }
}

void indexBoard() {
    for (int n = ListGround; n <= ListCracks; ++n)
        if (ListIndex* index = indexOfList(n)) index->rebuild(levelList(n));
}

void enableBoardIndex(bool enabled) {
    for (int n = ListGround; n <= ListCracks; ++n)
        if (ListIndex* index = indexOfList(n)) index->enabled = enabled;
}

void removeIndexed(int listNumber, int i) {
    ObjectList& list = levelList(listNumber);
    list.removeAt(i);
    if (ListIndex* index = indexOfList(listNumber)) index->rebuild(list);
}
