// Drag and drop on a text area, with real Qt drag events sent to its editor's viewport: what is admitted,
// which item the program is handed, the events raised and the drop action chosen.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

#include "UiTestWindow.h"
#include "support/Drops.h"

namespace {

using namespace platform;
using uitest::TestWindow;
using uitest::WindowSpec;

// A real file whose name is exactly `leaf`'s bytes.
std::string MakeFile(const QTemporaryDir& dir, const std::string& leaf) {
    const std::string path = dir.path().toStdString() + "/" + leaf;
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    EXPECT_GE(fd, 0) << path;
    if (fd >= 0) {
        EXPECT_EQ(::write(fd, "data\n", 5), 5);
        ::close(fd);
    }
    return path;
}

std::string MakeFolder(const QTemporaryDir& dir, const std::string& leaf) {
    const std::string path = dir.path().toStdString() + "/" + leaf;
    EXPECT_EQ(::mkdir(path.c_str(), 0755), 0) << path;
    return path;
}

class DropTest : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::FreshRuntime();
        ASSERT_TRUE(dir_.isValid());
        RuntimeRegisterFileType("special/any", "????", "????", "");
        window_ = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
            auto area =
                w.AddFromList<TextArea>(TextArea::Lookup(), "Area", uitest::TextAreaList("Area", {}, "Drop"));
            w.BindDropArea(area);
            area->AcceptFileDrop("special/any");
            w.AddFromList<TextArea>(TextArea::Lookup(), "Plain",
                                    uitest::TextAreaList("Plain", {10, 100, 120, 40}, "No drops"));
            w.AddFromList<Label>(Label::Lookup(), "Result",
                                 uitest::LabelList("Result", {150, 10, 120, 40}, ""));
        });
        window_->Constructor();
        area_ = RuntimeCheckCast<TextArea>(window_->ControlByName("Area"));
    }
    void TearDown() override {
        EXPECT_FALSE(detail::TakeDispatchedException()) << "a handler threw";
        RuntimeDeregisterFileType("special/any");
    }

    QTemporaryDir dir_;
    Ref<TestWindow> window_;
    Ref<TextArea> area_;
};

// What a drag carries, made in a temporary folder.
enum class Payload {
    File,
    Folder,
    SeveralFiles,
    PlainText,
    WebUrl,
    WebUrlThenFile,
    SymlinkToFolder,
    UriList
};

struct DropCase {
    const char* name;
    Payload payload;
    bool admitted;
    bool hasFile;       // the DropObject item carries a file item
    bool directory;     // and it is a folder
    const char* first;  // the leaf of the path handed over
    // For a URI list: its lines as another program sends them, "{dir}" standing for the temporary folder, in
    // which the files one.txt and second.txt exist.
    const char* list;
};

class DropKindTest : public DropTest, public ::testing::WithParamInterface<DropCase> {
protected:
    std::unique_ptr<QMimeData> Make(Payload payload) {
        switch (payload) {
            case Payload::File:
                return testsupport::FileUrlData({MakeFile(dir_, "one.txt")});
            case Payload::Folder:
                return testsupport::FileUrlData({MakeFolder(dir_, "folder")});
            case Payload::SeveralFiles:
                return testsupport::FileUrlData({MakeFile(dir_, "second.txt"), MakeFile(dir_, "one.txt")});
            case Payload::PlainText:
                return testsupport::TextData("just some text");
            case Payload::WebUrl:
                return testsupport::WebUrlData({"https://example.org/wiki/SHA-2"});
            case Payload::WebUrlThenFile: {
                auto data = testsupport::FileUrlData({MakeFile(dir_, "one.txt")});
                data->setUrls({QUrl("https://example.org/"), data->urls().front()});
                return data;
            }
            case Payload::SymlinkToFolder: {
                const std::string target = MakeFolder(dir_, "folder");
                const std::string link = dir_.path().toStdString() + "/link";
                EXPECT_EQ(::symlink(target.c_str(), link.c_str()), 0);
                return testsupport::FileUrlData({link});
            }
            case Payload::UriList: {
                MakeFile(dir_, "one.txt");
                MakeFile(dir_, "second.txt");
                QByteArray list(GetParam().list);
                list.replace("{dir}", dir_.path().toUtf8());
                return testsupport::UriListData(list);
            }
        }
        return nullptr;
    }
};

