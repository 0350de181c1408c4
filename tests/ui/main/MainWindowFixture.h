// Shared set-up of the main window's tests: the real main window made through its accessor, a temporary
// folder for real files, and a `shasum` on PATH that records each run (the file it was given) before it runs
// the real tool, or, when told to, exits with a chosen status or prints a chosen output.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUrl>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/main/MainWIndow.h"

class QWidget;
class QMimeData;

namespace corvantil::test {

inline const platform::Color kWhite{255, 255, 255, 0};
inline const platform::Color kLightBlue{210, 210, 255, 0};
inline const platform::Color kPink{255, 220, 220, 0};
inline const platform::Color kGreen{0, 180, 0, 0};
inline const platform::Color kRed{255, 0, 0, 0};

inline constexpr const char* kPrompt1 = "Drop one File Here";
inline constexpr const char* kPrompt2 = "Drop another File Here";
inline constexpr const char* kIdentical = "These files are identical";
inline constexpr const char* kDifferent = "These files are different";
inline constexpr const char* kFolderMessage = "Please compress this item and try again.";

// The SHA-256 digest of `content` in lower-case hex, as the tool prints it.
std::string Sha256Hex(const std::string& content);

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

    // Gives a side a file as a drop of it would, without the drop: its shell path, flag cleared.
    void GiveSide(int side, const std::string& path);

    // The side's drop area (1 or 2) and the widgets behind the controls.
    platform::Ref<platform::TextArea> Area(int side) const;
    QWidget* Widget(const platform::Ref<platform::RectControl>& control) const;
    QWidget* Viewport(int side) const;
    QWidget* TopLevel() const;

    // A real drag-and-drop on the side's area: enter, move, drop, as a file manager sends them.
    // Returns whether the drop was accepted.
    bool Drop(int side, const QList<QUrl>& urls);
    bool DropFile(int side, const std::string& path) { return Drop(side, {QUrl::fromLocalFile(Qs(path))}); }
    bool DropText(int side, const std::string& text);
    // A drag that enters the side's area and leaves it without a drop; returns the colour seen while over.
    platform::Color DragAcross(int side);

    static QString Qs(const std::string& bytes);

    platform::Ref<class MainWIndow> window;
    QTemporaryDir dir;

private:
    bool SendDrop(int side, QMimeData* data);
    std::string oldPath_;
};

}  // namespace corvantil::test
