// A clipboard owner for the end-to-end tests: a program of its own that holds the X CLIPBOARD with a large
// text, as an editor does after a person copies a big file's content, and says each time another client asks
// for the content. Asking which formats it offers (TARGETS) is counted apart. Qt answers the requests and
// sends a large text in pieces (INCR), one each time the requestor has taken the previous one.
//
// Commands on standard input, one a line:
//   leave   the next transfer of the content is cut off: the owner exits once the requestor has taken the
//           first piece, as a program that is closed while a paste is under way
// End of input ends the program.
// Reports on standard output, one a line: "owner" once it holds the clipboard, "armed" after "leave",
// "listed N" when the formats have been asked for N times, "asked N" when the content has been asked for N
// times, and "leaving" just before it exits in the middle of a transfer.
//
// Usage: e2e_clipboard_owner BYTES   (the text's size; lines of 64 bytes)
#include <unistd.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "CommandLines.h"

namespace {

void report(const QByteArray& line) {
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Numbered lines of 64 bytes, `bytes` in all (rounded up to whole lines).
QByteArray largeText(qsizetype bytes) {
    QByteArray text;
    text.reserve(bytes + 64);
    for (qsizetype line = 1; text.size() < bytes; ++line) {
        QByteArray row = "clipboard line " + QByteArray::number(line).rightJustified(9, '0') + ' ';
        row += QByteArray(63 - row.size(), 'x') + '\n';
        text += row;
    }
    return text;
}

// Plain text whose content Qt takes from retrieveData each time a requestor asks for it; the formats come
// from formats(), which is not counted here.
class CountedText : public QMimeData {
public:
    explicit CountedText(QByteArray utf8) : utf8_(std::move(utf8)) {}

    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& mimeType) const override {
        return mimeType == QLatin1String("text/plain") || mimeType.startsWith(QLatin1String("text/plain;"));
    }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        if (!hasFormat(mimeType)) return {};
        report("asked " + QByteArray::number(++asked_));
        if (type.id() == QMetaType::QString) return QString::fromUtf8(utf8_);
        return utf8_;
    }

private:
    QByteArray utf8_;
    mutable int asked_ = 0;
};

// Watches the owner's X connection for requests for the formats and, once "leave" has armed it, for the
// requestor taking pieces of the content: after the first it ends the program on the spot.
class RequestWatch : public QAbstractNativeEventFilter {
public:
    explicit RequestWatch(xcb_connection_t* connection) : targets_(atom(connection, "TARGETS")) {}

    void arm() { armed_ = true; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const int kind = event->response_type & ~0x80;
        if (kind == XCB_SELECTION_REQUEST) {
            const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
            if (request->target == targets_) {
                report("listed " + QByteArray::number(++listed_));
            } else if (armed_ && requestor_ == XCB_NONE) {
                requestor_ = request->requestor;
                property_ = request->property;
            }
        }
        // The requestor deletes the property each time it has read a piece, the announcement of the
        // transfer first.
        if (kind == XCB_PROPERTY_NOTIFY && requestor_ != XCB_NONE) {
            const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (change->window == requestor_ && change->atom == property_ &&
                change->state == XCB_PROPERTY_DELETE && ++taken_ == kPiecesBeforeLeaving) {
                report("leaving");
                ::_exit(0);
            }
        }
        return false;
    }

private:
    static constexpr int kPiecesBeforeLeaving = 2;

    static xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t found = reply != nullptr ? reply->atom : XCB_NONE;
        std::free(reply);
        return found;
    }

    xcb_atom_t targets_;
    bool armed_ = false;
    xcb_window_t requestor_ = XCB_NONE;
    xcb_atom_t property_ = XCB_NONE;
    int taken_ = 0;
    int listed_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    bool sized = false;
    const qsizetype bytes = arguments.size() == 2 ? arguments.at(1).toLongLong(&sized) : 0;
    if (!sized || bytes <= 0) {
        std::fputs("usage: e2e_clipboard_owner BYTES\n", stderr);
        return 2;
    }
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        std::fputs("e2e_clipboard_owner: needs the xcb platform\n", stderr);
        return 2;
    }
    RequestWatch watch(x11->connection());
    app.installNativeEventFilter(&watch);

    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(new CountedText(largeText(bytes)));
    if (!clipboard->ownsClipboard()) {
        std::fputs("e2e_clipboard_owner: did not get the clipboard\n", stderr);
        return 1;
    }
    report("owner");

    const e2e::CommandLines commands([&](const QByteArray& line) {
        if (line == "leave") {
            watch.arm();
            report("armed");
        } else {
            report("unknown " + line);
        }
    });
    return app.exec();
}
