#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "sim/fixed.h"
#include "sim/geometry.h"
#include "sim/sin_table.h"

namespace {

Box B(int x, int y, int w, int h) {
    return {static_cast<short>(x), static_cast<short>(y), static_cast<short>(w), static_cast<short>(h)};
}

TEST(SinTable, MatchesTheRoundingRuleWithItsFixedZeroCrossings) {
    for (int i = 0; i < kSinTableSize; ++i) {
        if (i == 0 || i == 1024 || i == 2048) continue;
        const double v = 32767.0 * std::sin(2.0 * M_PI * i / 2048.0);
        const int expected = static_cast<int>(v > 0 ? std::ceil(v) : std::floor(v));
        ASSERT_EQ(SinTable[i], expected) << "entry " << i;
    }
    EXPECT_EQ(SinTable[0], -1);
    EXPECT_EQ(SinTable[1024], 1);
    EXPECT_EQ(SinTable[2048], -1);
    EXPECT_EQ(SinTable[1], 101);
    EXPECT_EQ(SinTable[2], 202);
    EXPECT_EQ(SinTable[3], 302);
    EXPECT_EQ(SinTable[509], 32766);
    for (int i = 510; i <= 514; ++i) EXPECT_EQ(SinTable[i], 32767) << i;
    for (int i = 1534; i <= 1538; ++i) EXPECT_EQ(SinTable[i], -32767) << i;
    EXPECT_EQ(SinTable[2047], -101);
    EXPECT_EQ(SinTable[2559], 32767);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(SinTable[2048 + i], SinTable[i]) << i;
}

TEST(SinTable, AnglesUseOnlyTheirLowElevenBits) {
    EXPECT_EQ(Sin(0), -1);
    EXPECT_EQ(Cos(0), 32767);
    EXPECT_EQ(Cos(512), 1);
    EXPECT_EQ(Sin(2048 + 5), Sin(5));
    EXPECT_EQ(Sin(-1), Sin(2047));
    EXPECT_EQ(Cos(-512), Cos(1536));
    EXPECT_EQ(Sin(INT_MIN), Sin(0));
}

TEST(Overlaps, IsAsymmetricAtTouchingEdges) {
    const Box a = B(0, 0, 10, 10);
    EXPECT_FALSE(Overlaps(a, B(10, 0, 5, 5)));  // b starts at a's right edge
    EXPECT_TRUE(Overlaps(a, B(-5, 0, 5, 5)));   // b ends at a's left edge
    EXPECT_FALSE(Overlaps(a, B(0, 10, 5, 5)));
    EXPECT_TRUE(Overlaps(a, B(0, -5, 5, 5)));
    EXPECT_TRUE(Overlaps(a, B(3, 3, 2, 2)));
    EXPECT_FALSE(Overlaps(a, B(-6, 0, 5, 5)));
}

TEST(Overlaps, ZeroSizedFirstBoxIsAPointTest) {
    const Box b = B(100, 50, 20, 10);
    for (int px = 95; px <= 125; ++px) {
        for (int py = 45; py <= 65; ++py) {
            const bool inside = b.x < px && px <= b.x + b.w && b.y < py && py <= b.y + b.h;
            ASSERT_EQ(Overlaps(B(px, py, 0, 0), b), inside) << px << "," << py;
        }
    }
}

TEST(Overlaps, GrownSizeWrapsInSixteenBits) {
    // 20000 + 20000 wraps to a negative width: nothing can lie inside.
    EXPECT_FALSE(Overlaps(B(0, 0, 20000, 10), B(0, 0, 20000, 5)));
}

TEST(Fixed, WholePartsRoundTowardMinusInfinity) {
    EXPECT_EQ(Fixed::Raw(-1).Whole(), -1);
    EXPECT_EQ(Fixed::Raw(-256).Whole(), -1);
    EXPECT_EQ(Fixed::Raw(-257).Whole(), -2);
    EXPECT_EQ(Fixed::Raw(767).Whole(), 2);
    EXPECT_EQ(Fixed::Raw(-257).Floor().raw, -512);
    EXPECT_EQ(Fixed::Raw(300).Floor().raw, 256);
}

TEST(Fixed, ProductsAndQuotientsFollowTheRawRules) {
    EXPECT_EQ((Fixed::Raw(768) / Fixed::Raw(512)).raw, 384);
    EXPECT_EQ((Fixed::Raw(-768) / Fixed::Raw(512)).raw, -384);
    EXPECT_EQ((Fixed::Raw(384) * Fixed::Raw(512)).raw, 768);
    EXPECT_EQ((Fixed::Raw(-1) * Fixed::Raw(1)).raw, -1);  // arithmetic shift
    EXPECT_EQ((Fixed::Raw(-7) / 2).raw, -3);               // truncation toward zero
    EXPECT_EQ(RoundUp(2.0001), 3.0);
    EXPECT_EQ(RoundUp(3.0), 3.0);
    EXPECT_EQ(RoundUp(-2.5), -3.0);
}

TEST(Fixed, OverflowWrapsInsteadOfBeingUndefined) {
    EXPECT_EQ((Fixed::Raw(INT_MAX) + Fixed::Raw(1)).raw, INT_MIN);
    EXPECT_EQ((-Fixed::Raw(INT_MIN)).raw, INT_MIN);
    EXPECT_EQ((Fixed::Raw(INT_MIN) / -1).raw, INT_MIN);
    EXPECT_EQ((Fixed::Raw(5) / 0).raw, 0);
    EXPECT_EQ(Fixed::FromInt(0x800000).raw, INT_MIN);
    const Point2d<Fixed> huge{Fixed::Raw(100000), Fixed::Raw(0)};
    EXPECT_EQ(SquaredSpeed(huge).raw, WrapMul(100000, 100000) >> 8);
}

}  // namespace
