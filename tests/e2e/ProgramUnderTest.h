// The built program, started on the test display, and what a person reads off its main window: the title and
// size the X server reports, the colours of the two drop areas and the colour of the verdict.
#pragma once

#include <QColor>
#include <QProcess>
#include <QRect>
#include <QString>

#include "X11Session.h"

namespace e2e {

// The main window's content, in the window's own coordinates (the menu bar lies above it).
inline constexpr int kContentWidth = 344;
inline constexpr int kContentHeight = 237;
inline const QRect kDropAreas[2] = {QRect(15, 19, 309, 75), QRect(15, 142, 309, 75)};
inline const QRect kResultLabel(11, 105, 315, 20);

inline const QColor kWhite(255, 255, 255);
inline const QColor kLightBlue(210, 210, 255);
inline const QColor kPink(255, 220, 220);
inline const QColor kIdenticalGreen(0, 180, 0);
inline const QColor kDifferentRed(255, 0, 0);

enum class Verdict { None, Identical, Different, Unclear };
const char* verdictName(Verdict verdict);

class ProgramUnderTest {
public:
    // How the program is started: by the harness itself, or through a launcher that ignores SIGCHLD and
    // hands that on (bash after `trap '' CHLD`).
    enum class Launcher { Direct, IgnoringChildSignals };

    // The built program: CORVANTIL_E2E_PROGRAM, else the one this build made; empty when neither names it.
    static QString path();

    explicit ProgramUnderTest(const X11Session& session) : session_(session) {}
    ~ProgramUnderTest() { stopChild(process_); }
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // Starts the program with `pathPrefix` (if any) ahead of the PATH, and waits for its main window to show
    // its two white drop areas. On failure `error` says what was missing.
    bool start(QString* error, const QString& pathPrefix = QString(), Launcher launcher = Launcher::Direct);

    qint64 pid() const { return process_.processId(); }
    qulonglong mainWindow() const { return mainWindow_; }
    WindowInfo mainWindowInfo() const { return session_.windowInfo(mainWindow_); }

    // Screen rectangle of a rectangle given in the content's coordinates.
    QRect onScreen(const QRect& inContent) const;
    QPoint centreOf(const QRect& inContent) const { return onScreen(inContent).center(); }
    int menuBarHeight() const;

    // The colour that covers most of a drop area's inside (side 0 or 1), and how much of it.
    QColor areaColour(int side, double* share = nullptr) const;
    bool areaShows(int side, const QColor& colour) const;
    bool waitForArea(int side, const QColor& colour) const;

    // The dark marks (text) inside a drop area, as a bitmap independent of the area's background colour.
    QImage areaInk(int side) const;
    // How many pixels of two such bitmaps differ.
    static int inkDifference(const QImage& one, const QImage& other);

    // The verdict the result label shows, judged by the colour of its text.
    Verdict verdict() const;
    bool waitForVerdict(Verdict expected) const;

    // Waits for the program to end; true when it ended by itself with `exitCode` (not by a signal).
    bool waitForExit(int* exitCode);
    bool running() const { return process_.state() != QProcess::NotRunning; }

    QString errorOutput() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    const X11Session& session_;
    QProcess process_;
    qulonglong mainWindow_ = 0;
};

}  // namespace e2e