TEST_P(DropKindTest, DropRaisesEventsOnlyForAdmittedItems) {
    const DropCase& c = GetParam();
    const auto data = Make(c.payload);
    const testsupport::DragOutcome outcome = testsupport::DropOn(*area_, *data);
    EXPECT_EQ(outcome.enterAccepted, c.admitted);
    EXPECT_EQ(outcome.moveAccepted, c.admitted);
    EXPECT_EQ(outcome.dropAccepted, c.admitted);
    EXPECT_EQ(area_->Text(), "Drop") << "Qt's own text drop is off";
    if (!c.admitted) {
        EXPECT_EQ(window_->Count("Area.DragOver") + window_->Count("Area.DropObject") +
                      window_->Count("Area.DragExit"),
                  0u);
        return;
    }
    EXPECT_EQ(outcome.dropAction, Qt::CopyAction);
    std::vector<std::string> events;
    for (const uitest::Seen& s : window_->seen) {
        if (s.what.rfind("Area.", 0) == 0) events.push_back(s.what);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"Area.DragOver", "Area.DragOver", "Area.DropObject",
                                                "Area.DragExit"}));
    const auto drop = std::find_if(window_->seen.begin(), window_->seen.end(),
                                   [](const uitest::Seen& s) { return s.what == "Area.DropObject"; });
    ASSERT_NE(drop, window_->seen.end());
    EXPECT_EQ(drop->hasFile, c.hasFile);
    EXPECT_EQ(drop->directory, c.directory);
    EXPECT_EQ(drop->action, 1) << "copy";
    if (c.hasFile) {
        EXPECT_EQ(drop->path, dir_.path().toStdString() + "/" + c.first);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DropKindTest,
    ::testing::Values(
        DropCase{"File", Payload::File, true, true, false, "one.txt", nullptr},
        DropCase{"Folder", Payload::Folder, true, true, true, "folder", nullptr},
        DropCase{"SymlinkToFolder", Payload::SymlinkToFolder, true, true, true, "link", nullptr},
        DropCase{"SeveralFilesFirstCounts", Payload::SeveralFiles, true, true, false, "second.txt", nullptr},
        DropCase{"WebUrlBeforeAFileLeavesTheFile", Payload::WebUrlThenFile, true, true, false, "one.txt",
                 nullptr},
        DropCase{"PlainTextRefused", Payload::PlainText, false, false, false, "", nullptr},
        DropCase{"WebUrlRefused", Payload::WebUrl, false, false, false, "", nullptr},
        // URI lists as other programs send them: only a well-formed file URI of this machine with an absolute
        // path, free of NUL bytes, names a file; anything else is as if it were not there.
        DropCase{"NulByteRefused", Payload::UriList, false, false, false, "", "file:///x%00y\r\n"},
        DropCase{"NulByteInARealNameRefused", Payload::UriList, false, false, false, "",
                 "file://{dir}/one.txt%00\r\n"},
        DropCase{"RelativeNameRefused", Payload::UriList, false, false, false, "", "file:relative-name\r\n"},
        DropCase{"OptionLikeNameRefused", Payload::UriList, false, false, false, "", "file:--help\r\n"},
        DropCase{"BareSchemeRefused", Payload::UriList, false, false, false, "", "file:\r\n"},
        DropCase{"HostOnlyRefused", Payload::UriList, false, false, false, "", "file://localhost\r\n"},
        DropCase{"OtherHostRefused", Payload::UriList, false, false, false, "",
                 "file://otherhost{dir}/one.txt\r\n"},
        DropCase{"PercentWithoutHexDigitsRefused", Payload::UriList, false, false, false, "",
                 "file://{dir}/one%zz.txt\r\n"},
        DropCase{"PercentAtTheEndRefused", Payload::UriList, false, false, false, "",
                 "file://{dir}/one.txt%\r\n"},
        DropCase{"PercentWithOneHexDigitRefused", Payload::UriList, false, false, false, "",
                 "file://{dir}/one%2\r\n"},
        DropCase{"LocalhostTaken", Payload::UriList, true, true, false, "one.txt",
                 "file://localhost{dir}/one.txt\r\n"},
        DropCase{"SingleSlashTaken", Payload::UriList, true, true, false, "one.txt",
                 "file:{dir}/one.txt\r\n"},
        DropCase{"MalformedItemsBeforeFilesLeaveTheFilesInOrder", Payload::UriList, true, true, false,
                 "second.txt",
                 "file:--help\r\nfile:///x%00y\r\nfile://otherhost{dir}/one.txt\r\nhttps://example.org/\r\n"
                 "file://{dir}/one.txt%zz\r\n"
                 "file://{dir}/second.txt\r\nfile://{dir}/one.txt\r\n"}),
    [](const ::testing::TestParamInfo<DropCase>& c) { return std::string(c.param.name); });

