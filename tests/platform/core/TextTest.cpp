// Text helpers: NthField as the comparison splits the tool's output, Str, the line-end object and RGB.
#include <gtest/gtest.h>

#include <limits>

#include "platform/Text.h"

namespace platform {
namespace {

struct FieldCase {
    const char* label;
    std::string source;
    std::string separator;
    std::int32_t index;
    std::string expected;
};

class TextNthFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(TextNthFieldTest, GivesTheField) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(NthField(c.source, c.separator, c.index), c.expected);
}

const std::string kDigestLine =
    "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad  /tmp/a file\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, TextNthFieldTest,
    ::testing::Values(FieldCase{"DigestBeforeTwoBlanks", kDigestLine, "  ", 1,
                                "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
                      FieldCase{"SecondFieldKeepsSingleBlanks", kDigestLine, "  ", 2, "/tmp/a file\n"},
                      FieldCase{"PastTheLastField", kDigestLine, "  ", 3, ""},
                      FieldCase{"NoSeparatorGivesWholeTextAsFieldOne", "no double blank here", "  ", 1,
                                "no double blank here"},
                      FieldCase{"NoSeparatorHasNoFieldTwo", "no double blank here", "  ", 2, ""},
                      FieldCase{"ThreeBlanksSplitAtTheFirstTwo", "a   b", "  ", 2, " b"},
                      FieldCase{"LeadingSeparatorGivesEmptyFirstField", "  x", "  ", 1, ""},
                      FieldCase{"EmptySource", "", "  ", 1, ""}, FieldCase{"IndexZero", "a  b", "  ", 0, ""},
                      FieldCase{"NegativeIndex", "a  b", "  ", -1, ""},
                      FieldCase{"EmptySeparatorWholeSource", "a  b", "", 1, "a  b"},
                      FieldCase{"EmptySeparatorNoFieldTwo", "a  b", "", 2, ""},
                      FieldCase{"OneCharSeparator", "a,b,,c", ",", 4, "c"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(TextTest, StrGivesDecimal) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {-7, "-7"},   {-2147483648LL, "-2147483648"},
        {0, "0"},     {2147483647, "2147483647"},
        {255, "255"}, {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(Str(value), text);
    EXPECT_EQ(Str(std::numeric_limits<std::int32_t>::min(), ""), "-2147483648");
}

TEST(TextTest, StrRefusesAFormatItCannotApply) { EXPECT_THROW(Str(5, "#.00"), RuntimeException); }

TEST(TextTest, EndOfLineAppendsTheLineFeed) {
    const Ref<LineEnd> eol = EndOfLine();
    ASSERT_NE(eol, nullptr);
    EXPECT_EQ(LineEnd::Characters(), "\n");
    EXPECT_EQ(eol->Operator_AddRight("text"), "text\n");
    EXPECT_EQ(eol->Operator_AddRight(eol->Operator_AddRight("text")) + "File not found",
              "text\n\nFile not found");
    EXPECT_EQ(eol->Class().name, "EndOfLine");
}

TEST(TextTest, RgbClampsEachComponent) {
    EXPECT_EQ(RGB(210, 210, 255, 0), (Color{210, 210, 255, 0}));
    EXPECT_EQ(RGB(-5, 300, 128), (Color{0, 255, 128, 0}));
    EXPECT_EQ(RGB(1, 2, 3, 999).alpha, 255);
}

}  // namespace
}  // namespace platform
