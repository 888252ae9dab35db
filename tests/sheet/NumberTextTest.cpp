#include "text/NumberText.h"
#include "text/CountText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

using namespace mardex;

TEST(NumberText, MasksRoundHalvesAwayFromZeroOnTheDecimalValue)
{
    EXPECT_EQ(FormatArea(12.345), "12.35");
    EXPECT_EQ(FormatArea(2.675), "2.68");
    EXPECT_EQ(FormatArea(0.125), "0.13");
    EXPECT_EQ(FormatArea(-2.675), "-2.68");
    EXPECT_EQ(FormatArea(0), "0.00");
    EXPECT_EQ(FormatArea(1500), "1500.00");
    EXPECT_EQ(FormatArea(9.995), "10.00");
    EXPECT_EQ(FormatArea(1234567890), "1234567890.00");
    EXPECT_EQ(FormatStation(1234.5), "12+34.500");
    EXPECT_EQ(FormatStation(5), "00+05.000");
    EXPECT_EQ(FormatStation(0), "00+00.000");
    EXPECT_EQ(FormatStation(123456.789), "1234+56.789");
    EXPECT_EQ(FormatStation(100), "01+00.000");
    EXPECT_EQ(FormatStation(-150), "-01+50.000");
    EXPECT_EQ(FormatStation(100000), "1000+00.000");
    EXPECT_EQ(FormatStation(99.9995), "01+00.000");
}

TEST(NumberText, MaskedTextsFormatOnlyPlainNumbers)
{
    EXPECT_EQ(FormatStationText("1234.5"), "12+34.500");
    EXPECT_EQ(FormatStationText("12+34.5"), "12+34.5");
    EXPECT_EQ(FormatAreaText(" 0.9 "), "0.90");
    EXPECT_EQ(FormatAreaText("n/a"), "n/a");
    EXPECT_EQ(FormatAreaText(""), "");
}

TEST(NumberText, ReadsAsNumber)
{
    for (const char* yes : {"1", "1.", ".5", "-3", "+1.25", " 7 ", "\t2\t", "1e3", "2.5E-2"})
        EXPECT_TRUE(ReadsAsNumber(yes)) << yes;
    for (const char* no : {"", ".", "+", "1,000", "0x10", "1e", "12+3", "abc", "1 2", "e5"})
        EXPECT_FALSE(ReadsAsNumber(no)) << no;
}

