#include <gtest/gtest.h>

#include <cmath>

#include "core/files/MeasureText.h"

namespace tessary {
namespace {

TEST(MeasureText, FormatRoundsToTwoDecimalsOnTheSingleValue) {
    const struct { float value; const char* text; } cases[] = {
        {8.5f, "8.5"},   {11.0f, "11"},      {0.015625f, "0.02"}, {0.004f, "0"},    {0.125f, "0.13"},
        {0.124f, "0.12"}, {0.005f, "0"},      {-0.125f, "-0.12"}, {2.999f, "3"},    {1234.5f, "1234.5"},
        {0.0f, "0"},     {-0.001f, "0"},     {21.59f, "21.59"},  {100.0f, "100"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatMeasure(c.value), c.text) << c.value;
}

TEST(MeasureText, ParsesWholeNumbersDecimalsAndFractions) {
    const struct { const char* text; float value; } cases[] = {
        {"", 0.0f},       {"abc", 0.0f},    {"1/64 inch", 0.015625f}, {"2,5", 25.0f},      {"1 2", 12.0f},
        {"1/64", 0.015625f}, {"1 1/2", 1.5f}, {"3/16", 0.1875f},      {"0.5", 0.5f},       {".25", 0.25f},
        {"2.", 2.0f},     {"1.2.5", 1.25f}, {"1 .5", 1.5f},         {"  8.5\t", 8.5f},
        {"1/2 3", static_cast<float>(1.0 / 23.0)}, {"1/6/4", static_cast<float>(1.0 / 64.0)},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseMeasure(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(FormatMeasure(ParseMeasure("1/64")), "0.02");
}

TEST(MeasureText, FractionWithoutUsableDenominatorIsFinite) {
    // Nothing to divide by: the whole part alone counts.
    EXPECT_TRUE(ParseMeasure("1/") == 0 && ParseMeasure("3/0") == 0 && ParseMeasure("/") == 0);
    EXPECT_EQ(ParseMeasure("2 3/0"), 2.0f);
    EXPECT_TRUE(std::isfinite(ParseMeasure(std::string(400, '9'))));
    EXPECT_TRUE(std::isfinite(ParseMeasure("1/" + std::string(400, '0') + "1")));
}

TEST(MeasureText, SanitizeAndDigits) {
    EXPECT_EQ(SanitizeMeasure(" a1 1/2b "), "1 1/2");
    EXPECT_EQ(SanitizeMeasure("-3"), "3");
    EXPECT_EQ(DigitsOnly("a1b2 .3"), "123");
}

TEST(MeasureText, KeyFilters) {
    // Digits, Backspace, Enter and "+" pass both filters; Enter and "+" also end the entry.
    for (int key : {int{'0'}, int{'5'}, int{'9'}, int{KeyBackspace}, int{KeyEnter}, int{KeyPlus}}) {
        EXPECT_TRUE(FilterMeasureKey(key, "1.5") == key && FilterPixelKey(key) == key) << key;
        EXPECT_EQ(IsCommitKey(key), key == KeyEnter || key == KeyPlus) << key;
    }
    // A point only in a measure without one.
    EXPECT_EQ(FilterMeasureKey('.', "12"), '.');
    EXPECT_EQ(FilterMeasureKey('.', "1.2"), 0);
    for (int key : {int{'.'}, int{' '}, int{'/'}, int{'-'}, int{'a'}, int{','}, int{'0' - 1}, int{'9' + 1}, 0}) {
        EXPECT_TRUE(FilterPixelKey(key) == 0 && FilterMeasureKey(key, "1.5") == 0) << key;
    }
}

}  // namespace
}  // namespace tessary
