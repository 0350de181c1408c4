// The hostile-input tests' shared set-up (HostileFixture.h).
#include "tests/hostile/HostileFixture.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QThread>
#include <QWidget>
#include <cstdio>

#include "app/FileTypes1.h"
#include "app/Startup.h"
#include "platform/qt/QtAccess.h"
#include "tests/support/Drops.h"

namespace corvantil::hostile {

std::string Sha256Hex(const std::string& content) {
    return QCryptographicHash::hash(QByteArray::fromStdString(content), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > limit.count()) return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void PrepareFramework() {
    // A test before this one may have quit or shut the runtime down; start it afresh.
    platform::RuntimeInit();
    platform::RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    if (!FileTypes1::pSpecialAny) FileTypes1::Initialize();
}

namespace {

platform::Ref<platform::TextArea> AreaOf(const MainWIndow& window, int side) {
    auto control = window.ControlByName(side == 1 ? "TextArea1" : "TextArea2");
    return platform::RuntimeCheckCast<platform::TextArea>(control);
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

bool DropUrls(const MainWIndow& window, int side, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const testsupport::DragOutcome outcome = testsupport::DropOn(*AreaOf(window, side), data);
    return outcome.enterAccepted && outcome.dropAccepted;
}

std::string AreaText(const MainWIndow& window, int side) {
    return platform::qt::Editor(*AreaOf(window, side))->toPlainText().toStdString();
}

std::string ResultText(const MainWIndow& window) {
    auto label = window.ControlByName("ResultLabel");
    auto* widget = qobject_cast<QLabel*>(platform::qt::ControlWidget(*label));
    return widget ? widget->text().toStdString() : std::string("<no label widget>");
}

QWidget* TopLevel(const MainWIndow& window) { return platform::qt::TopLevelWidget(window); }

void HostileTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    PrepareFramework();
    oldCurrent_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    if (!makeWindow_) return;
    window = corvantil::MainWIndow::Instance();
    ASSERT_TRUE(window);
}

void HostileTest::TearDown() {
    // Closing the main window asks to quit; then shutdown lets go of what early start-up made, as a run of
    // the program does, and the next test starts the runtime afresh.
    if (window && platform::GetImplicitWindow("MainWIndow.MainWIndow") == window) window->Close();
    window.reset();
    if (makeWindow_) finalize();
    QDir::setCurrent(oldCurrent_);
    // QTemporaryDir removes through QString, which loses names that are not UTF-8: remove by bytes first.
    ::nftw(QFile::encodeName(dir.path()).constData(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string HostileTest::Path(const std::string& name) const {
    return QFile::encodeName(dir.path()).toStdString() + "/" + name;
}

std::string HostileTest::MakeFile(const std::string& name, const std::string& content) const {
    const std::string path = Path(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0) << "cannot create " << path;
    if (fd < 0) return path;
    EXPECT_EQ(::write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    ::close(fd);
    return path;
}

bool HostileTest::SentinelExists() const {
    struct stat info {};
    return ::lstat(Path(kSentinel).c_str(), &info) == 0;
}

}  // namespace corvantil::hostile
