// A drag source for the end-to-end tests: a small window of its own process that starts a real QDrag when the
// mouse is pressed on it, so that the program under test receives the XDND protocol from another client, as
// it does when a person drags from a file manager or a browser.
//
// Commands on standard input, one a line; each one sets what the next press drags:
//   urls PATH[<TAB>PATH...]   file URLs of local files or folders
//   uris URI[<TAB>URI...]     a URI list of exactly these lines, as another program may send it
//   text TEXT                 plain text
//   link ADDRESS              a web address (a URI list and the same text)
// End of input ends the program.
// Reports on standard output, one a line: "ready WINDOW_ID" once the window is on screen, "armed" after each
// command, "started" when a drag begins, "action NAME" whenever the target's answer changes, "finished NAME"
// with the drag's outcome (NAME is ignore, copy, move or link) and "answered MS" when the target's
// XdndFinished arrives, MS milliseconds after the source saw the button go up (Qt's drag ends at the release
// and does not wait for that answer, so the source watches the X connection for it).
//
// Usage: e2e_drag_source X Y   (the window's position on the screen)
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDrag>
#include <QElapsedTimer>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "CommandLines.h"

namespace {

const char* actionName(Qt::DropAction action) {
    switch (action) {
        case Qt::CopyAction:
            return "copy";
        case Qt::MoveAction:
            return "move";
        case Qt::LinkAction:
            return "link";
        default:
            return "ignore";
    }
}

void report(const QByteArray& line) {
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Watches the source's X connection for the release of the button and for the target's XdndFinished.
class AnswerWatch : public QAbstractNativeEventFilter {
public:
    explicit AnswerWatch(xcb_connection_t* connection) {
        const char name[] = "XdndFinished";
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        if (reply != nullptr) finished_ = reply->atom;
        std::free(reply);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const int kind = event->response_type & ~0x80;
        // The press and release reach the source as XInput 2 events, or as core events without it.
        constexpr uint16_t kXiButtonRelease = 5;
        const bool released =
            kind == XCB_BUTTON_RELEASE ||
            (kind == XCB_GE_GENERIC &&
             reinterpret_cast<const xcb_ge_generic_event_t*>(event)->event_type == kXiButtonRelease);
        if (released) release_.start();
        if (kind == XCB_CLIENT_MESSAGE && finished_ != XCB_NONE &&
            reinterpret_cast<const xcb_client_message_event_t*>(event)->type == finished_) {
            report("answered " + QByteArray::number(release_.isValid() ? release_.elapsed() : -1));
            release_.invalidate();
        }
        return false;
    }

private:
    xcb_atom_t finished_ = XCB_NONE;
    QElapsedTimer release_;
};

class SourcePad : public QWidget {
public:
    SourcePad() {
        setWindowTitle(QStringLiteral("e2e drag source"));
        setFixedSize(120, 90);
    }

    // Sets what the next press drags; false for a command it does not know.
    bool arm(const QByteArray& line) {
        const qsizetype blank = line.indexOf(' ');
        const QByteArray verb = line.left(blank);
        const QString argument = blank < 0 ? QString() : QString::fromUtf8(line.mid(blank + 1));
        auto mime = std::make_unique<QMimeData>();
        if (verb == "urls") {
            QList<QUrl> urls;
            for (const QString& path : argument.split(QLatin1Char('\t'), Qt::SkipEmptyParts))
                urls.append(QUrl::fromLocalFile(path));
            mime->setUrls(urls);
        } else if (verb == "uris") {
            mime->setData(QStringLiteral("text/uri-list"),
                          argument.split(QLatin1Char('\t')).join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        } else if (verb == "text") {
            mime->setText(argument);
        } else if (verb == "link") {
            mime->setUrls({QUrl(argument)});
            mime->setText(argument);
        } else {
            return false;
        }
        payload_ = std::move(mime);
        return true;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(40, 40, 120));
        if (!shown_) {
            shown_ = true;
            report("ready " + QByteArray::number(static_cast<qulonglong>(winId())));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || !payload_) return;
        // The platform keeps the drag object until the target has taken the data, so it is not deleted here.
        auto* drag = new QDrag(this);
        drag->setMimeData(payload_.release());
        connect(drag, &QDrag::actionChanged, this,
                [](Qt::DropAction action) { report(QByteArray("action ") + actionName(action)); });
        report("started");
        const Qt::DropAction result =
            drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
        report(QByteArray("finished ") + actionName(result));
    }

private:
    std::unique_ptr<QMimeData> payload_;
    bool shown_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: e2e_drag_source X Y\n", stderr);
        return 2;
    }

    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        std::fputs("e2e_drag_source: needs the xcb platform\n", stderr);
        return 2;
    }
    AnswerWatch watch(x11->connection());
    app.installNativeEventFilter(&watch);

    SourcePad pad;
    pad.move(arguments.at(1).toInt(), arguments.at(2).toInt());
    pad.show();

    const e2e::CommandLines commands(
        [&](const QByteArray& line) { report(pad.arm(line) ? "armed" : "unknown " + line); });
    return app.exec();
}