TEST(NumberText, StationToNumber)
{
    EXPECT_DOUBLE_EQ(StationToNumber("12+34.500"), 1234.5);
    EXPECT_DOUBLE_EQ(StationToNumber("1234.5"), 1234.5);
    EXPECT_DOUBLE_EQ(StationToNumber("+34.5"), 34.5);
    EXPECT_DOUBLE_EQ(StationToNumber("12+"), 1200);
    EXPECT_DOUBLE_EQ(StationToNumber(""), 0);
    EXPECT_DOUBLE_EQ(StationToNumber("."), 0);
    EXPECT_DOUBLE_EQ(StationToNumber("12+3a"), 0);
    EXPECT_DOUBLE_EQ(StationToNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(StationToNumber("12+3+4"), 0);
    EXPECT_DOUBLE_EQ(StationToNumber("12++4"), 0);
    EXPECT_DOUBLE_EQ(StationToNumber("++34.5"), 0);
    EXPECT_DOUBLE_EQ(StationToNumber("-01+50.000"), -150);
    EXPECT_DOUBLE_EQ(StationToNumber("-00+50.000"), -50);
    EXPECT_DOUBLE_EQ(StationToNumber("1+50"), 150);
}

TEST(NumberText, GeneralText)
{
    EXPECT_EQ(GeneralText(46), "46");
    EXPECT_EQ(GeneralText(-12345), "-12345");
    EXPECT_EQ(GeneralText(0.9), "0.9");
    EXPECT_EQ(GeneralText(1.25), "1.25");
    EXPECT_EQ(GeneralText(1e15), "1E+15");
    EXPECT_EQ(GeneralText(123456789012345), "123456789012345");
    EXPECT_EQ(GeneralText(0.0001), "0.0001");
    EXPECT_EQ(GeneralText(0.00001), "1E-05");
    EXPECT_EQ(GeneralText(0.1 + 0.2), "0.3");
}

TEST(NumberText, NearestRoundsHalvesToEven)
{
    EXPECT_EQ(nearest(2.5), 2);
    EXPECT_EQ(nearest(3.5), 4);
    EXPECT_EQ(nearest(13.5), 14);
    EXPECT_EQ(nearest(-2.5), -2);
    EXPECT_EQ(nearest(2.51), 3);
}

TEST(NumberText, RightAlignAndTwoDigits)
{
    EXPECT_EQ(RightAlign("1.00", 9), "     1.00");
    EXPECT_EQ(RightAlign("1234567890.00", 9), "1234567890.00");
    EXPECT_EQ(TwoDigits(3), "03");
    EXPECT_EQ(TwoDigits(12), "12");
    EXPECT_EQ(CountOf(1, "sheet"), "1 sheet");
    EXPECT_EQ(CountOf(0, "page"), "0 pages");
    EXPECT_EQ(CountOf(2, "page"), "2 pages");
}

TEST(NumberText, ParsedValuesAreTheNearestDoubleLikeStrtod)
{
    std::mt19937 rng(7);
    for (int n = 0; n < 20000; ++n) {
        std::string text = (rng() % 3 == 0) ? "-" : "";
        const int whole = static_cast<int>(rng() % 9), decimals = static_cast<int>(rng() % 8);
        for (int i = 0; i < whole; ++i) text += static_cast<char>('0' + rng() % 10);
        if (decimals > 0 || whole == 0) text += '.';
        for (int i = 0; i < decimals || (whole == 0 && i == 0); ++i) text += static_cast<char>('0' + rng() % 10);
        const auto value = ParseNumber(text);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_EQ(*value, std::strtod(text.c_str(), nullptr)) << text;
    }
}

TEST(NumberText, ValuesBeyondTheDoublesGoToInfinityOrZero)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1.5e-400", 0.0}, {"-2E-999", -0.0}, {"0.00001e-320", 0.0}, {"1e-310", 1e-310},
        {"1e400", HUGE_VAL}, {"-1e400", -HUGE_VAL}, {"0.001e311", 1e308}, {"1234567890123456789e-350", 0.0},
    };
    for (const auto& c : cases) {
        const auto value = ParseNumber(c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.value) << c.text;
        EXPECT_EQ(std::signbit(*value), std::signbit(c.value)) << c.text;
    }
    EXPECT_EQ(FormatAreaText("1.5e-400"), "0.00");
}

TEST(NumberText, StationMaskTextsAreTheMaskOfTheirOwnValue)
{
    const struct {
        const char* text;
        bool mask;
        double value;
    } cases[] = {
        {"12+34.500", true, 1234.5},   {"-01+50.000", true, -150},       {"00+00.000", true, 0},
        {"1234567+00.500", true, 123456700.5},
        {"5+00.000", false, 0},        {"005+00.000", false, 0},         {"-00+00.000", false, 0},
        {"12345678+00.000", false, 0}, {"12+34.5", false, 0},            {"12+3a.500", false, 0},
        {" 12+34.500", false, 0},      {"1234.500", false, 0},           {"", false, 0},
    };
    for (const auto& c : cases) {
        double value = -1;
        EXPECT_EQ(IsStationMaskText(c.text, value), c.mask) << c.text;
        if (!c.mask) continue;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(value, StationToNumber(c.text)) << c.text;
        EXPECT_EQ(FormatStation(value), c.text);
    }
}

TEST(NumberText, MasksCarryAndSignAtTheirEdges)
{
    EXPECT_EQ(FormatArea(999999999999.99), "999999999999.99");
    EXPECT_EQ(FormatArea(1e12 + 0.25), "1000000000000.25");
    EXPECT_EQ(FormatArea(-0.0), "0.00");
    EXPECT_EQ(FormatStation(-150), "-01+50.000");
    EXPECT_EQ(FormatArea(999.995), "1000.00");
    EXPECT_EQ(FormatArea(0.005), "0.01");
    EXPECT_EQ(FormatArea(-0.001), "0.00");
    EXPECT_EQ(FormatArea(1e20), "100000000000000000000.00");
    EXPECT_EQ(FormatStation(9999.9995), "100+00.000");
    EXPECT_EQ(FormatStation(-0.0004), "00+00.000");
    EXPECT_EQ(FormatStation(0.5), "00+00.500");
}
