// Conversions the game's arithmetic relies on.
#include "services/system/convert.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(ConvertTest, ToIntTruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(ToInt(2.9), 2);
    EXPECT_EQ(ToInt(-2.9), -2);
    EXPECT_EQ(ToInt(-0.5), 0);
    EXPECT_EQ(ToInt(2147483647.9), INT_MAX);
    EXPECT_EQ(ToInt(-2147483648.9), INT_MIN);
    EXPECT_EQ(ToInt(1e300), INT_MAX);
    EXPECT_EQ(ToInt(-1e300), INT_MIN);
    EXPECT_EQ(ToInt(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(ToInt(std::nan("")), 0);
}

TEST(ConvertTest, IntToTextHasNoPaddingAndALeadingMinus) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(1250), "1250");
    EXPECT_EQ(IntToText(-7), "-7");
    EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
}

}  // namespace
