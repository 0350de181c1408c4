// How the tests' helper programs (the drag source, the clipboard owner) take their commands: one line at a
// time on standard input, each handed on without its line end; at the end of the input the program quits.
#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <utility>

namespace e2e {

class CommandLines {
public:
    explicit CommandLines(std::function<void(const QByteArray&)> onLine) : onLine_(std::move(onLine)) {
        QObject::connect(&input_, &QSocketNotifier::activated, &input_, [this] { Read(); });
    }
    CommandLines(const CommandLines&) = delete;
    CommandLines& operator=(const CommandLines&) = delete;

private:
    void Read() {
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            input_.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending_.append(buffer, count);
        for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
            const QByteArray line = pending_.left(end);
            pending_.remove(0, end + 1);
            onLine_(line);
        }
    }

    std::function<void(const QByteArray&)> onLine_;
    QByteArray pending_;
    QSocketNotifier input_{STDIN_FILENO, QSocketNotifier::Read};
};

}  // namespace e2e
