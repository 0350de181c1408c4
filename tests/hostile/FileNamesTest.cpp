// File names that a shell would take apart, end to end: each hostile name is dropped on a drop area, its
// plain copy on the other, and the verdict must be "identical" with the digest of the very content written,
// on either side, while no command hidden in a name ever runs.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/hostile/HostileFixture.h"

namespace corvantil::hostile {
namespace {

struct NameCase {
    const char* label;  // the test's name
    std::string name;   // the file's name, bytes as the file system holds them
    int nestedFolders;  // folders of 200 bytes each to put the file in
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.label; }

const std::vector<NameCase> kNames = {
    {"Spaces", "two  spaces and one", 0},
    {"DoubleQuote", "say \"cheese\"", 0},
    {"SingleQuote", "it's 'quoted'", 0},
    {"CommandSubstitution", "$(touch sentinel)", 0},
    {"Backquotes", "`touch sentinel`", 0},
    {"Semicolon", "a;touch sentinel", 0},
    {"Pipe", "a|touch sentinel", 0},
    {"Ampersand", "a&touch sentinel&", 0},
    {"Star", "*", 0},
    {"QuestionMark", "?", 0},
    {"Tilde", "~", 0},
    {"Bang", "!!", 0},
    {"Tab", "tab\there", 0},
    {"Newline", "new\nline", 0},
    {"Backslash", "back\\slash", 0},
    {"LeadingDash", "-a 1 --", 0},
    {"NonAscii",
     "Gr\xC3\xBC\xC3\x9F"
     "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\x84",
     0},
    {"NotUtf8", "latin1-\xE9t\xE9-\xFF\xFE", 0},
    {"Max255BytesDeeplyNested", std::string(255, 'n'), 12},
};

class FileNames : public HostileTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(FileNames, IdenticalToPlainCopyAndNothingRuns) {
    const NameCase& c = GetParam();
    std::string folder;
    for (int i = 0; i < c.nestedFolders; ++i) {
        folder += std::string(200, static_cast<char>('a' + i)) + "/";
        ASSERT_EQ(::mkdir(Path(folder).c_str(), 0755), 0) << "folder level " << i;
    }
    // Content of its own, so that digesting any other file of the folder could not pass.
    const std::string content = "the content of " + std::string(c.label) + "\n";
    const std::string hostile = MakeFile(folder + c.name, content);
    const std::string plain = MakeFile("plain copy", content);
    // Sorts before every name of the table: a name the shell expanded as a pattern would digest it first.
    MakeFile("!decoy", "other content\n");

    ASSERT_TRUE(Drop(1, hostile));
    ASSERT_TRUE(Drop(2, plain));
    EXPECT_EQ(ResultText(*window), kIdentical);
    EXPECT_EQ(window->checkSum1, Sha256Hex(content));
    if (c.label != std::string("NotUtf8")) {
        EXPECT_EQ(AreaText(*window, 1), hostile) << "the area shows the dropped path as it is";
    } else {
        EXPECT_NE(AreaText(*window, 1).find("\xEF\xBF\xBD"), std::string::npos)
            << "bytes that are not UTF-8 show as U+FFFD";
    }

    // The hostile name on the other side.
    ASSERT_TRUE(Drop(1, plain));
    ASSERT_TRUE(Drop(2, hostile));
    EXPECT_EQ(ResultText(*window), kIdentical);
    EXPECT_EQ(window->checkSum2, Sha256Hex(content));

    EXPECT_FALSE(SentinelExists()) << "a command hidden in the name ran";
}

INSTANTIATE_TEST_SUITE_P(Hostile, FileNames, ::testing::ValuesIn(kNames),
                         [](const ::testing::TestParamInfo<NameCase>& p) {
                             return std::string(p.param.label);
                         });

}  // namespace
}  // namespace corvantil::hostile
