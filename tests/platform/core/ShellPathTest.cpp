// Shell paths of hostile file names: each name is a real file in a temporary folder; the shell must turn its
// shell path back into exactly the path's bytes, shasum must digest it, and nothing in the name may run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "TempFolder.h"
#include "platform/DragDrop.h"
#include "platform/Shell.h"
#include "platform/Text.h"

namespace platform {
namespace {

using namespace std::string_literals;

constexpr const char* kDigestAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

struct NameCase {
    const char* label;
    std::string name;
};

const std::vector<NameCase>& HostileNames() {
    static const std::vector<NameCase> names = {
        {"Spaces", "two  words here"},
        {"SingleQuote", "it's"},
        {"OnlyQuotes", "''"},
        {"DoubleQuotes", "say \"hi\""},
        {"CommandSubstitution", "$(touch SENTINEL)"},
        {"QuotedCommandSubstitution", "'$(touch SENTINEL)'"},
        {"Backquotes", "`touch SENTINEL`"},
        {"Semicolon", ";touch SENTINEL"},
        {"Pipe", "|touch SENTINEL"},
        {"Ampersand", "&touch SENTINEL"},
        {"AndList", "x&&touch SENTINEL"},
        {"Variable", "$HOME${PATH}"},
        {"Star", "*"},
        {"Question", "?"},
        {"Brackets", "[ab]"},
        {"Tilde", "~"},
        {"Bang", "!"},
        {"Tab", "a\tb"},
        {"Newline", "a\nb"},
        {"TrailingNewline", "end\n"},
        {"Backslash", "back\\slash\\"},
        {"LeadingDash", "-n"},
        {"Redirection", ">out <in"},
        {"Utf8", "Grüße ☃ 名前"},
        {"NotUtf8", "bad\xff\xfe byte"},
    };
    return names;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

class ShellPathTest : public ::testing::TestWithParam<NameCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.Valid());
        folder = dir.Path();
        path = folder + "/" + GetParam().name;
        WriteFile(path, "abc");
        // A second file, so an unquoted glob would expand to something else than the name itself.
        WriteFile(folder + "/aa", "decoy");
        shell = RuntimeCheckCast<Shell>(RuntimeNewObject(Shell::Lookup()));
    }
    // Runs `command` with the temporary folder as the working folder, where SENTINEL would appear.
    void Run(const std::string& command) { shell->Execute("cd " + ShellQuote(folder) + " && " + command); }
    void TearDown() override { EXPECT_FALSE(Exists(folder + "/SENTINEL")) << "a part of the name was run"; }

    test::TempFolder dir;
    std::string folder;
    std::string path;
    Ref<Shell> shell;
};

TEST_P(ShellPathTest, ShellTurnsItBackIntoThePathsBytes) {
    Run("printf %s " + FolderItem(path).ShellPath());
    EXPECT_EQ(shell->ErrorCode(), 0);
    EXPECT_EQ(shell->Result(), path);
}

TEST_P(ShellPathTest, IsExactlyOneWord) {
    Run("set -- " + FolderItem(path).ShellPath() + "; echo $#");
    EXPECT_EQ(shell->Result(), "1\n");
}

TEST_P(ShellPathTest, ShasumDigestsTheFile) {
    Run("shasum -a 256 " + FolderItem(path).ShellPath());
    EXPECT_EQ(shell->ErrorCode(), 0);
    // shasum marks the line of a name holding a backslash or a line break with a leading backslash.
    const bool escaped = path.find_first_of("\\\n") != std::string::npos;
    const std::string digest = escaped ? "\\"s + kDigestAbc : std::string(kDigestAbc);
    EXPECT_EQ(NthField(shell->Result(), "  ", 1), digest);
}

INSTANTIATE_TEST_SUITE_P(Names, ShellPathTest, ::testing::ValuesIn(HostileNames()),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(ShellQuoteTest, QuotesEveryByteAndEscapesQuotes) {
    EXPECT_EQ(ShellQuote(""), "''");
    EXPECT_EQ(ShellQuote("plain"), "'plain'");
    EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellQuote("\xff$`\\\n"s), "'\xff$`\\\n'"s);
}

}  // namespace
}  // namespace platform
