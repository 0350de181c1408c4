// The driver of the tests' clipboard owner (ClipboardOwnerDriver.h): starting it and reading its reports.
#include "ClipboardOwnerDriver.h"

namespace e2e {

ClipboardOwnerDriver::~ClipboardOwnerDriver() {
    if (!running()) return;
    // End of input ends the owner; it is stopped by force only if it does not go.
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000)) stopChild(process_);
}

bool ClipboardOwnerDriver::start(qsizetype bytes, QString* error) {
    const QString program = qEnvironmentVariable("CORVANTIL_E2E_CLIPBOARD_OWNER",
                                                 QStringLiteral(CORVANTIL_E2E_CLIPBOARD_OWNER_PATH));
    if (program.isEmpty()) {
        *error = QStringLiteral("CORVANTIL_E2E_CLIPBOARD_OWNER does not name the clipboard owner");
        return false;
    }
    process_.setProcessEnvironment(session_.programEnvironment());
    startChild(process_, program, {QString::number(bytes)});
    if (!waitForReport(QStringLiteral("owner"))) {
        *error = QStringLiteral("the clipboard owner did not take the clipboard: ") +
                 QString::fromLocal8Bit(process_.readAllStandardError());
        return false;
    }
    return true;
}

int ClipboardOwnerDriver::contentRequests() { return lastCount(QStringLiteral("asked ")); }

int ClipboardOwnerDriver::formatRequests() { return lastCount(QStringLiteral("listed ")); }

bool ClipboardOwnerDriver::leaveDuringNextTransfer() {
    process_.write("leave\n");
    return waitForReport(QStringLiteral("armed"));
}

bool ClipboardOwnerDriver::waitForLeaving() {
    return waitForReport(QStringLiteral("leaving")) && waitUntil([&] {
               process_.waitForFinished(0);
               return !running();
           });
}

void ClipboardOwnerDriver::readReports() { readLines(process_, partial_, lines_); }

int ClipboardOwnerDriver::lastCount(const QString& prefix) {
    readReports();
    for (qsizetype i = lines_.size() - 1; i >= 0; --i) {
        if (lines_.at(i).startsWith(prefix)) return lines_.at(i).mid(prefix.size()).toInt();
    }
    return 0;
}

bool ClipboardOwnerDriver::waitForReport(const QString& line) {
    waitUntil([&] {
        readReports();
        return lines_.contains(line) || !running();
    });
    readReports();
    return lines_.contains(line);
}

}  // namespace e2e
