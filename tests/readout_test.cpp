// Readout texts, distances and rounding. Runs natively and, under Wine, in
// the 64-bit Windows build.
#include "sampling/readout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const Readout& readout) {
    std::vector<std::string> texts;
    for (const FieldText& text : readout.texts) {
        texts.emplace_back(text.view());
    }
    return texts;
}

struct LiveCase {
    const char* name;
    PixelBytes pixel; // blue, green, red
    Colour colour;
    std::vector<std::string> texts;
};

class LiveReadoutTest : public ::testing::TestWithParam<LiveCase> {};

TEST_P(LiveReadoutTest, GivesColourAndSevenTextsInFieldOrder) {
    const LiveCase& c = GetParam();
    const Readout readout = LiveReadout(c.pixel);
    EXPECT_EQ(readout.colour, c.colour);
    EXPECT_EQ(Texts(readout), c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, LiveReadoutTest,
    ::testing::Values(
        LiveCase{"black", {0, 0, 0}, {0, 0, 0}, {"0", "0", "0", "0", "0", "0", "0"}},
        LiveCase{"x123456",
                 {0x12, 0x34, 0x56},
                 {86, 52, 18},
                 {"86", "56", "52", "34", "18", "12", "1193046"}},
        LiveCase{"red", {0, 0, 255}, {255, 0, 0}, {"255", "FF", "0", "0", "0", "0", "255"}},
        LiveCase{"green", {0, 255, 0}, {0, 255, 0}, {"0", "0", "255", "FF", "0", "0", "65280"}},
        LiveCase{"blue", {255, 0, 0}, {0, 0, 255}, {"0", "0", "0", "0", "255", "FF", "16711680"}},
        LiveCase{"white",
                 {255, 255, 255},
                 {255, 255, 255},
                 {"255", "FF", "255", "FF", "255", "FF", "16777215"}},
        LiveCase{"single_hex_digits",
                 {16, 15, 10},
                 {10, 15, 16},
                 {"10", "A", "15", "F", "16", "10", "1052426"}}),
    [](const auto& param) { return std::string(param.param.name); });

struct TextCase {
    std::int64_t value;
    const char* decimal;
    const char* hex; // nullptr where the value has no hexadecimal field
};

TEST(FieldTextTest, DecimalAndHexFormats) {
    const TextCase cases[] = {
        {0, "0", "0"},
        {10, "10", "A"},
        {16, "16", "10"},
        {255, "255", "FF"},
        {-1280, "-1280", nullptr},
        {16777215, "16777215", "FFFFFF"},
        {std::numeric_limits<std::int32_t>::min(), "-2147483648", nullptr},
        {std::numeric_limits<std::int32_t>::max(), "2147483647", "7FFFFFFF"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(DecimalText(c.value).view(), c.decimal);
        EXPECT_STREQ(DecimalText(c.value).c_str(), c.decimal);
        if (c.hex != nullptr) {
            EXPECT_EQ(HexText(static_cast<std::uint32_t>(c.value)).view(), c.hex);
            EXPECT_STREQ(HexText(static_cast<std::uint32_t>(c.value)).c_str(), c.hex);
        }
    }
}

TEST(FieldTextTest, LongestTextFitsTheBufferWithItsTerminator) {
    static_assert(sizeof(FieldText) <= 32, "a field text lives on the stack, not the heap");
    EXPECT_EQ(DecimalText(std::numeric_limits<std::int32_t>::min()).view().size(),
              FieldText::Capacity);
}

struct PositionCase {
    std::int32_t x, y;
    const char* xText;
    const char* yText;
};

TEST(PositionTextsTest, SignedScreenCoordinates) {
    const PositionCase cases[] = {
        {0, 0, "0", "0"},
        {600, 300, "600", "300"},
        {-1280, 15, "-1280", "15"},
        {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
         "-2147483648", "2147483647"},
    };
    for (const PositionCase& c : cases) {
        const PositionPair texts = PositionTexts(c.x, c.y);
        EXPECT_EQ(texts.x.view(), c.xText);
        EXPECT_EQ(texts.y.view(), c.yText);
    }
}

struct DistanceCase {
    Colour saved;
    PixelBytes pixel; // blue, green, red
    std::int32_t distance;
};

TEST(ColourDistanceTest, RoundedEuclideanDistance) {
    const DistanceCase cases[] = {
        {{86, 52, 18}, {18, 52, 86}, 0},   // a colour and itself
        {{0, 0, 0}, {255, 255, 255}, 442}, // black to white, sqrt(195075) = 441.67
        {{255, 255, 255}, {0, 0, 0}, 442}, // and back
        {{0, 0, 0}, {1, 1, 1}, 2},         // sqrt(3) = 1.73
        {{0, 0, 0}, {0, 1, 1}, 1},         // sqrt(2) = 1.41
        {{0, 0, 0}, {0, 0, 255}, 255},     // pure red
        {{86, 52, 18}, {19, 53, 87}, 2},   // one step up in each channel
        {{86, 52, 18}, {17, 51, 85}, 2},   // one step down in each channel
        {{10, 20, 30}, {30, 20, 13}, 3},   // only red differs
        {{0, 0, 0}, {0, 0, 3}, 3},
    };
    for (const DistanceCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.saved.red) << "," << int(c.saved.green) << "," << int(c.saved.blue));
        EXPECT_EQ(ColourDistance(c.pixel, c.saved), c.distance);
    }
}

// The exact rounding of sqrt(s), half up, in integers only.
std::int32_t ExactRoundedRoot(std::int32_t s) {
    std::int32_t r = 0;
    while ((r + 1) * (r + 1) <= s) {
        ++r;
    }
    // sqrt(s) >= r + 1/2  <=>  s >= r*r + r + 1/4  <=>  s - r*r > r for whole numbers.
    return s - r * r > r ? r + 1 : r;
}

TEST(ColourDistanceTest, EverySumOfSquaresRoundsExactly) {
    for (std::int32_t s = 0; s <= 3 * 255 * 255; ++s) {
        ASSERT_EQ(DistanceFromSquares(s), ExactRoundedRoot(s)) << "s = " << s;
    }
}

struct RoundCase {
    double x;
    std::int32_t expected;
};

TEST(RoundHalfUpTest, RoundsByTheFirstDecimalOfTheFraction) {
    const RoundCase cases[] = {
        {2.5, 3},
        {2.49, 2},
        {-2.7, -2},
        {0.0, 0},
        {0.5, 1},
        {0.4999, 0},
        {441.67, 442},
        {1.732, 2},
        {1.414, 1},
        {-0.5, 0},
        {2147483647.0, 2147483647},
        // Only the low 32 bits are kept.
        {2147483647.5, std::numeric_limits<std::int32_t>::min()},
        {4294967296.0 + 7.0, 7},
        {-4294967296.0 - 7.0, -7},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(RoundHalfUp(c.x), c.expected) << c.x;
    }
}

TEST(RoundHalfUpTest, ValuesBeyondAnyIntegerAreSafe) {
    EXPECT_EQ(RoundHalfUp(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundHalfUp(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(RoundHalfUp(-std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(RoundHalfUp(1e300), 0); // a multiple of 2^32
    EXPECT_EQ(RoundHalfUp(-9223372036854775808.0 * 4), 0);
}

} // namespace
