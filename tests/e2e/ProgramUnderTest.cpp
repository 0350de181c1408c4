// The built program under test and what is read off its main window (ProgramUnderTest.h).
#include "ProgramUnderTest.h"

#include <QHash>

namespace e2e {

namespace {

// The drop area's frame is the style's; its inside starts a few pixels in.
constexpr int kAreaInset = 5;
// Text drawn in an exact colour leaves at least this many pixels of exactly that colour.
constexpr int kVerdictInk = 20;

QRect inside(const QRect& area) { return area.adjusted(kAreaInset, kAreaInset, -kAreaInset, -kAreaInset); }

int countExactly(const QImage& image, const QColor& colour) {
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) | 0xff000000u) == wanted ? 1 : 0;
    return count;
}

QColor dominantColour(const QImage& image, double* share) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y) | 0xff000000u];
    QRgb best = 0;
    int bestCount = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > bestCount) {
            best = it.key();
            bestCount = it.value();
        }
    }
    if (share != nullptr) {
        const double pixels = static_cast<double>(image.width()) * image.height();
        *share = pixels > 0 ? bestCount / pixels : 0.0;
    }
    return QColor(best);
}

}  // namespace

const char* verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::None:
            return "no verdict";
        case Verdict::Identical:
            return "identical (green)";
        case Verdict::Different:
            return "different (red)";
        case Verdict::Unclear:
            return "both colours";
    }
    return "?";
}

QString ProgramUnderTest::path() {
    return qEnvironmentVariable("CORVANTIL_E2E_PROGRAM", QStringLiteral(CORVANTIL_E2E_PROGRAM_PATH));
}

bool ProgramUnderTest::start(QString* error, const QString& pathPrefix, Launcher launcher) {
    const QString program = path();
    if (program.isEmpty()) {
        *error = QStringLiteral("CORVANTIL_E2E_PROGRAM does not name the program");
        return false;
    }
    QProcessEnvironment environment = session_.programEnvironment();
    if (!pathPrefix.isEmpty())
        environment.insert(QStringLiteral("PATH"), pathPrefix + QLatin1Char(':') + environment.value("PATH"));
    process_.setProcessEnvironment(environment);
    if (launcher == Launcher::IgnoringChildSignals) {
        // `exec` keeps the pid, by which the harness finds the program's windows.
        startChild(process_, QStringLiteral("bash"),
                   {QStringLiteral("-c"), QStringLiteral("trap '' CHLD; exec \"$0\""), program});
    } else {
        startChild(process_, program, {});
    }
    if (!process_.waitForStarted(10000)) {
        *error = QStringLiteral("cannot start ") + program + QStringLiteral(": ") + process_.errorString();
        return false;
    }

    const bool shown = waitUntil([&] {
        if (!running()) return true;
        const QList<qulonglong> windows = session_.visibleWindows(pid(), QStringLiteral("^Corvantil$"));
        if (windows.size() != 1) return false;
        mainWindow_ = windows.front();
        const WindowInfo info = mainWindowInfo();
        return info.viewable && info.frame.height() > kContentHeight && areaShows(0, kWhite) &&
               areaShows(1, kWhite);
    });
    if (!running()) {
        *error = QStringLiteral("the program ended at start-up: ") + errorOutput();
        return false;
    }
    if (!shown) {
        *error = QStringLiteral("no window titled \"Corvantil\" with two white drop areas came up");
        return false;
    }
    return true;
}

int ProgramUnderTest::menuBarHeight() const { return mainWindowInfo().frame.height() - kContentHeight; }

QRect ProgramUnderTest::onScreen(const QRect& inContent) const {
    const WindowInfo info = mainWindowInfo();
    const int menuBar = info.frame.height() - kContentHeight;
    return inContent.translated(info.frame.left(), info.frame.top() + menuBar);
}

QColor ProgramUnderTest::areaColour(int side, double* share) const {
    return dominantColour(session_.grab(inside(onScreen(kDropAreas[side]))), share);
}

bool ProgramUnderTest::areaShows(int side, const QColor& colour) const {
    double share = 0.0;
    return areaColour(side, &share) == colour && share >= 0.5;
}

bool ProgramUnderTest::waitForArea(int side, const QColor& colour) const {
    return waitUntil([&] { return areaShows(side, colour); });
}

QImage ProgramUnderTest::areaInk(int side) const {
    const QImage image = session_.grab(inside(onScreen(kDropAreas[side])));
    const int background = qGray(dominantColour(image, nullptr).rgb());
    QImage ink(image.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            // Black text over a background darkens it by its coverage; more than half covered counts as ink.
            const bool marked = background > 0 && qGray(image.pixel(x, y)) * 2 < background;
            ink.setPixel(x, y, marked ? 0 : 255);
        }
    }
    return ink;
}

int ProgramUnderTest::inkDifference(const QImage& one, const QImage& other) {
    if (one.size() != other.size()) return one.width() * one.height();
    int count = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) count += one.pixel(x, y) != other.pixel(x, y) ? 1 : 0;
    return count;
}

Verdict ProgramUnderTest::verdict() const {
    const QImage label = session_.grab(onScreen(kResultLabel));
    const bool green = countExactly(label, kIdenticalGreen) >= kVerdictInk;
    const bool red = countExactly(label, kDifferentRed) >= kVerdictInk;
    if (green && red) return Verdict::Unclear;
    if (green) return Verdict::Identical;
    if (red) return Verdict::Different;
    return Verdict::None;
}

bool ProgramUnderTest::waitForVerdict(Verdict expected) const {
    return waitUntil([&] { return verdict() == expected; });
}

bool ProgramUnderTest::waitForExit(int* exitCode) {
    waitUntil([&] {
        process_.waitForFinished(0);
        return !running();
    });
    if (running()) return false;
    *exitCode = process_.exitCode();
    return process_.exitStatus() == QProcess::NormalExit;
}

}  // namespace e2e
