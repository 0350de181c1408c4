// Real drags from another X client onto the drop areas: the verdict's colour, a refused folder, the light
// blue of a drag passing over, drags that carry no file (malformed file addresses among them), a drop made
// while a comparison runs, and how soon the source hears back from a drop that starts a long one.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <ostream>

#include "E2eTest.h"

namespace e2e {
namespace {

struct VerdictCase {
    const char* name;
    QByteArray first;
    QByteArray second;
    Verdict expected;
};
void PrintTo(const VerdictCase& c, std::ostream* out) { *out << c.name; }

class VerdictE2eTest : public E2eTest, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictE2eTest, TwoDroppedFilesGiveTheVerdictInItsColour) {
    const VerdictCase& c = GetParam();
    ASSERT_TRUE(dropFiles(0, {writeFile(QStringLiteral("one"), c.first)}));
    ASSERT_TRUE(dropFiles(1, {writeFile(QStringLiteral("two"), c.second)}));
    EXPECT_TRUE(program_->waitForVerdict(c.expected)) << "shows " << verdictName(program_->verdict());
    EXPECT_TRUE(program_->areaShows(0, kWhite));
    EXPECT_TRUE(program_->areaShows(1, kWhite));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, VerdictE2eTest,
    ::testing::Values(VerdictCase{"SameContent", "the same words\n", "the same words\n", Verdict::Identical},
                      VerdictCase{"OneByteDiffers", "the same words\n", "the same wordz\n",
                                  Verdict::Different},
                      VerdictCase{"BothEmpty", "", "", Verdict::Identical}),
    [](const ::testing::TestParamInfo<VerdictCase>& row) { return std::string(row.param.name); });

class SideE2eTest : public E2eTest, public ::testing::WithParamInterface<int> {};

TEST_P(SideE2eTest, DroppedFolderTurnsItsAreaPink) {
    const int side = GetParam();
    ASSERT_TRUE(dropFiles(side, {makeFolder(QStringLiteral("folder"))}));
    EXPECT_TRUE(program_->waitForArea(side, kPink))
        << "area shows " << program_->areaColour(side).name().toStdString();
    EXPECT_TRUE(program_->areaShows(1 - side, kWhite));
    EXPECT_EQ(program_->verdict(), Verdict::None);
}

TEST_P(SideE2eTest, DragThatEntersAndLeavesTurnsTheAreaLightBlueAndBack) {
    const int side = GetParam();
    DragSourceDriver& drag = source();
    ASSERT_TRUE(drag.carryFiles({writeFile(QStringLiteral("file"), "content\n")}));
    ASSERT_TRUE(drag.pickUpAndMoveTo(program_->centreOf(kDropAreas[side])));
    ASSERT_TRUE(drag.waitForAcceptance());
    EXPECT_TRUE(program_->waitForArea(side, kLightBlue))
        << "area shows " << program_->areaColour(side).name().toStdString();
    EXPECT_TRUE(program_->areaShows(1 - side, kWhite));
    drag.moveTo(kBareDesktop);
    EXPECT_TRUE(program_->waitForArea(side, kWhite))
        << "area shows " << program_->areaColour(side).name().toStdString();
    EXPECT_EQ(drag.release(), QStringLiteral("ignore"));
    EXPECT_EQ(program_->verdict(), Verdict::None);
}

TEST_P(SideE2eTest, DragThatLeavesARefusedFolderAreaRestoresItsPink) {
    const int side = GetParam();
    ASSERT_TRUE(dropFiles(side, {makeFolder(QStringLiteral("folder"))}));
    ASSERT_TRUE(program_->waitForArea(side, kPink));
    DragSourceDriver& drag = source();
    ASSERT_TRUE(drag.carryFiles({writeFile(QStringLiteral("file"), "content\n")}));
    ASSERT_TRUE(drag.pickUpAndMoveTo(program_->centreOf(kDropAreas[side])));
    ASSERT_TRUE(drag.waitForAcceptance());
    EXPECT_TRUE(program_->waitForArea(side, kLightBlue));
    drag.moveTo(kBareDesktop);
    EXPECT_TRUE(program_->waitForArea(side, kPink))
        << "area shows " << program_->areaColour(side).name().toStdString();
    EXPECT_EQ(drag.release(), QStringLiteral("ignore"));
}

INSTANTIATE_TEST_SUITE_P(Areas, SideE2eTest, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& row) {
                             return row.param == 0 ? std::string("First") : std::string("Second");
                         });

