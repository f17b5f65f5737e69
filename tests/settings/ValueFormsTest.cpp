#include <gtest/gtest.h>

#include "ValueForms.h"

namespace dualis {
namespace {

TEST(BoolFromText, WordsInAnyCase) {
    EXPECT_EQ(BoolFromText(" yes "), true);
    EXPECT_EQ(BoolFromText("TRUE"), true);
    EXPECT_EQ(BoolFromText("-1"), true);
    EXPECT_EQ(BoolFromText("No"), false);
    EXPECT_EQ(BoolFromText("false"), false);
    EXPECT_EQ(BoolFromText("0"), false);
    EXPECT_EQ(BoolFromText("On"), std::nullopt);
    EXPECT_EQ(BoolFromText(""), std::nullopt);
}

TEST(LeadingNumber, ReadsLikeANumericLiteral) {
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber("  -3.5e1x"), -35);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("&HFF"), 255);
    EXPECT_EQ(LeadingNumber("&HFFFF"), -1);
    EXPECT_EQ(LeadingNumber("&H10000"), 65536);
    EXPECT_EQ(LeadingNumber("1e"), 1);
}

TEST(LeadingNumber, TellsATextWithoutANumberInFrontFromZero) {
    EXPECT_EQ(FindLeadingNumber("0"), 0);
    EXPECT_EQ(FindLeadingNumber(" .5x"), 0.5);
    EXPECT_EQ(FindLeadingNumber("&H0"), 0);
    for (const char* none : {"", "  ", "abc", "-", "+.", ".e5", "&H", "&Hxyz", "x12"}) {
        EXPECT_EQ(FindLeadingNumber(none), std::nullopt) << none;
    }
}

TEST(WholeNumber16, RoundsHalvesToEvenAndChecksTheRange) {
    EXPECT_EQ(WholeNumber16(2.5), 2);
    EXPECT_EQ(WholeNumber16(3.5), 4);
    EXPECT_EQ(WholeNumber16(-2.5), -2);
    EXPECT_EQ(WholeNumber16(32767), 32767);
    EXPECT_EQ(WholeNumber16(32768), std::nullopt);
    EXPECT_EQ(WholeNumber16(-32769), std::nullopt);
}

}  // namespace
}  // namespace dualis
