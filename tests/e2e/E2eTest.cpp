// The end-to-end tests' fixture (E2eTest.h): the program, the files and the drag source of one test.
#include "E2eTest.h"

#include <QDir>
#include <QFile>
#include <iostream>

namespace e2e {

void E2eTest::SetUp() {
    if (!X11Session::xvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(files_.isValid());
    QString error;
    session_ = X11Session::get(&error);
    ASSERT_NE(session_, nullptr) << error.toStdString();
    program_ = std::make_unique<ProgramUnderTest>(*session_);
    ASSERT_TRUE(program_->start(&error, pathPrefix())) << error.toStdString();
}

void E2eTest::TearDown() {
    if (HasFailure() && source_)
        ADD_FAILURE() << "drag source said:\n" << source_->transcript().toStdString();
    source_.reset();
    if (program_ && HasFailure())
        std::cerr << "program's errors:\n" << program_->errorOutput().toStdString() << '\n';
    program_.reset();
}

QString E2eTest::writeFile(const QString& name, const QByteArray& content) {
    const QString path = files_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    EXPECT_EQ(file.write(content), content.size()) << path.toStdString();
    return path;
}

QString E2eTest::makeFolder(const QString& name) {
    EXPECT_TRUE(QDir(files_.path()).mkdir(name)) << name.toStdString();
    return files_.filePath(name);
}

DragSourceDriver& E2eTest::source() {
    if (!source_) {
        source_ = std::make_unique<DragSourceDriver>(*session_);
        QString error;
        EXPECT_TRUE(source_->start(&error)) << error.toStdString();
    }
    return *source_;
}

bool E2eTest::dropFiles(int side, const QStringList& paths) {
    DragSourceDriver& drag = source();
    if (!drag.carryFiles(paths) || !drag.pickUpAndMoveTo(program_->centreOf(kDropAreas[side]))) return false;
    const bool accepted = drag.waitForAcceptance();
    const QString outcome = drag.release();
    return accepted && outcome == QStringLiteral("copy");
}

}  // namespace e2e