enum class Carried { PlainText, WebAddress, UriList };

struct NoFileCase {
    const char* name;
    Carried carried;
    // For a URI list, its one line as another program sends it; "{dir}" stands for the test's folder.
    const char* uri;
};
void PrintTo(const NoFileCase& c, std::ostream* out) { *out << c.name; }

class NoFileE2eTest : public E2eTest, public ::testing::WithParamInterface<NoFileCase> {};

// With a file on the other side, a taken drop would start a comparison; the drag is refused instead, the
// program goes on and the area stays as it was.
TEST_P(NoFileE2eTest, DragWithoutAFileIsRefused) {
    const NoFileCase& c = GetParam();
    const QString file = writeFile(QStringLiteral("file"), "content\n");
    ASSERT_TRUE(dropFiles(0, {file}));
    DragSourceDriver& drag = source();
    switch (c.carried) {
        case Carried::PlainText:
            ASSERT_TRUE(drag.carryText(file));
            break;
        case Carried::WebAddress:
            ASSERT_TRUE(drag.carryWebAddress(QStringLiteral("https://example.org/wiki/SHA-2")));
            break;
        case Carried::UriList:
            ASSERT_TRUE(drag.carryUriList(
                {QString::fromUtf8(c.uri).replace(QStringLiteral("{dir}"), files_.path())}));
            break;
    }
    ASSERT_TRUE(drag.pickUpAndMoveTo(program_->centreOf(kDropAreas[1])));
    EXPECT_EQ(drag.release(), QStringLiteral("ignore"));
    EXPECT_TRUE(program_->running()) << "the program ended";
    EXPECT_TRUE(program_->areaShows(1, kWhite));
    EXPECT_EQ(program_->verdict(), Verdict::None);
    // The program still takes a file afterwards.
    ASSERT_TRUE(dropFiles(1, {writeFile(QStringLiteral("same"), "content\n")}));
    EXPECT_TRUE(program_->waitForVerdict(Verdict::Identical)) << "shows " << verdictName(program_->verdict());
    // Nothing went wrong on the way: no box about an exception beside the main window, nothing said about
    // one.
    EXPECT_EQ(session_->visibleWindows(program_->pid(), QStringLiteral("^Corvantil$")).size(), 1);
    const QString said = program_->errorOutput();
    EXPECT_FALSE(said.contains(QStringLiteral("exception"), Qt::CaseInsensitive)) << said.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, NoFileE2eTest,
    ::testing::Values(NoFileCase{"PlainText", Carried::PlainText, ""},
                      NoFileCase{"WebAddress", Carried::WebAddress, ""},
                      NoFileCase{"NulByte", Carried::UriList, "file:///x%00y"},
                      NoFileCase{"RelativeName", Carried::UriList, "file:relative-name"},
                      NoFileCase{"OptionLikeName", Carried::UriList, "file:--help"},
                      NoFileCase{"BareScheme", Carried::UriList, "file:"},
                      NoFileCase{"OtherHost", Carried::UriList, "file://otherhost{dir}/file"}),
    [](const ::testing::TestParamInfo<NoFileCase>& row) { return std::string(row.param.name); });

