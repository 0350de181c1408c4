// Shared set-up of the hostile-input tests: the real main window made through its accessor, a temporary
// folder that is also the current directory (so a name that smuggled a command in would leave its sentinel
// file there), real drops as a file manager sends them, and bounded waits.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <chrono>
#include <functional>
#include <string>

#include "platform/Platform.h"
#include "tests/support/Drops.h"
#include "ui/main/MainWIndow.h"

class QWidget;

namespace corvantil::hostile {

inline constexpr const char* kIdentical = "These files are identical";
inline constexpr const char* kDifferent = "These files are different";
inline const platform::Color kPink{255, 220, 220, 0};
// The name a smuggled command would create in the current directory.
inline constexpr const char* kSentinel = "sentinel";

// The SHA-256 digest of `content` in lower-case hex, as the tool prints it.
std::string Sha256Hex(const std::string& content);
// A file URL for a path's exact bytes, percent-encoded as a file manager puts it on the clipboard.
using testsupport::FileUrl;
// Processes events until `condition` holds or `limit` has passed; returns the condition's last value.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(20));
// Brings up what early start-up gives the main window: plug-in classes, entry points, the "special/any" type.
void PrepareFramework();
// A real drag of `urls` entering, moving over and dropped on the side's drop area (1 or 2) of `window`.
// Returns whether the drop was accepted.
bool DropUrls(const MainWIndow& window, int side, const QList<QUrl>& urls);
inline bool DropPath(const MainWIndow& window, int side, const std::string& path) {
    return DropUrls(window, side, {FileUrl(path)});
}
// What the user sees: a drop area's text and the result label's text, read from their widgets.
std::string AreaText(const MainWIndow& window, int side);
std::string ResultText(const MainWIndow& window);
QWidget* TopLevel(const MainWIndow& window);

class HostileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Real files in the temporary folder (`name` may hold sub-folders that exist); each returns the path.
    std::string MakeFile(const std::string& name, const std::string& content) const;
    std::string Path(const std::string& name) const;
    bool SentinelExists() const;

    bool Drop(int side, const std::string& path) const { return DropPath(*window, side, path); }

    // Tests that run the whole program clear it in their constructor: SetUp then makes no window.
    bool makeWindow_ = true;
    platform::Ref<MainWIndow> window;
    QTemporaryDir dir;

private:
    QString oldCurrent_;
};

}  // namespace corvantil::hostile
