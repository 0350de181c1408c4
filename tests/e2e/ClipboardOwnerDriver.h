// Drives e2e_clipboard_owner, the tests' own clipboard owner: starts it holding the CLIPBOARD with a large
// text and reads off how often another client has asked it for the formats and for the content.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include "X11Session.h"

namespace e2e {

class ClipboardOwnerDriver {
public:
    explicit ClipboardOwnerDriver(const X11Session& session) : session_(session) {}
    ~ClipboardOwnerDriver();
    ClipboardOwnerDriver(const ClipboardOwnerDriver&) = delete;
    ClipboardOwnerDriver& operator=(const ClipboardOwnerDriver&) = delete;

    // Starts the owner with `bytes` of text and waits until it holds the clipboard.
    bool start(qsizetype bytes, QString* error);
    bool running() const { return process_.state() != QProcess::NotRunning; }

    // How many times the content has been asked for, and the formats, as far as the owner has told.
    int contentRequests();
    int formatRequests();
    // Makes the owner exit in the middle of the next transfer of the content.
    bool leaveDuringNextTransfer();
    // Waits for the owner to have left in the middle of a transfer.
    bool waitForLeaving();

    QString transcript() const { return lines_.join(QLatin1Char('\n')); }

private:
    void readReports();
    // The number in the last report "`prefix` N", 0 when there is none.
    int lastCount(const QString& prefix);
    bool waitForReport(const QString& line);

    const X11Session& session_;
    QProcess process_;
    QStringList lines_;
    QByteArray partial_;
};

}  // namespace e2e
