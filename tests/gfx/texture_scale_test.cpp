// Power-of-two resizing for the browser's texture uploads.
#include <gtest/gtest.h>

#include "gfx/texture_scale.h"

using Pixels = std::vector<std::uint8_t>;

TEST(TextureScale, PowersOfTwo) {
    EXPECT_EQ(powerOfTwoBelow(1), 1);
    EXPECT_EQ(powerOfTwoBelow(64), 64);
    EXPECT_EQ(powerOfTwoBelow(100), 64);
    EXPECT_EQ(powerOfTwoBelow(1023), 512);
    EXPECT_EQ(powerOfTwoAbove(1), 1);
    EXPECT_EQ(powerOfTwoAbove(64), 64);
    EXPECT_EQ(powerOfTwoAbove(100), 128);
    EXPECT_TRUE(isPowerOfTwo(256));
    EXPECT_FALSE(isPowerOfTwo(768));
    EXPECT_FALSE(isPowerOfTwo(0));
}

TEST(TextureScale, SameSizeKeepsEveryPixel) {
    const Pixels rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(scalePixels(rgb.data(), 2, 2, 3, 2, 2), rgb);
}

TEST(TextureScale, ShrinkingAveragesTheCoveredArea) {
    // 3 x 1 grey-and-alpha pixels to 2 x 1: each target covers one and a
    // half source pixels.
    const Pixels pixels = {0, 255, 90, 255, 180, 0};
    const Pixels half = scalePixels(pixels.data(), 3, 1, 2, 2, 1);
    ASSERT_EQ(half.size(), 4u);
    EXPECT_EQ(half[0], 30);   // (0 + 0.5 * 90) / 1.5
    EXPECT_EQ(half[1], 255);
    EXPECT_EQ(half[2], 150);  // (0.5 * 90 + 180) / 1.5
    EXPECT_EQ(half[3], 85);   // (0.5 * 255 + 0) / 1.5

    // A whole picture shrunk to one pixel is its average colour.
    const Pixels rgba = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    EXPECT_EQ(scalePixels(rgba.data(), 2, 2, 4, 1, 1), (Pixels{128, 128, 128, 255}));
}

TEST(TextureScale, GrowingRepeatsPixelsAndRowsStayInOrder) {
    // 1 x 3 to 2 x 4: bottom row first in and out.
    const Pixels column = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    const Pixels grown = scalePixels(column.data(), 1, 3, 3, 2, 4);
    ASSERT_EQ(grown.size(), 24u);
    EXPECT_EQ(Pixels(grown.begin(), grown.begin() + 6), (Pixels{10, 20, 30, 10, 20, 30}));
    EXPECT_EQ(Pixels(grown.end() - 6, grown.end()), (Pixels{70, 80, 90, 70, 80, 90}));
}
