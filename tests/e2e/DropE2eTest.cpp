// Real drags from another X client onto the drop areas: the verdict's colour, a refused folder, the light
// blue of a drag passing over, drags that carry no file, and a drop made while a comparison runs.
#include "E2eTest.h"

#include <QFile>
#include <QStandardPaths>

#include <ostream>

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
                      VerdictCase{"OneByteDiffers", "the same words\n", "the same wordz\n", Verdict::Different},
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

enum class Carried { PlainText, WebAddress };
void PrintTo(Carried carried, std::ostream* out) { *out << (carried == Carried::PlainText ? "text" : "address"); }

class NoFileE2eTest : public E2eTest, public ::testing::WithParamInterface<Carried> {};

// With a file on the other side, a taken drop would start a comparison; the drag is refused instead and the
// area stays as it was.
TEST_P(NoFileE2eTest, DragWithoutAFileIsRefused) {
    ASSERT_TRUE(dropFiles(0, {writeFile(QStringLiteral("file"), "content\n")}));
    DragSourceDriver& drag = source();
    if (GetParam() == Carried::PlainText)
        ASSERT_TRUE(drag.carryText(files_.filePath(QStringLiteral("file"))));
    else
        ASSERT_TRUE(drag.carryWebAddress(QStringLiteral("https://example.org/wiki/SHA-2")));
    ASSERT_TRUE(drag.pickUpAndMoveTo(program_->centreOf(kDropAreas[1])));
    EXPECT_EQ(drag.release(), QStringLiteral("ignore"));
    EXPECT_TRUE(program_->areaShows(1, kWhite));
    EXPECT_EQ(program_->verdict(), Verdict::None);
    // The program still takes a file afterwards.
    ASSERT_TRUE(dropFiles(1, {writeFile(QStringLiteral("same"), "content\n")}));
    EXPECT_TRUE(program_->waitForVerdict(Verdict::Identical)) << "shows " << verdictName(program_->verdict());
}

INSTANTIATE_TEST_SUITE_P(Payloads, NoFileE2eTest, ::testing::Values(Carried::PlainText, Carried::WebAddress),
                         [](const ::testing::TestParamInfo<Carried>& row) {
                             return row.param == Carried::PlainText ? "PlainText" : "WebAddress";
                         });

// A `shasum` ahead of the real one on the program's PATH that logs the start and the end of each run and holds
// each run until the test lets it go on, so that a comparison lasts as long as the test needs.
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
        if (!log.open(QIODevice::ReadOnly))
            return {};
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
        QStringLiteral("start") + tool + first, QStringLiteral("end") + tool + first,
        QStringLiteral("start") + tool + second, QStringLiteral("end") + tool + second,
        QStringLiteral("start") + tool + third, QStringLiteral("end") + tool + third,
    };
    EXPECT_TRUE(waitUntil([&] { return runs().size() >= expected.size(); }));
    EXPECT_EQ(runs(), expected);
    EXPECT_TRUE(program_->areaShows(0, kWhite));
    EXPECT_TRUE(program_->areaShows(1, kWhite));
}

}  // namespace
}  // namespace e2e