// A `shasum` ahead of the real one on the program's PATH that logs the start and the end of each run and
// holds each run until the test lets it go on, so that a comparison lasts as long as the test needs.
class LongComparisonE2eTest : public E2eTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(tools_.isValid());
        const QString real = QStandardPaths::findExecutable(QStringLiteral("shasum"));
        ASSERT_FALSE(real.isEmpty()) << "no shasum on PATH";
        QFile script(tools_.filePath(QStringLiteral("shasum")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "echo \"start $*\" >> '%1'\n"
                                    "n=0\n"
                                    "while [ ! -e '%2' ] && [ $n -lt 600 ]; do sleep 0.05; n=$((n+1)); done\n"
                                    "'%3' \"$@\"\n"
                                    "status=$?\n"
                                    "echo \"end $*\" >> '%1'\n"
                                    "exit $status\n")
                         .arg(logPath(), goPath(), real)
                         .toUtf8());
        script.close();
        ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        E2eTest::SetUp();
    }

    QString pathPrefix() const override { return tools_.path(); }
    QString logPath() const { return tools_.filePath(QStringLiteral("runs.log")); }
    QString goPath() const { return tools_.filePath(QStringLiteral("go")); }

    QStringList runs() const {
        QFile log(logPath());
        if (!log.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir tools_;
};

TEST_F(LongComparisonE2eTest, FileDroppedDuringARunIsComparedAfterItWithoutReentering) {
    const QString first = writeFile(QStringLiteral("first"), "the same words\n");
    const QString second = writeFile(QStringLiteral("second"), "the same words\n");
    const QString third = writeFile(QStringLiteral("third"), "other words\n");
    ASSERT_TRUE(dropFiles(0, {first}));
    ASSERT_TRUE(dropFiles(1, {second}));
    ASSERT_TRUE(waitUntil([&] { return runs().size() == 1; })) << runs().join('\n').toStdString();

    // While the first side is being digested, a new file goes onto the first side.
    ASSERT_TRUE(dropFiles(0, {third}));
    EXPECT_EQ(runs().size(), 1) << runs().join('\n').toStdString();
    EXPECT_EQ(program_->verdict(), Verdict::None);

    QFile go(goPath());
    ASSERT_TRUE(go.open(QIODevice::WriteOnly));
    go.close();
    EXPECT_TRUE(program_->waitForVerdict(Verdict::Different)) << "shows " << verdictName(program_->verdict());
    // One run at a time, each to its end: the dropped file waited for the comparison before it.
    const QString tool = QStringLiteral(" -a 256 ");
    const QStringList expected = {
        QStringLiteral("start") + tool + first,  QStringLiteral("end") + tool + first,
        QStringLiteral("start") + tool + second, QStringLiteral("end") + tool + second,
        QStringLiteral("start") + tool + third,  QStringLiteral("end") + tool + third,
    };
    EXPECT_TRUE(waitUntil([&] { return runs().size() >= expected.size(); }));
    EXPECT_EQ(runs(), expected);
    EXPECT_TRUE(program_->areaShows(0, kWhite));
    EXPECT_TRUE(program_->areaShows(1, kWhite));
}

// A named pipe with no writer holds `shasum` until something writes to it: a comparison that lasts until the
// test ends it. The drag that starts it hears back from the program at once all the same.
using PipeE2eTest = E2eTest;

TEST_F(PipeE2eTest, DropThatStartsARunThatWaitsOnAPipeIsAnsweredAtOnce) {
    const QString pipe = files_.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    ASSERT_TRUE(dropFiles(0, {writeFile(QStringLiteral("empty"), "")}));

    DragSourceDriver& drag = source();
    ASSERT_TRUE(drag.carryFiles({pipe}));
    ASSERT_TRUE(drag.pickUpAndMoveTo(program_->centreOf(kDropAreas[1])));
    ASSERT_TRUE(drag.waitForAcceptance());
    EXPECT_EQ(drag.release(), QStringLiteral("copy"));
    const int answered = drag.waitForAnswer();
    RecordProperty("answered_ms", answered);
    EXPECT_GE(answered, 0) << "no XdndFinished came";
    EXPECT_LT(answered, 100) << "XdndFinished came " << answered << " ms after the release";
    EXPECT_EQ(program_->verdict(), Verdict::None) << "the run should still wait on the pipe";

    // A writer that closes at once: `shasum` reads an empty pipe, the same content as the empty file.
    int writer = -1;
    ASSERT_TRUE(waitUntil([&] {
        writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
        return writer >= 0;
    })) << "shasum never opened the pipe";
    ::close(writer);
    EXPECT_TRUE(program_->waitForVerdict(Verdict::Identical)) << "shows " << verdictName(program_->verdict());
}

}  // namespace
}  // namespace e2e
