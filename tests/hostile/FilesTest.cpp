// Unusual files dropped on the drop areas: empty files, a file gone before it is digested, a file that may
// not be read, symbolic links that lead to a file or nowhere.
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/hostile/HostileFixture.h"

namespace corvantil::hostile {
namespace {

using Files = HostileTest;

TEST_F(Files, EmptyFilesAreIdentical) {
    ASSERT_TRUE(Drop(1, MakeFile("empty one", "")));
    ASSERT_TRUE(Drop(2, MakeFile("empty two", "")));
    EXPECT_EQ(ResultText(*window), kIdentical);
    EXPECT_EQ(window->checkSum1, Sha256Hex(""));
    EXPECT_EQ(window->checkSum2, Sha256Hex(""));
}

TEST_F(Files, FileDeletedAfterItsDropIsNotFound) {
    const std::string gone = MakeFile("gone", "soon deleted\n");
    ASSERT_TRUE(Drop(1, gone));
    ASSERT_EQ(::unlink(gone.c_str()), 0);
    ASSERT_TRUE(Drop(2, MakeFile("kept", "soon deleted\n")));

    EXPECT_EQ(AreaText(*window, 1), gone + "\n\nFile not found");
    EXPECT_EQ(window->TextArea1()->BackColor(), kPink);
    EXPECT_EQ(ResultText(*window), "");
}

TEST_F(Files, FileWithoutReadPermissionShowsWhatTheToolReports) {
    // Root reads any file whatever its mode, so there is nothing to refuse it.
    if (::geteuid() == 0) GTEST_SKIP() << "running as root: a file's mode does not stop root reading it";
    const std::string locked = MakeFile("locked", "nobody may read this\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    ASSERT_TRUE(Drop(1, locked));
    ASSERT_TRUE(Drop(2, MakeFile("readable", "nobody may read this\n")));

    // The tool cannot open it and ends with status 1.
    EXPECT_EQ(AreaText(*window, 1), locked + "\n\nFile not found");
    EXPECT_EQ(window->TextArea1()->BackColor(), kPink);
    EXPECT_EQ(ResultText(*window), "");
    ::chmod(locked.c_str(), 0644);
}

TEST_F(Files, LinkToFileDigestsItsTarget) {
    const std::string content = "reached through a link\n";
    const std::string target = MakeFile("target", content);
    const std::string link = Path("link to target");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);

    ASSERT_TRUE(Drop(1, link));
    ASSERT_TRUE(Drop(2, MakeFile("copy", content)));
    EXPECT_EQ(ResultText(*window), kIdentical);
    EXPECT_EQ(window->checkSum1, Sha256Hex(content));
    EXPECT_EQ(AreaText(*window, 1), link) << "the area shows the link, not its target";
}

TEST_F(Files, DanglingLinkIsNotFound) {
    const std::string link = Path("dangling");
    ASSERT_EQ(::symlink(Path("nothing here").c_str(), link.c_str()), 0);

    ASSERT_TRUE(Drop(1, link));
    ASSERT_TRUE(Drop(2, MakeFile("file", "some content\n")));
    EXPECT_EQ(AreaText(*window, 1), link + "\n\nFile not found");
    EXPECT_EQ(window->TextArea1()->BackColor(), kPink);
    EXPECT_EQ(ResultText(*window), "");
}

}  // namespace
}  // namespace corvantil::hostile
