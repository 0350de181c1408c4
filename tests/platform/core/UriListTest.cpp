// The local files a drag's URI list names: which lines name one, and the exact bytes of each path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/DragDrop.h"

namespace platform {
namespace {

using namespace std::string_literals;

struct ListCase {
    const char* name;
    std::string list;
    std::vector<std::string> paths;
};

class UriListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(UriListTest, GivesTheLocalFilesInTheirOrder) {
    EXPECT_EQ(LocalPathsOfUriList(GetParam().list), GetParam().paths);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, UriListTest,
    ::testing::Values(
        ListCase{"Empty", "", {}}, ListCase{"OneFile", "file:///home/me/a.txt\r\n", {"/home/me/a.txt"}},
        ListCase{"LastLineWithoutEnd", "file:///a\r\nfile:///b", {"/a", "/b"}},
        ListCase{"BareLineFeeds", "file:///a\nfile:///b\n", {"/a", "/b"}},
        ListCase{"BlanksAroundALine", "  file:///a \t\r\n\r\n", {"/a"}},
        ListCase{"CommentsAreSkipped", "# from a file manager\r\nfile:///a\r\n", {"/a"}},
        ListCase{"SchemeInCapitals", "FILE:///a\r\n", {"/a"}},
        ListCase{"Localhost", "file://localhost/a\r\nfile://LocalHost/b\r\n", {"/a", "/b"}},
        ListCase{"SingleSlash", "file:/a\r\n", {"/a"}},
        ListCase{"PercentEncodedBytes", "file:///caf%C3%A9%20%27x%27\r\n", {"/caf\xC3\xA9 'x'"}},
        ListCase{"BytesThatAreNotUtf8", "file:///caf%e9%FF%FE.bin\r\n", {"/caf\xE9\xFF\xFE.bin"}},
        ListCase{"EncodedSlashAndPercent", "file:///a%2Fb%25c\r\n", {"/a/b%c"}},
        ListCase{"EncodedPercentOnly", "file:///100%25\r\n", {"/100%"}},
        // A "%" that two hex digits do not follow makes the URI malformed, wherever it stands.
        ListCase{"PercentWithoutHexDigits", "file:///tmp/f/bad%zz.txt\r\n", {}},
        ListCase{"PercentAtTheEnd", "file:///tmp/f/a.txt%\r\n", {}},
        ListCase{"PercentWithOneHexDigit", "file:///tmp/f/a%2\r\n", {}},
        ListCase{"PercentWithAHalfHexDigit", "file:///a%2g\r\n", {}},
        ListCase{"BadEscapeInTheQuery", "file:///a?%zz\r\n", {}},
        ListCase{"BadEscapeBeforeAFileLeavesTheFile",
                 "file:///tmp/f/bad%zz.txt\r\nfile:///tmp/f/a.txt\r\n",
                 {"/tmp/f/a.txt"}},
        ListCase{"QueryAndFragmentAreNoPartOfThePath", "file:///a?b\r\nfile:///c#d\r\n", {"/a", "/c"}},
        ListCase{"NulByte", "file:///x%00y\r\n", {}}, ListCase{"RawNulByte", "file:///x\0y\r\n"s, {}},
        ListCase{"RelativeName", "file:relative-name\r\n", {}},
        ListCase{"OptionLikeName", "file:--help\r\n", {}}, ListCase{"BareScheme", "file:\r\n", {}},
        ListCase{"HostWithoutPath", "file://localhost\r\n", {}},
        ListCase{"OtherHost", "file://otherhost/home/me/a.txt\r\n", {}},
        ListCase{"UserAtLocalhost", "file://me@localhost/a\r\n", {}},
        ListCase{"OtherSchemes", "https://example.org/a\r\nfilex:///a\r\nfil:///a\r\n/a\r\n", {}},
        ListCase{"GoodAndBadKeepTheGoodInOrder",
                 "file:--help\r\nfile:///b\r\nfile://otherhost/c\r\nfile:///x%00\r\nfile:///a\r\n",
                 {"/b", "/a"}}),
    [](const ::testing::TestParamInfo<ListCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace platform
