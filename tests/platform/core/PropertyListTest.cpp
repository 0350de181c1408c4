// Property lists: the exact bytes the writer lays down, a round trip over every value type, and the
// decoder's refusal of malformed lists (naming the entry and its offset, never reading past the end).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PropertyList.h"

namespace platform {
namespace {

using namespace std::string_literals;

std::optional<PropertyType> TestTypes(std::string_view name) {
    if (name == "Index" || name == "Left" || name == "Width") return PropertyType::Int32;
    if (name == "Visible" || name == "Bold") return PropertyType::Boolean;
    if (name == "TextColor" || name == "BackColor") return PropertyType::Color;
    if (name == "Text" || name == "Title") return PropertyType::String;
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------------------------
// One entry per case: what the writer writes and what the decoder reads back.
// ---------------------------------------------------------------------------------------------------------------

struct EntryCase {
    const char* label;
    std::string name;
    PropertyValue value;
    std::string bytes;  // the whole entry as written
};

void Write(PropertyListWriter& writer, const std::string& name, const PropertyValue& value) {
    std::visit(
        [&](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::int32_t>) writer.Int32(name, v);
            if constexpr (std::is_same_v<V, bool>) writer.Boolean(name, v);
            if constexpr (std::is_same_v<V, Color>) writer.Colour(name, v);
            if constexpr (std::is_same_v<V, std::string>) writer.String(name, v);
        },
        value);
}

const std::vector<EntryCase>& EntryCases() {
    static const std::vector<EntryCase> cases = {
        {"Int32Min", "Index", std::int32_t{-2147483647 - 1}, "Index \x80\x00\x00\x00"s},
        {"Int32Max", "Width", std::int32_t{2147483647}, "Width \x7F\xFF\xFF\xFF"s},
        {"Int32MinusOne", "Left", std::int32_t{-1}, "Left \xFF\xFF\xFF\xFF"s},
        {"Int32Small", "Left", std::int32_t{20}, "Left \x00\x00\x00\x14"s},
        {"BooleanTrue", "Visible", true, "Visible \x01"s},
        {"BooleanFalse", "Bold", false, "Bold \x00"s},
        {"Colour", "TextColor", Color{0x00, 0x20, 0xFF, 0}, "TextColor \x00\x20\xFF"s},
        {"EmptyString", "Text", std::string(), "Text \x00\x00\x00\x00"s},
        {"NonAsciiString", "Title", "Grüße ☃"s,
         "Title \x00\x00\x00\x0BGr\xC3\xBC\xC3\x9F"
         "e \xE2\x98\x83"s},
        {"StringWithSpacesAndNul", "Text", "a  b\0c"s,
         "Text \x00\x00\x00\x06"
         "a  b\0c"s},
    };
    return cases;
}

class PropertyListEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(PropertyListEntryTest, WriterLaysDownTheExactBytes) {
    const EntryCase& c = GetParam();
    PropertyListWriter writer;
    Write(writer, c.name, c.value);
    EXPECT_EQ(writer.Bytes(), c.bytes);
}

TEST_P(PropertyListEntryTest, DecoderReadsTheEntryBack) {
    const EntryCase& c = GetParam();
    const std::vector<PropertyEntry> entries = DecodePropertyList(c.bytes, &TestTypes);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, c.name);
    EXPECT_EQ(entries[0].value, c.value);
    EXPECT_EQ(entries[0].offset, 0u);
}

INSTANTIATE_TEST_SUITE_P(Values, PropertyListEntryTest, ::testing::ValuesIn(EntryCases()),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(PropertyListTest, WholeListRoundTripsInOrderWithOffsets) {
    PropertyListWriter writer;
    std::vector<std::size_t> offsets;
    for (const EntryCase& c : EntryCases()) {
        offsets.push_back(writer.Bytes().size());
        Write(writer, c.name, c.value);
    }
    const std::vector<PropertyEntry> entries = DecodePropertyList(writer.Bytes(), &TestTypes);
    ASSERT_EQ(entries.size(), EntryCases().size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(EntryCases()[i].label);
        EXPECT_EQ(entries[i].name, EntryCases()[i].name);
        EXPECT_EQ(entries[i].value, EntryCases()[i].value);
        EXPECT_EQ(entries[i].offset, offsets[i]);
    }
}

TEST(PropertyListTest, EmptyListHasNoEntries) { EXPECT_TRUE(DecodePropertyList("", &TestTypes).empty()); }

TEST(PropertyListTest, WriterRefusesNamesTheDecoderCouldNotSplit) {
    PropertyListWriter writer;
    EXPECT_THROW(writer.Int32("", 1), RuntimeException);
    EXPECT_THROW(writer.Int32("Two words", 1), RuntimeException);
    EXPECT_TRUE(writer.Bytes().empty());
}

// ---------------------------------------------------------------------------------------------------------------
// Malformed lists. Each follows a valid first entry, "Visible \x01" (9 bytes), so the bad entry is at 9.
// ---------------------------------------------------------------------------------------------------------------

struct MalformedCase {
    const char* label;
    std::string bad;        // the bytes after the valid first entry
    std::string mentioned;  // what the message names besides the offset
};

class PropertyListMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(PropertyListMalformedTest, RaisesNamingTheEntryAndItsOffset) {
    const MalformedCase& c = GetParam();
    const std::string list = "Visible \x01"s + c.bad;
    try {
        DecodePropertyList(list, &TestTypes);
        FAIL() << "no exception for " << c.label;
    } catch (const RuntimeException& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"" + c.mentioned + "\""), std::string::npos) << message;
        EXPECT_NE(message.find("offset 9"), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, PropertyListMalformedTest,
                         ::testing::Values(MalformedCase{"TruncatedInName", "Wid"s, "Wid"},
                                           MalformedCase{"MissingSpaceAfterName", "Width\x00\x00\x00\x10"s,
                                                         "Width\\x00\\x00\\x00\\x10"},
                                           MalformedCase{"TruncatedInt32", "Width \x00\x00\x01"s, "Width"},
                                           MalformedCase{"TruncatedBoolean", "Bold "s, "Bold"},
                                           MalformedCase{"BooleanNeitherZeroNorOne", "Bold \x02"s, "Bold"},
                                           MalformedCase{"TruncatedColour", "BackColor \xFF\x00"s,
                                                         "BackColor"},
                                           MalformedCase{"TruncatedStringCount", "Title \x00\x00"s, "Title"},
                                           MalformedCase{"StringCountPastEnd",
                                                         "Title \x00\x00\x00\x05"
                                                         "abc"s,
                                                         "Title"},
                                           MalformedCase{"StringCountHuge",
                                                         "Title \xFF\xFF\xFF\xFF"
                                                         "abc"s,
                                                         "Title"},
                                           MalformedCase{"UnknownName", "Bogus \x01"s, "Bogus"},
                                           MalformedCase{"EmptyName", " \x01"s, ""}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(PropertyListTest, NeverReadsPastTheEndOfTheView) {
    // The bytes after the view would complete the String; the decoder must not see them.
    const std::string buffer =
        "Title \x00\x00\x00\x03"
        "abc"s;
    const std::string_view cut(buffer.data(), buffer.size() - 1);
    EXPECT_THROW(DecodePropertyList(cut, &TestTypes), RuntimeException);
    EXPECT_EQ(DecodePropertyList(buffer, &TestTypes).at(0).value, PropertyValue("abc"s));
}

TEST(PropertyListTest, NilTypeTableRaisesNilObjectException) {
    EXPECT_THROW(DecodePropertyList("Bold \x01", nullptr), NilObjectException);
}

}  // namespace
}  // namespace platform
