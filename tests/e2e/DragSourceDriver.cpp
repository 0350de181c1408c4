// Drives the tests' drag-source program (DragSourceDriver.h).
#include "DragSourceDriver.h"

namespace e2e {

namespace {

constexpr int kSteps = 6;

}  // namespace

DragSourceDriver::~DragSourceDriver() {
    if (!running()) return;
    // End of input ends the source; it is stopped by force only if it does not go.
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000)) stopChild(process_);
}

bool DragSourceDriver::start(QString* error) {
    const QString program =
        qEnvironmentVariable("CORVANTIL_E2E_DRAG_SOURCE", QStringLiteral(CORVANTIL_E2E_DRAG_SOURCE_PATH));
    if (program.isEmpty()) {
        *error = QStringLiteral("CORVANTIL_E2E_DRAG_SOURCE does not name the drag source");
        return false;
    }
    process_.setProcessEnvironment(session_.programEnvironment());
    startChild(process_, program,
               {QString::number(kDragSourcePlace.x()), QString::number(kDragSourcePlace.y())});
    const QString ready = waitForReport(QStringLiteral("ready "));
    if (ready.isEmpty()) {
        *error = QStringLiteral("the drag source did not come up: ") +
                 QString::fromLocal8Bit(process_.readAllStandardError());
        return false;
    }
    const qulonglong window = ready.mid(6).toULongLong();
    WindowInfo info;
    if (!waitUntil([&] {
            info = session_.windowInfo(window);
            return info.viewable;
        })) {
        *error = QStringLiteral("the drag source's window is not on screen");
        return false;
    }
    centre_ = info.frame.center();
    return true;
}

bool DragSourceDriver::carryFiles(const QStringList& paths) {
    return command(QStringLiteral("urls ") + paths.join(QLatin1Char('\t')));
}

bool DragSourceDriver::carryText(const QString& text) { return command(QStringLiteral("text ") + text); }

bool DragSourceDriver::carryWebAddress(const QString& address) {
    return command(QStringLiteral("link ") + address);
}

bool DragSourceDriver::carryUriList(const QStringList& uris) {
    return command(QStringLiteral("uris ") + uris.join(QLatin1Char('\t')));
}

bool DragSourceDriver::pickUpAndMoveTo(const QPoint& target) {
    session_.moveMouse(centre_);
    session_.pressButton();
    pointer_ = centre_;
    if (waitForReport(QStringLiteral("started")).isEmpty()) return false;
    dragStart_ = consumed_;
    moveTo(target);
    return true;
}

void DragSourceDriver::moveTo(const QPoint& target) {
    const QPoint from = pointer_;
    for (int step = 1; step <= kSteps; ++step) session_.moveMouse(from + (target - from) * step / kSteps);
    pointer_ = target;
}

bool DragSourceDriver::waitForAcceptance() {
    // A busy machine now and then loses the pointer's last motion to the drag before it has taken the
    // pointer; the drag then sits over nothing. As a hand does, the pointer twitches by a pixel every half
    // second.
    int polls = 0;
    return waitUntil([&] {
        if (++polls % 10 == 0) session_.moveMouse(pointer_ + QPoint((polls / 10) % 2, 0));
        readReports();
        for (qsizetype i = consumed_; i < lines_.size(); ++i) {
            if (lines_.at(i).startsWith(QStringLiteral("action ")) &&
                lines_.at(i) != QStringLiteral("action ignore"))
                return true;
        }
        return false;
    });
}

QString DragSourceDriver::release() {
    session_.releaseButton();
    return waitForReport(QStringLiteral("finished ")).mid(9);
}

int DragSourceDriver::waitForAnswer() {
    // The answer may come before the source's own report that the drag has ended, so it is looked for among
    // everything the source said since the drag began.
    int delay = -1;
    waitUntil([&] {
        readReports();
        for (qsizetype i = dragStart_; i < lines_.size(); ++i) {
            if (lines_.at(i).startsWith(QStringLiteral("answered "))) {
                delay = lines_.at(i).mid(9).toInt();
                return true;
            }
        }
        return !running();
    });
    return delay;
}

bool DragSourceDriver::command(const QString& line) {
    process_.write((line + QLatin1Char('\n')).toUtf8());
    return !waitForReport(QStringLiteral("armed")).isEmpty();
}

void DragSourceDriver::readReports() { readLines(process_, partial_, lines_); }

QString DragSourceDriver::waitForReport(const QString& prefix) {
    QString found;
    waitUntil([&] {
        readReports();
        for (qsizetype i = consumed_; i < lines_.size(); ++i) {
            if (lines_.at(i).startsWith(prefix)) {
                found = lines_.at(i);
                consumed_ = i + 1;
                return true;
            }
        }
        return !running();
    });
    return found;
}

}  // namespace e2e
