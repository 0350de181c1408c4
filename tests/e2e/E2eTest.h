// The fixture of the end-to-end tests: a running program on the test display, real files in a temporary
// folder, and the drag source, started when a test first drags something.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "DragSourceDriver.h"
#include "ProgramUnderTest.h"
#include "X11Session.h"

namespace e2e {

class E2eTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Folder put ahead of the program's PATH; none by default.
    virtual QString pathPrefix() const { return {}; }

    // Writes `content` into a new file `name` in the test's folder and returns its path.
    QString writeFile(const QString& name, const QByteArray& content);
    // Makes a folder `name` in the test's folder and returns its path.
    QString makeFolder(const QString& name);

    DragSourceDriver& source();
    // Drags `paths` from the drag source onto drop area `side` and lets go once the area takes them; true
    // when the drag ended with the program taking a copy.
    bool dropFiles(int side, const QStringList& paths);

    QTemporaryDir files_;
    X11Session* session_ = nullptr;
    std::unique_ptr<ProgramUnderTest> program_;

private:
    std::unique_ptr<DragSourceDriver> source_;
};

}  // namespace e2e
