// The board index gives exactly the answers of a scan in list order: random
// boards with objects on and off the grid, stacked on one another and far
// away, with removals between the questions.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "play/board_index.h"
#include "play/board_queries.h"
#include "support/play_fixture.h"

namespace {

class BoardIndexTest : public PlayTest {
protected:
    std::mt19937 random{20261207};

    double coordinate() {
        std::uniform_int_distribution<int> pick(0, 9);
        std::uniform_int_distribution<int> tile(-4, 12);
        switch (pick(random)) {
        case 0: return std::uniform_real_distribution<double>(-600, 1800)(random);  // off the grid
        case 1: return tile(random) * 128.0 + std::uniform_int_distribution<int>(-2, 2)(random);
        case 2: return 1e15;  // beyond the grid
        default: return tile(random) * 128.0;
        }
    }

    void fill(ObjectList& list, int count) {
        for (int i = 0; i < count; ++i) {
            LevelObject o;
            o.texture = KindGround;
            o.x = coordinate();
            o.y = coordinate();
            list.append(o);
        }
    }

    // Every question asked with the index on and off must agree.
    void compareAt(int listNumber, double px, double py) {
        const Box box{px - 40, py - 70, px + 87, py + 57};
        enableBoardIndex(true);
        const int first = firstContaining(listNumber, px, py);
        const bool square = anySquareOverlaps(listNumber, box);
        const bool body = anyBodyOverlaps(listNumber, box);
        const int at = firstAt(listNumber, px, py);
        std::vector<int> near;
        const ObjectList& list = levelList(listNumber);
        auto overlapping = [&](const LevelObject& o) { return overlaps(bodyOf(o), box); };
        indexOfList(listNumber)->all(list, box, overlapping, near);
        enableBoardIndex(false);
        EXPECT_EQ(first, firstContaining(listNumber, px, py)) << px << ", " << py;
        EXPECT_EQ(square, anySquareOverlaps(listNumber, box));
        EXPECT_EQ(body, anyBodyOverlaps(listNumber, box));
        EXPECT_EQ(at, firstAt(listNumber, px, py));
        std::vector<int> scanned;
        indexOfList(listNumber)->all(list, box, overlapping, scanned);
        EXPECT_EQ(near, scanned);
    }
};

TEST_F(BoardIndexTest, AnswersLikeAScanInListOrderOnRandomBoards) {
    for (int board = 0; board < 20; ++board) {
        level.groundTiles.clear();
        level.walls.clear();
        fill(level.groundTiles, 300);
        fill(level.walls, 60);
        indexBoard();
        for (int question = 0; question < 300; ++question) {
            const double px = std::uniform_int_distribution<int>(0, 3)(random) == 0
                                  ? coordinate()
                                  : std::uniform_real_distribution<double>(-700, 1900)(random);
            const double py = std::uniform_real_distribution<double>(-700, 1900)(random);
            compareAt(ListGround, px, py);
            compareAt(ListWalls, px, py);
            // Questions at exact object corners, where closed squares touch.
            const LevelObject& o = level.groundTiles[1 + question % level.groundTiles.count()];
            compareAt(ListGround, o.x, o.y);
            compareAt(ListGround, o.x + 128, o.y + 128);
            if (question % 10 == 0 && level.groundTiles.count() > 1) {
                const int i = std::uniform_int_distribution<int>(1, level.groundTiles.count())(random);
                removeIndexed(ListGround, i);
            }
        }
    }
}

TEST_F(BoardIndexTest, NonFiniteCoordinatesMatchNothingAndBreakNothing) {
    fill(level.groundTiles, 50);
    level.groundTiles[3].x = std::nan("");
    level.groundTiles[4].y = INFINITY;
    indexBoard();
    compareAt(ListGround, std::nan(""), 0);
    compareAt(ListGround, INFINITY, -INFINITY);
    compareAt(ListGround, 1e300, 5);
}

}  // namespace
