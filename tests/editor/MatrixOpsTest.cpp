#include "editor/MatrixOps.h"

#include <gtest/gtest.h>

using namespace zelvik;

TEST(MatrixOps, ShiftsLoseWhatCrossesTheEdgeAndNeverWrap) {
    PixelMatrix m{};
    m[pixelIndex(0, 0)] = 1;
    m[pixelIndex(31, 31)] = 1;
    shiftLeft(m);
    EXPECT_EQ(m[pixelIndex(30, 31)], 1);
    EXPECT_EQ(m[pixelIndex(31, 0)], 0);
    EXPECT_EQ(m[pixelIndex(31, 31)], 0);
    shiftUp(m);
    EXPECT_EQ(m[pixelIndex(30, 30)], 1);
    shiftDown(m);
    EXPECT_EQ(m[pixelIndex(30, 31)], 1);
    shiftDown(m);
    EXPECT_EQ(m, PixelMatrix{}); // row 31 fell off the bottom edge
}

TEST(MatrixOps, ShiftRightThenLeftRestoresAColumnPushedIntoHiddenSpace) {
    PixelMatrix m{};
    for (int y = 0; y < 16; ++y)
        m[pixelIndex(7, y)] = static_cast<std::uint8_t>(y % 2);
    const PixelMatrix before = m;
    shiftRight(m);
    EXPECT_EQ(m[pixelIndex(8, 1)], 1);
    EXPECT_EQ(m[pixelIndex(7, 1)], 0);
    shiftLeft(m);
    EXPECT_EQ(m, before);
}

TEST(MatrixOps, DownClearsRowZeroAndClearEmptiesHiddenPixels) {
    PixelMatrix m{};
    m[pixelIndex(2, 0)] = 1;
    m[pixelIndex(20, 25)] = 1;
    shiftDown(m);
    EXPECT_EQ(m[pixelIndex(2, 0)], 0);
    EXPECT_EQ(m[pixelIndex(2, 1)], 1);
    EXPECT_EQ(m[pixelIndex(20, 26)], 1);
    clearMatrix(m);
    EXPECT_EQ(m, PixelMatrix{});
}
