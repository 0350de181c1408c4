// The drop areas with real Qt drags sent to their editors' viewports: what each kind of drop does to the
// area, the side's state and the result label, when a comparison starts, and the colours of a passing drag.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "support/Drops.h"
#include "tests/ui/main/MainWindowFixture.h"

namespace corvantil::test {
namespace {

using DropAreasTest = MainWindowTest;

// ---------------------------------------------------------------------------------------------------------------
// One drop of each kind, on either side
// ---------------------------------------------------------------------------------------------------------------

enum class Payload { File, Folder, SymlinkToFolder, SeveralFiles, PlainText, WebUrl, WebUrlThenFile };
enum class Outcome { Ignored, Taken, Refused };

struct DropCase {
    const char* name;
    Payload payload;
    bool otherHoldsFile;
    Outcome outcome;
};

const DropCase kDrops[] = {
    {"FileWhileOtherSideHoldsOne", Payload::File, true, Outcome::Taken},
    {"FileWhileOtherSideIsEmpty", Payload::File, false, Outcome::Taken},
    {"FirstOfSeveralFiles", Payload::SeveralFiles, true, Outcome::Taken},
    {"Folder", Payload::Folder, true, Outcome::Refused},
    {"SymlinkToFolder", Payload::SymlinkToFolder, true, Outcome::Refused},
    {"PlainText", Payload::PlainText, true, Outcome::Ignored},
    {"WebUrl", Payload::WebUrl, true, Outcome::Ignored},
    {"WebUrlBeforeAFile", Payload::WebUrlThenFile, true, Outcome::Taken},
};

class DropKindTest : public MainWindowTest, public ::testing::WithParamInterface<std::tuple<DropCase, int>> {
protected:
    // The drag's data, and the path of the item the drop is expected to take.
    std::unique_ptr<QMimeData> Make(Payload payload, std::string& taken) {
        switch (payload) {
            case Payload::File:
                taken = MakeFile("dropped", "dropped content");
                return testsupport::FileUrlData({taken});
            case Payload::SeveralFiles:
                taken = MakeFile("first", "dropped content");
                return testsupport::FileUrlData({taken, MakeFile("second", "other content")});
            case Payload::Folder:
                taken = MakeFolder("folder");
                return testsupport::FileUrlData({taken});
            case Payload::SymlinkToFolder:
                taken = MakeSymlink("link", MakeFolder("folder"));
                return testsupport::FileUrlData({taken});
            case Payload::PlainText:
                return testsupport::TextData("some text");
            case Payload::WebUrl:
                return testsupport::WebUrlData({"http://example.org/file.txt"});
            case Payload::WebUrlThenFile: {
                taken = MakeFile("dropped", "dropped content");
                auto data = testsupport::FileUrlData({taken});
                data->setUrls({QUrl("http://example.org/"), data->urls().front()});
                return data;
            }
        }
        return nullptr;
    }
};

TEST_P(DropKindTest, ChangesTheAreaTheSideAndTheLabelAsItsKindSays) {
    const DropCase& c = std::get<0>(GetParam());
    const int side = std::get<1>(GetParam());
    const int other = 3 - side;

    // The other side holds a file, or nothing; this side holds an earlier file and text the user typed.
    if (c.otherHoldsFile) GiveSide(other, MakeFile("other", "dropped content"));
    const SideState otherBefore = StateOf(*window, other);
    const SideState before{"'/earlier'", true, "earlier digest", false};
    SetState(*window, side, before);
    Editor(side)->clear();
    QTest::keyClicks(Editor(side), "typed");
    window->ResultLabel()->SetText("earlier verdict");

    std::string taken;
    const auto data = Make(c.payload, taken);
    Drop(side, *data);

    const bool compared = c.outcome == Outcome::Taken && c.otherHoldsFile;
    EXPECT_EQ(ToolRunCount(), compared ? 2u : 0u);
    switch (c.outcome) {
        case Outcome::Ignored:
            EXPECT_EQ(AreaText(side), "typed");
            EXPECT_EQ(AreaColour(side), kWhite);
            EXPECT_EQ(StateOf(*window, side), before);
            EXPECT_EQ(LabelText(), "earlier verdict");
            break;
        case Outcome::Taken:
            EXPECT_EQ(AreaText(side), taken) << "the native path replaces the text";
            EXPECT_EQ(AreaColour(side), kWhite);
            EXPECT_EQ(StateOf(*window, side),
                      (SideState{platform::FolderItem(taken).ShellPath(), compared,
                                 compared ? Sha256Hex("dropped content") : before.checkSum, false}));
            EXPECT_EQ(LabelText(), compared ? kIdentical : "earlier verdict");
            break;
        case Outcome::Refused:
            EXPECT_EQ(AreaText(side), taken + "\n\n" + kFolderMessage);
            EXPECT_EQ(AreaColour(side), kPink);
            EXPECT_EQ(StateOf(*window, side), (SideState{"", false, before.checkSum, true}));
            EXPECT_EQ(LabelText(), "");
            break;
    }
    // Nothing of the other side changes, unless a comparison digested it.
    EXPECT_EQ(AreaText(other), other == 1 ? kPrompt1 : kPrompt2);
    EXPECT_EQ(AreaColour(other), kWhite);
    const SideState otherAfter =
        compared ? SideState{otherBefore.path, true, Sha256Hex("dropped content"), false} : otherBefore;
    EXPECT_EQ(StateOf(*window, other), otherAfter);
}

INSTANTIATE_TEST_SUITE_P(Drops, DropKindTest,
                         ::testing::Combine(::testing::ValuesIn(kDrops), ::testing::Values(1, 2)),
                         [](const ::testing::TestParamInfo<std::tuple<DropCase, int>>& c) {
                             return std::string(std::get<0>(c.param).name) + "OnSide" +
                                    std::to_string(std::get<1>(c.param));
                         });

// No drag the area admits comes without a local file any more, so the events are raised as the framework
// raises them after a drop (DragOver, DropObject, DragExit), with an item that carries no file item.
TEST_F(DropAreasTest, WithoutAFileItemTheErrorMarkDecidesTheColourTheDragLeaves) {
    using platform::Value;
    window->errorArea1 = true;
    const Value item(platform::Ref<platform::Object>(std::make_shared<platform::DragItem>(nullptr)));
    const Value copy(std::int32_t(1));
    const platform::Ref<platform::TextArea> area = Area(1);
    const Value over[] = {Value(std::int32_t(5)), Value(std::int32_t(5)), item, copy};
    area->RaiseEvent(platform::event::kDragOver, over);
    EXPECT_EQ(AreaColour(1), kLightBlue);
    const Value dropped[] = {item, copy};
    area->RaiseEvent(platform::event::kDropObject, dropped);
    area->RaiseEvent(platform::event::kDragExit, dropped);
    EXPECT_EQ(AreaText(1), kPrompt1);
    EXPECT_EQ(AreaColour(1), kPink);
    EXPECT_TRUE(window->errorArea1);
}

// ---------------------------------------------------------------------------------------------------------------
// Drops in a row
// ---------------------------------------------------------------------------------------------------------------

TEST_F(DropAreasTest, TwoFoldersInARowShowTheMessageOnce) {
    Drop(1, *testsupport::FileUrlData({MakeFolder("first")}));
    const std::string second = MakeFolder("second");
    Drop(1, *testsupport::FileUrlData({second}));
    EXPECT_EQ(AreaText(1), second + "\n\n" + kFolderMessage);
    EXPECT_EQ(AreaColour(1), kPink);
}

TEST_F(DropAreasTest, FolderEmptiesTheSideSoOnlyAFileThereStartsTheNextComparison) {
    const std::string one = MakeFile("one", "same");
    const std::string two = MakeFile("two", "same");
    ASSERT_TRUE(DropFile(1, one));
    EXPECT_EQ(ToolRunCount(), 0u) << "side 2 empty";
    ASSERT_TRUE(DropFile(2, two));
    EXPECT_EQ(ToolRunCount(), 2u);
    EXPECT_EQ(LabelText(), kIdentical);

    Drop(1, *testsupport::FileUrlData({MakeFolder("folder")}));
    EXPECT_EQ(LabelText(), "");
    ASSERT_TRUE(DropFile(2, two));
    EXPECT_EQ(ToolRunCount(), 2u) << "side 1 holds no file";
    EXPECT_EQ(LabelText(), "");

    ASSERT_TRUE(DropFile(1, one));
    EXPECT_EQ(ToolRuns(), (std::vector<std::string>{one, two, one, two})) << "both sides were dropped again";
    EXPECT_EQ(LabelText(), kIdentical);
    EXPECT_EQ(AreaText(1), one);
    EXPECT_EQ(AreaColour(1), kWhite);
    EXPECT_FALSE(window->errorArea1);
}

TEST_F(DropAreasTest, SameFileDroppedAgainIsDigestedAgain) {
    const std::string one = MakeFile("one", "same");
    const std::string two = MakeFile("two", "same");
    DropFile(1, one);
    DropFile(2, two);
    ASSERT_EQ(LabelText(), kIdentical);

    MakeFile("two", "changed");
    DropFile(2, two);
    EXPECT_EQ(ToolRuns(), (std::vector<std::string>{one, two, two})) << "side 1's digest reused";
    EXPECT_EQ(LabelText(), kDifferent);
}

TEST_F(DropAreasTest, FailedRunIsReportedBelowTheDroppedPathAndRestedPink) {
    const std::string one = MakeFile("one", "x");
    DropFile(2, MakeFile("two", "x"));
    SetToolStatus(1);
    DropFile(1, one);
    EXPECT_EQ(AreaText(1), one + "\n\n" + kNotFound);
    EXPECT_EQ(AreaColour(1), kPink);
    EXPECT_TRUE(window->errorArea1);
    SetToolStatus(-1);
    EXPECT_EQ(DragAcross(1, one), kLightBlue);
    EXPECT_EQ(AreaColour(1), kPink) << "a passing drag restores the pink of a failed run";

    // The next file dropped there starts afresh.
    DropFile(1, one);
    EXPECT_EQ(AreaText(1), one);
    EXPECT_EQ(AreaColour(1), kWhite);
    EXPECT_FALSE(window->errorArea1);
    EXPECT_EQ(LabelText(), kIdentical);
}

// ---------------------------------------------------------------------------------------------------------------
// The order in which an error is shown
// ---------------------------------------------------------------------------------------------------------------

// What the side looked like at the moment the area's message appeared and at the moment it turned pink.
struct Moment {
    bool errorArea = false;
    std::string path;
    std::string label;
    bool pink = false;
    bool message = false;
    friend bool operator==(const Moment&, const Moment&) = default;
};
std::ostream& operator<<(std::ostream& out, const Moment& m) {
    return out << "{errorArea " << m.errorArea << ", path '" << m.path << "', label '" << m.label
               << "', pink " << m.pink << ", message " << m.message << "}";
}

// Watches side 1's editor for the message and for the pink.
class ErrorMoments : public QObject {
public:
    ErrorMoments(MainWIndow& window, QPlainTextEdit& editor, std::string message)
        : window_(window), editor_(editor), message_(std::move(message)) {
        editor.installEventFilter(this);
        connect(&editor, &QPlainTextEdit::textChanged, this, [this] {
            if (!atMessage && HasMessage()) atMessage = Now();
        });
    }
    std::optional<Moment> atMessage;
    std::optional<Moment> atPink;

private:
    bool HasMessage() const { return editor_.toPlainText().endsWith(QString::fromStdString(message_)); }
    Moment Now() const {
        return {window_.errorArea1, window_.path1, window_.ResultLabel()->Text(),
                editor_.palette().color(QPalette::Base) == kPink, HasMessage()};
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange && !atPink &&
            editor_.palette().color(QPalette::Base) == kPink)
            atPink = Now();
        return false;
    }
    MainWIndow& window_;
    QPlainTextEdit& editor_;
    std::string message_;
};

// A refused folder: the mark, the message, the path emptied, the label emptied, the pink.
TEST_F(DropAreasTest, FolderIsRefusedMarkFirstThenTextPathLabelAndPinkLast) {
    GiveSide(1, MakeFile("earlier", "x"));
    const std::string earlierPath = window->path1;
    window->ResultLabel()->SetText("earlier verdict");
    ErrorMoments moments(*window, *Editor(1), kFolderMessage);

    Drop(1, *testsupport::FileUrlData({MakeFolder("folder")}));

    EXPECT_EQ(moments.atMessage, (Moment{true, earlierPath, "earlier verdict", false, true}));
    EXPECT_EQ(moments.atPink, (Moment{true, "", "", true, true}));
}

// A failed run: the message, the pink, then the mark.
TEST_F(DropAreasTest, FailedRunShowsTextThenPinkThenSetsTheMark) {
    const std::string one = MakeFile("one", "x");
    DropFile(2, MakeFile("two", "x"));
    SetToolStatus(1);
    ErrorMoments moments(*window, *Editor(1), kNotFound);

    DropFile(1, one);

    const std::string path = window->path1;
    EXPECT_EQ(moments.atMessage, (Moment{false, path, "", false, true}));
    EXPECT_EQ(moments.atPink, (Moment{false, path, "", true, true}));
    EXPECT_TRUE(window->errorArea1);
}

// ---------------------------------------------------------------------------------------------------------------
// A drag that passes over an area
// ---------------------------------------------------------------------------------------------------------------

struct PassCase {
    const char* name;
    int side;
    bool refusedFolderFirst;
    QColor after;
};

class DragPassTest : public MainWindowTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(DragPassTest, IsLightBlueWhileOverThenWhiteOrPinkAfterAnError) {
    const PassCase& c = GetParam();
    if (c.refusedFolderFirst) Drop(c.side, *testsupport::FileUrlData({MakeFolder("folder")}));
    const std::string text = AreaText(c.side);
    const SideState state = StateOf(*window, c.side);

