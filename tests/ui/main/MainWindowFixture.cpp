// The main window tests' shared set-up (MainWindowFixture.h): the window, real files and the recording tool.
#include "tests/ui/main/MainWindowFixture.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>

#include "app/FileTypes1.h"
#include "app/Startup.h"
#include "platform/detail/Internal.h"
#include "platform/qt/QtAccess.h"
#include "support/Drops.h"

namespace corvantil::test {

namespace {

constexpr const char* kToolFolder = ".tool";

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

void WriteBytes(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0755);
    ASSERT_GE(fd, 0) << "cannot create " << path;
    EXPECT_EQ(::write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    ::close(fd);
}

}  // namespace

std::string Sha256Hex(const std::string& content) {
    return QCryptographicHash::hash(QByteArray::fromStdString(content), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

void PrepareFramework() {
    // A test before this one may have quit or shut the runtime down; start it afresh.
    platform::RuntimeInit();
    platform::RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    if (!FileTypes1::pSpecialAny) FileTypes1::Initialize();
}

std::ostream& operator<<(std::ostream& out, const SideState& s) {
    return out << "{path \"" << s.path << "\", summed " << s.summed << ", checkSum \"" << s.checkSum
               << "\", errorArea " << s.errorArea << "}";
}

SideState StateOf(const MainWIndow& w, int side) {
    return side == 1 ? SideState{w.path1, w.file1summed, w.checkSum1, w.errorArea1}
                     : SideState{w.path2, w.file2summed, w.checkSum2, w.errorArea2};
}

void SetState(MainWIndow& w, int side, const SideState& s) {
    (side == 1 ? w.path1 : w.path2) = s.path;
    (side == 1 ? w.file1summed : w.file2summed) = s.summed;
    (side == 1 ? w.checkSum1 : w.checkSum2) = s.checkSum;
    (side == 1 ? w.errorArea1 : w.errorArea2) = s.errorArea;
}

void MainWindowTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    PrepareFramework();

    // A `shasum` ahead of the real one on PATH: it records its file argument (NUL-terminated, names may
    // hold line breaks), then exits with a set status, prints a set output, or runs the real tool.
    const QString real = QStandardPaths::findExecutable("shasum");
    ASSERT_FALSE(real.isEmpty()) << "the real shasum is needed";
    const std::string control = TempPath(kToolFolder);
    ASSERT_EQ(::mkdir(control.c_str(), 0755), 0);
    const std::string bin = control + "/bin";
    ASSERT_EQ(::mkdir(bin.c_str(), 0755), 0);
    WriteBytes(bin + "/shasum",
               "#!/bin/sh\n"
               "ctl='" +
                   control +
                   "'\n"
                   "printf '%s\\0' \"$3\" >> \"$ctl/runs\"\n"
                   "if [ -f \"$ctl/hold\" ]; then\n"
                   "  i=0; while [ ! -f \"$ctl/go\" ] && [ $i -lt 1000 ]; do sleep 0.01; i=$((i+1)); done\n"
                   "  rm -f \"$ctl/go\"\n"
                   "fi\n"
                   "if [ -f \"$ctl/status\" ]; then read s < \"$ctl/status\"; exit \"$s\"; fi\n"
                   "if [ -f \"$ctl/output\" ]; then cat \"$ctl/output\"; exit 0; fi\n"
                   "exec '" +
                   real.toStdString() + "' \"$@\"\n");
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    ::setenv("PATH", (bin + ":" + oldPath_).c_str(), 1);

    window = corvantil::MainWIndow::Instance();
    ASSERT_TRUE(window);
}

void MainWindowTest::TearDown() {
    if (std::exception_ptr escaped = platform::detail::TakeDispatchedException()) {
        try {
            std::rethrow_exception(escaped);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "a handler let an exception out: " << e.what();
        }
    }
    // Closing the main window asks to quit; shutdown then lets go of what early start-up made, as a run of
    // the program does, and the next test starts the runtime afresh.
    if (window && platform::GetImplicitWindow("MainWIndow.MainWIndow") == window) window->Close();
    window.reset();
    finalize();
    ::setenv("PATH", oldPath_.c_str(), 1);
    // QTemporaryDir removes through QString, which loses names that are not UTF-8: remove by bytes first.
    ::nftw(QFile::encodeName(dir.path()).constData(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string MainWindowTest::TempPath(const std::string& name) const {
    return QFile::encodeName(dir.path()).toStdString() + "/" + name;
}

std::string MainWindowTest::MakeFile(const std::string& name, const std::string& content) {
    const std::string path = TempPath(name);
    WriteBytes(path, content);
    return path;
}

std::string MainWindowTest::MakeFolder(const std::string& name) {
    const std::string path = TempPath(name);
    EXPECT_EQ(::mkdir(path.c_str(), 0755), 0) << path;
    return path;
}

std::string MainWindowTest::MakeSymlink(const std::string& name, const std::string& target) {
    const std::string path = TempPath(name);
    EXPECT_EQ(::symlink(target.c_str(), path.c_str()), 0) << path;
    return path;
}

std::vector<std::string> MainWindowTest::ToolRuns() const {
    std::ifstream log(TempPath(kToolFolder) + "/runs", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
    std::vector<std::string> runs;
    for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
        runs.push_back(bytes.substr(start, end - start));
    return runs;
}

void MainWindowTest::SetToolStatus(int status) {
    const std::string file = TempPath(kToolFolder) + "/status";
    if (status < 0) {
        ::unlink(file.c_str());
        return;
    }
    WriteBytes(file, std::to_string(status) + "\n");
}

void MainWindowTest::SetToolOutput(const std::string& output) {
    WriteBytes(TempPath(kToolFolder) + "/output", output);
}

void MainWindowTest::HoldTool() { WriteBytes(TempPath(kToolFolder) + "/hold", ""); }

void MainWindowTest::ReleaseTool() { WriteBytes(TempPath(kToolFolder) + "/go", ""); }

void MainWindowTest::GiveSide(int side, const std::string& path) {
    const std::string shellPath = platform::FolderItem(path).ShellPath();
    (side == 1 ? window->path1 : window->path2) = shellPath;
    (side == 1 ? window->file1summed : window->file2summed) = false;
}

platform::Ref<platform::TextArea> MainWindowTest::Area(int side) const {
    return platform::RuntimeCheckCast<platform::TextArea>(
        window->ControlByName(side == 1 ? "TextArea1" : "TextArea2"));
}

QWidget* MainWindowTest::Widget(const platform::Ref<platform::RectControl>& control) const {
    return control ? platform::qt::ControlWidget(*control) : nullptr;
}

QPlainTextEdit* MainWindowTest::Editor(int side) const { return platform::qt::Editor(*Area(side)); }

QWidget* MainWindowTest::Viewport(int side) const { return platform::qt::DropViewport(*Area(side)); }

QLabel* MainWindowTest::Label() const {
    return qobject_cast<QLabel*>(Widget(window->ControlByName("ResultLabel")));
}

QWidget* MainWindowTest::Wheel() const { return Widget(window->ControlByName("ProgressWheel1")); }

QWidget* MainWindowTest::TopLevel() const { return platform::qt::TopLevelWidget(*window); }

std::string MainWindowTest::AreaText(int side) const { return Editor(side)->toPlainText().toStdString(); }

QColor MainWindowTest::AreaColour(int side) const { return Editor(side)->palette().color(QPalette::Base); }

std::string MainWindowTest::LabelText() const { return Label()->text().toStdString(); }

bool MainWindowTest::Drop(int side, const QMimeData& data) {
    return testsupport::DropOn(*Area(side), data).dropAccepted;
}

bool MainWindowTest::DropFile(int side, const std::string& path) { return DropFiles(side, {path}); }

bool MainWindowTest::DropFiles(int side, const std::vector<std::string>& paths) {
    return Drop(side, *testsupport::FileUrlData(paths));
}

QColor MainWindowTest::DragAcross(int side, const std::string& path) {
    const auto data = testsupport::FileUrlData({path});
    QWidget* target = Viewport(side);
    EXPECT_TRUE(testsupport::SendDragEnter(target, *data)) << "the area takes the drag";
    testsupport::SendDragMove(target, *data);
    const QColor over = AreaColour(side);
    testsupport::SendDragLeave(target);
    return over;
}

QString MainWindowTest::Qs(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace corvantil::test
