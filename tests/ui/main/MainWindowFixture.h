// Shared set-up of the main window's tests: the real main window made through its accessor, a temporary
// folder for real files, and a `shasum` on PATH that records each run (the file it was given) before it runs
// the real tool, or, when told to, exits with a chosen status, prints a chosen output or waits for the test
// to let it go on.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/main/MainWIndow.h"

class QLabel;
class QMimeData;
class QPlainTextEdit;
class QWidget;

namespace corvantil::test {

inline const QColor kWhite{255, 255, 255};
inline const QColor kLightBlue{210, 210, 255};
inline const QColor kPink{255, 220, 220};
inline const QColor kGreen{0, 180, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlack{0, 0, 0};

inline constexpr const char* kPrompt1 = "Drop one File Here";
inline constexpr const char* kPrompt2 = "Drop another File Here";
inline constexpr const char* kIdentical = "These files are identical";
inline constexpr const char* kDifferent = "These files are different";
inline constexpr const char* kFolderMessage = "Please compress this item and try again.";
inline constexpr const char* kNotFound = "File not found";

// The SHA-256 digest of `content` in lower-case hex, as the tool prints it.
std::string Sha256Hex(const std::string& content);

// Brings up what early start-up gives the main window: plug-in classes, entry points, the "special/any" type.
void PrepareFramework();

// The eight properties of a window, for comparing whole states.
struct SideState {
    std::string path;
    bool summed = false;
    std::string checkSum;
    bool errorArea = false;
    friend bool operator==(const SideState&, const SideState&) = default;
};
std::ostream& operator<<(std::ostream& out, const SideState& state);
SideState StateOf(const MainWIndow& window, int side);
void SetState(MainWIndow& window, int side, const SideState& state);

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Real files and folders in the temporary folder; each returns the absolute path's bytes.
    std::string MakeFile(const std::string& name, const std::string& content);
    std::string MakeFolder(const std::string& name);
    std::string MakeSymlink(const std::string& name, const std::string& target);
    std::string TempPath(const std::string& name) const;

    // The file arguments of the tool's runs so far, in order.
    std::vector<std::string> ToolRuns() const;
    std::size_t ToolRunCount() const { return ToolRuns().size(); }
    // From now on the tool exits with `status` without output (a negative status: run the real tool again).
    void SetToolStatus(int status);
    // From now on the tool prints `output` and exits with 0.
    void SetToolOutput(const std::string& output);

    // From now on each run of the tool waits (at most about ten seconds) until ReleaseTool lets it go on.
    void HoldTool();
    void ReleaseTool();

    // Gives a side a file as a drop of it would, without the drop: its shell path, flag cleared.
    void GiveSide(int side, const std::string& path);

    // The side's drop area (1 or 2) and the widgets behind the controls.
    platform::Ref<platform::TextArea> Area(int side) const;
    QWidget* Widget(const platform::Ref<platform::RectControl>& control) const;
    QPlainTextEdit* Editor(int side) const;
    QWidget* Viewport(int side) const;
    QLabel* Label() const;
    QWidget* Wheel() const;
    QWidget* TopLevel() const;

    // What the user sees, read from the widgets.
    std::string AreaText(int side) const;
    QColor AreaColour(int side) const;
    std::string LabelText() const;

    // A real drag-and-drop on the side's area: enter, move, drop, as a file manager sends them.
    // Returns whether the drop was accepted.
    bool Drop(int side, const QMimeData& data);
    bool DropFile(int side, const std::string& path);
    bool DropFiles(int side, const std::vector<std::string>& paths);
    // A drag of a file that enters the side's area and leaves it without a drop; returns the area's colour
    // while the drag was over it.
    QColor DragAcross(int side, const std::string& path);

    static QString Qs(const std::string& bytes);

    platform::Ref<MainWIndow> window;
    QTemporaryDir dir;

private:
    std::string oldPath_;
};

}  // namespace corvantil::test