TEST_F(DropTest, DragThatEntersAndLeavesRaisesDragOverThenDragExit) {
    const auto data = testsupport::FileUrlData({MakeFile(dir_, "one.txt")});
    window_->seen.clear();
    const testsupport::DragOutcome outcome = testsupport::DragAcross(*area_, *data);
    EXPECT_TRUE(outcome.enterAccepted);
    EXPECT_EQ(window_->Names(),
              (std::vector<std::string>{"Area.DragOver", "Area.DragOver", "Area.DragExit"}));
    EXPECT_TRUE(window_->seen.back().hasFile);

    // A leave with no drag admitted before raises nothing.
    window_->seen.clear();
    testsupport::SendDragLeave(testsupport::DropTarget(*area_));
    EXPECT_TRUE(window_->seen.empty());
}

TEST_F(DropTest, NameThatIsNotUtf8ArrivesWithItsExactBytes) {
    const std::string leaf = "caf\xE9 \xFF\xFE 'quoted' $(x).bin";
    const std::string path = MakeFile(dir_, leaf);
    const auto data = testsupport::FileUrlData({path});
    window_->seen.clear();
    testsupport::DropOn(*area_, *data);
    const auto drop = std::find_if(window_->seen.begin(), window_->seen.end(),
                                   [](const uitest::Seen& s) { return s.what == "Area.DropObject"; });
    ASSERT_NE(drop, window_->seen.end());
    EXPECT_EQ(drop->path, path);
    EXPECT_EQ(std::make_shared<FolderItem>(drop->path)->Exists(), true);
}

// Data of another program that can no longer be read once `gone` is set: asking what it holds fails.
class VanishingMimeData : public QMimeData {
public:
    bool hasFormat(const QString& format) const override {
        if (gone) throw std::runtime_error("the source has gone");
        return QMimeData::hasFormat(format);
    }
    bool gone = false;
};

TEST_F(DropTest, DataThatCannotBeReadRefusesTheDragWithOneLineOnStandardError) {
    VanishingMimeData data;
    data.setUrls({testsupport::FileUrl(MakeFile(dir_, "one.txt"))});
    QWidget* target = testsupport::DropTarget(*area_);
    // The source goes away in the middle of a drag, then before the next one begins.
    for (const bool drop : {true, false}) {
        data.gone = false;
        if (drop) {
            ASSERT_TRUE(testsupport::SendDragEnter(target, data));
        }
        data.gone = true;
        ::testing::internal::CaptureStderr();
        const bool accepted =
            drop ? testsupport::SendDrop(target, data) : testsupport::SendDragEnter(target, data);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(accepted) << (drop ? "drop" : "enter");
        EXPECT_EQ(said.rfind("corvantil: refused a drag", 0), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find("the source has gone"), std::string::npos) << said;
    }
    EXPECT_EQ(window_->Count("Area.DropObject"), 0u);
    EXPECT_EQ(area_->Text(), "Drop");
}

// A drop that comes through the top-level window, as the window system delivers another program's drop, is
// answered first; the program has it from the event loop right after.
TEST_F(DropTest, DropThroughTheWindowReachesTheProgramAfterItIsAnswered) {
    const std::string path = MakeFile(dir_, "one.txt");
    const auto data = testsupport::FileUrlData({path});
    window_->seen.clear();
    const testsupport::DragOutcome outcome = testsupport::DropThroughWindow(*area_, *data);
    EXPECT_TRUE(outcome.enterAccepted);
    EXPECT_TRUE(outcome.dropAccepted);
    EXPECT_EQ(outcome.dropAction, Qt::CopyAction);
    EXPECT_EQ(window_->Count("Area.DropObject"), 0u) << "delivered inside the window system's drop";
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->Count("Area.DropObject") == 1; }));
    const auto drop = std::find_if(window_->seen.begin(), window_->seen.end(),
                                   [](const uitest::Seen& s) { return s.what == "Area.DropObject"; });
    ASSERT_NE(drop, window_->seen.end());
    EXPECT_EQ(drop->path, path);
    EXPECT_EQ(window_->Names().back(), "Area.DragExit");
}

