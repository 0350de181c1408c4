// The system object and its cursors (Qt cursor shapes are chosen where a control takes a cursor), and
// opening a web address in the default browser through QDesktopServices.
#include "platform/System.h"

#include <QDesktopServices>
#include <QUrl>

#include "QtText.h"

namespace platform {

const ClassDescription& MouseCursor::Lookup() {
    static const ClassDescription description{"MouseCursor", &Object::Lookup(), {}, {}, {}};
    return description;
}

const ClassDescription& Cursors::Lookup() {
    static const ClassDescription description{"Cursors", &Object::Lookup(), {}, {}, {}};
    return description;
}

const ClassDescription& SystemClass::Lookup() {
    static const ClassDescription description{"SystemClass", &Object::Lookup(), {}, {}, {}};
    return description;
}

namespace {
Ref<MouseCursor> MakeCursor(MouseCursor::Shape shape) {
    auto cursor = std::make_shared<MouseCursor>(shape);
    cursor->SetClass(MouseCursor::Lookup());
    return cursor;
}
}  // namespace

Ref<MouseCursor> Cursors::FingerPointer() const {
    CheckMainThread("Cursors.FingerPointer");
    static const Ref<MouseCursor> finger = MakeCursor(MouseCursor::Shape::PointingHand);
    return finger;
}

Ref<MouseCursor> Cursors::StandardPointer() const {
    CheckMainThread("Cursors.StandardPointer");
    static const Ref<MouseCursor> arrow = MakeCursor(MouseCursor::Shape::Arrow);
    return arrow;
}

Ref<Cursors> SystemClass::GetCursors() const {
    CheckMainThread("System.Cursors");
    static const Ref<Cursors> cursors = [] {
        auto made = std::make_shared<Cursors>();
        made->SetClass(Cursors::Lookup());
        return made;
    }();
    return cursors;
}

Ref<SystemClass> System() {
    CheckMainThread("System");
    static const Ref<SystemClass> system = [] {
        auto made = std::make_shared<SystemClass>();
        made->SetClass(SystemClass::Lookup());
        return made;
    }();
    return system;
}

void ShowURL(const std::string& url) {
    CheckMainThread("ShowURL");
    QDesktopServices::openUrl(QUrl(qt::ToQString(url)));
}

}  // namespace platform
