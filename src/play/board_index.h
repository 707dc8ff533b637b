// The board index of play: for each object list that the ball's rules look
// up at every unit step, a grid of 128-unit cells that answers "the first
// entry in list order that matches, among those whose square lies near this
// box" without scanning the whole list. The answers are exactly those of a
// plain scan in list order; only the cost changes (a frame at full speed
// makes about forty unit steps, each with several look-ups).
//
// An entry is filed under every cell that its closed square [x, x + 128]^2
// touches, so any point of that square, and any box overlapping it, reaches
// it through the cells the box touches. Entries whose coordinates the grid
// cannot hold (not finite, or astronomically far) are kept in a side list
// that every query also looks at; a query box the grid cannot hold falls back
// to the plain scan.
//
// The index does not follow its list by itself: play rebuilds it when a list
// is replaced (start of play, checkpoint restore) and after every removal.
#pragma once

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "level/level.h"

// A closed rectangle in board units.
struct Box {
    double x0;
    double y0;
    double x1;
    double y1;
};

class ListIndex {
public:
    // Files every entry of `list` anew.
    void rebuild(const ObjectList& list);

    // The lowest index i of `list` for which matches(list[i]) holds, 0 if
    // none. `matches` must only accept entries whose square [x, x + 128]^2
    // overlaps `near`.
    template <class Match>
    int first(const ObjectList& list, const Box& near, Match matches) const;

    // Every index i of `list` for which matches(list[i]) holds, ascending;
    // the same condition on `matches` as for first().
    template <class Match>
    void all(const ObjectList& list, const Box& near, Match matches, std::vector<int>& out) const;

    // With `enabled` false every query scans its list (benchmarks compare).
    bool enabled = true;

private:
    static bool gridHolds(double c);
    static std::int64_t cellOf(double c);
    static std::uint64_t key(std::int64_t cx, std::int64_t cy);
    bool coversBox(const Box& b) const;

    std::unordered_map<std::uint64_t, std::vector<int>> cells;  // ascending indices per cell
    std::vector<int> offGrid;  // entries the grid cannot hold, ascending
    bool built = false;
};

template <class Match>
int ListIndex::first(const ObjectList& list, const Box& near, Match matches) const {
    if (!enabled || !built || !coversBox(near)) {
        for (int i = 1; i <= list.count(); ++i)
            if (matches(list[i])) return i;
        return 0;
    }
    int best = 0;
    auto consider = [&](const std::vector<int>& indices) {
        for (int i : indices) {
            if (best != 0 && i >= best) return;
            if (matches(list[i])) {
                best = i;
                return;
            }
        }
    };
    consider(offGrid);
    for (std::int64_t cx = cellOf(near.x0); cx <= cellOf(near.x1); ++cx)
        for (std::int64_t cy = cellOf(near.y0); cy <= cellOf(near.y1); ++cy) {
            const auto found = cells.find(key(cx, cy));
            if (found != cells.end()) consider(found->second);
        }
    return best;
}

template <class Match>
void ListIndex::all(const ObjectList& list, const Box& near, Match matches, std::vector<int>& out) const {
    out.clear();
    if (!enabled || !built || !coversBox(near)) {
        for (int i = 1; i <= list.count(); ++i)
            if (matches(list[i])) out.push_back(i);
        return;
    }
    for (int i : offGrid)
        if (matches(list[i])) out.push_back(i);
    for (std::int64_t cx = cellOf(near.x0); cx <= cellOf(near.x1); ++cx)
        for (std::int64_t cy = cellOf(near.y0); cy <= cellOf(near.y1); ++cy) {
            const auto found = cells.find(key(cx, cy));
            if (found == cells.end()) continue;
            for (int i : found->second)
                if (matches(list[i])) out.push_back(i);
        }
    // An entry spanning several cells of the box is found once per cell.
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

// The indices of the lists the ball's rules look up (platforms move every
// frame and are few: they are scanned).
struct BoardIndex {
    ListIndex groundTiles;
    ListIndex exitsAndTraps;
    ListIndex arrows;
    ListIndex platformMarkers;
    ListIndex bombsAndFlags;
    ListIndex walls;
    ListIndex cracks;
};

extern BoardIndex boardIndex;

// Rebuilds every index from the level's lists.
void indexBoard();

// Switches every index on or off (off: plain scans, for comparison).
void enableBoardIndex(bool enabled);

// The index of list 1..8 (nullptr for platforms), by its file-order number.
ListIndex* indexOfList(int listNumber);

// Removes entry i of list `listNumber` and brings its index up to date.
void removeIndexed(int listNumber, int i);
