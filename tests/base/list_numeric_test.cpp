#include <gtest/gtest.h>

#include <cfenv>

#include "base/list.h"
#include "base/numeric.h"

TEST(List, IsOneBasedAndShiftsOnRemoval) {
    List<int> list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.append(10), 1);
    EXPECT_EQ(list.append(20), 2);
    EXPECT_EQ(list.append(30), 3);
    list.removeAt(1);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list[1], 20);
    EXPECT_EQ(list[2], 30);
    EXPECT_FALSE(list.valid(0));
    EXPECT_FALSE(list.valid(3));
    int sum = 0;
    for (int v : list) sum += v;  // iteration skips element 0
    EXPECT_EQ(sum, 50);
}

TEST(List, ClearItemsKeepsElementZero) {
    List<int> list;
    list[0] = 99;
    list.append(1);
    list.clearItems();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list[0], 99);
    list.clear();
    EXPECT_EQ(list[0], 0);
}

TEST(Numeric, NearestRoundsHalvesToEven) {
    EXPECT_EQ(nearest(0.5), 0);
    EXPECT_EQ(nearest(1.5), 2);
    EXPECT_EQ(nearest(2.5), 2);
    EXPECT_EQ(nearest(-0.5), 0);
    EXPECT_EQ(nearest(-1.5), -2);
    EXPECT_EQ(nearest(2.4999), 2);
    EXPECT_EQ(nearest(2.5001), 3);
    // Just below a half, where adding 0.5 and flooring would round up.
    EXPECT_EQ(nearest(0.49999999999999994), 0);
    EXPECT_EQ(nearest(-3.5), -4);
    EXPECT_EQ(nearest(4503599627370497.0), 4503599627370497);  // 2^52 + 1: no fraction left

    // Whatever rounding mode a library may have left behind.
    const int mode = std::fegetround();
    for (int other : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(other);
        EXPECT_EQ(nearest(2.5), 2);
        EXPECT_EQ(nearest(-2.5), -2);
        EXPECT_EQ(nearest(3.5), 4);
        EXPECT_EQ(nearest(-0.4), 0);
        EXPECT_EQ(nearest(7.6), 8);
    }
    std::fesetround(mode);
}

TEST(Numeric, RandomIntStaysInRangeAndRepeatsForASeed) {
    seedRandom(7);
    std::vector<long long> first;
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const auto v = randomInt(3, 6);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 6);
        sawLow |= v == 3;
        sawHigh |= v == 6;
        if (i < 10) first.push_back(v);
    }
    EXPECT_TRUE(sawLow && sawHigh);
    seedRandom(7);
    for (long long v : first) EXPECT_EQ(randomInt(3, 6), v);
}