    EXPECT_EQ(DragAcross(c.side, MakeFile("passing", "x")), kLightBlue);
    EXPECT_EQ(AreaColour(c.side), c.after);
    EXPECT_EQ(AreaText(c.side), text);
    EXPECT_EQ(StateOf(*window, c.side), state);
    EXPECT_EQ(AreaColour(3 - c.side), kWhite);
    EXPECT_EQ(ToolRunCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Passes, DragPassTest,
                         ::testing::Values(PassCase{"Side1", 1, false, kWhite},
                                           PassCase{"Side2", 2, false, kWhite},
                                           PassCase{"Side1AfterAFolder", 1, true, kPink},
                                           PassCase{"Side2AfterAFolder", 2, true, kPink}),
                         [](const ::testing::TestParamInfo<PassCase>& c) {
                             return std::string(c.param.name);
                         });

// ---------------------------------------------------------------------------------------------------------------
// A name made to look like shell syntax
// ---------------------------------------------------------------------------------------------------------------

TEST_F(DropAreasTest, NameWithShellSyntaxIsComparedAndRunsNothing) {
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));  // where a smuggled `touch sentinel` would leave its file
    const std::string hostile =
        MakeFile("my file 'a' \"b\" $(touch sentinel); touch sentinel;\nnext line", "payload");
    const std::string plain = MakeFile("plain", "payload");

    ASSERT_TRUE(DropFile(1, hostile));
    ASSERT_TRUE(DropFile(2, plain));
    EXPECT_EQ(LabelText(), kIdentical);
    EXPECT_EQ(AreaText(1), hostile);
    EXPECT_EQ(ToolRuns(), (std::vector<std::string>{hostile, plain}))
        << "the name reached the tool as one word";

    ASSERT_TRUE(DropFile(2, MakeFile("other", "something else")));
    EXPECT_EQ(LabelText(), kDifferent);

    struct stat info {};
    EXPECT_NE(::lstat(TempPath("sentinel").c_str(), &info), 0) << "nothing in the name ran";
    QDir::setCurrent(current);
}

}  // namespace
}  // namespace corvantil::test