// The window system may hand the same data to each of its drops (X11 does). One that no text area took, here
// on a label, leaves nothing behind: a drop sent to the area itself afterwards, with the same data, is not
// taken for the window system's and reaches the program at once.
TEST_F(DropTest, WindowDropThatNoAreaTookLeavesNoMark) {
    const auto data = testsupport::FileUrlData({MakeFile(dir_, "one.txt")});
    QWidget* label = qt::ControlWidget(*window_->ControlByName("Result"));
    EXPECT_FALSE(testsupport::DropThroughWindow(label, *data).dropAccepted);
    window_->seen.clear();
    EXPECT_TRUE(testsupport::DropOn(*area_, *data).dropAccepted);
    EXPECT_EQ(window_->Count("Area.DropObject"), 1u);
}

struct ActionCase {
    const char* name;
    Qt::DropActions offered;
    Qt::DropAction chosen;  // IgnoreAction: refused
};

class DropActionTest : public DropTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(DropActionTest, DropIsACopyOrALinkNeverAMove) {
    const auto data = testsupport::FileUrlData({MakeFile(dir_, "one.txt")});
    const testsupport::DragOutcome outcome = testsupport::DropOn(*area_, *data, GetParam().offered);
    EXPECT_EQ(outcome.dropAccepted, GetParam().chosen != Qt::IgnoreAction);
    EXPECT_EQ(outcome.dropAction, GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, DropActionTest,
    ::testing::Values(ActionCase{"CopyMoveLink", testsupport::kFileManagerActions, Qt::CopyAction},
                      ActionCase{"MoveLink", Qt::MoveAction | Qt::LinkAction, Qt::LinkAction},
                      ActionCase{"MoveOnly", Qt::MoveAction, Qt::IgnoreAction}),
    [](const ::testing::TestParamInfo<ActionCase>& c) { return std::string(c.param.name); });

TEST_F(DropTest, DragOverAnsweringTrueRefusesTheDrag) {
    window_->onDragOver = [](TestWindow&) { return true; };
    const auto data = testsupport::FileUrlData({MakeFile(dir_, "one.txt")});
    EXPECT_FALSE(testsupport::SendDragEnter(testsupport::DropTarget(*area_), *data));
    EXPECT_EQ(window_->Count("Area.DragOver"), 1u);
}

TEST_F(DropTest, AreaThatAcceptedNoFileTypeTakesNoDrops) {
    auto plain = RuntimeCheckCast<TextArea>(window_->ControlByName("Plain"));
    window_->BindDropArea(plain);
    for (const auto& data :
         {testsupport::FileUrlData({MakeFile(dir_, "one.txt")}), testsupport::TextData("text")}) {
        const testsupport::DragOutcome outcome = testsupport::DropOn(*plain, *data);
        EXPECT_FALSE(outcome.enterAccepted);
        EXPECT_FALSE(outcome.dropAccepted);
    }
    EXPECT_EQ(plain->Text(), "No drops");
    EXPECT_EQ(window_->Count("Plain.DragOver") + window_->Count("Plain.DropObject"), 0u);
}

TEST_F(DropTest, TypeWithExtensionsAdmitsOnlyItsFiles) {
    RuntimeRegisterFileType("test/text", "????", "TEXT", "txt");
    auto plain = RuntimeCheckCast<TextArea>(window_->ControlByName("Plain"));
    window_->BindDropArea(plain);
    plain->AcceptFileDrop("test/text");
    EXPECT_TRUE(
        testsupport::DropOn(*plain, *testsupport::FileUrlData({MakeFile(dir_, "notes.txt")})).dropAccepted);
    EXPECT_FALSE(
        testsupport::DropOn(*plain, *testsupport::FileUrlData({MakeFile(dir_, "image.png")})).dropAccepted);
    EXPECT_FALSE(
        testsupport::DropOn(*plain, *testsupport::FileUrlData({MakeFolder(dir_, "dir.txt")})).dropAccepted);
    EXPECT_EQ(window_->Count("Plain.DropObject"), 1u);
    RuntimeDeregisterFileType("test/text");
}

TEST_F(DropTest, DropHandlerExceptionIsKeptForRuntimeRun) {
    window_->onDrop = [](TestWindow&) { throw NilObjectException("no file item"); };
    testsupport::DropOn(*area_, *testsupport::FileUrlData({MakeFile(dir_, "one.txt")}));
    EXPECT_THROW(RuntimeRun(), NilObjectException);
    uitest::FreshRuntime();
}

}  // namespace
