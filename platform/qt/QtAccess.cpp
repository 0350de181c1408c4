// Widget access for tests and measurements (QtAccess.h).
#include "QtAccess.h"

#include <QAction>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "ControlImpl.h"
#include "QtText.h"
#include "WindowImpl.h"

namespace platform::qt {

QWidget* TopLevelWidget(const Window& window) { return &detail::ImplOf(window).Top(); }

QWidget* ContentWidget(const Window& window) { return &detail::ImplOf(window).Content(); }

QMenuBar* MenuBarWidget(const Window& window) { return detail::ImplOf(window).menuBarWidget.data(); }

QAction* MenuAction(const Window& window, std::string_view itemName) {
    QMenuBar* bar = MenuBarWidget(window);
    if (!bar) return nullptr;
    const QString name = ToQString(itemName);
    for (QAction* action : bar->findChildren<QAction*>()) {
        if (action->objectName() == name) return action;
    }
    return nullptr;
}

QWidget* ControlWidget(const RectControl& control) { return &detail::ImplOf(control).Widget(); }

QPlainTextEdit* Editor(const TextArea& area) { return dynamic_cast<QPlainTextEdit*>(ControlWidget(area)); }

QWidget* DropViewport(const TextArea& area) {
    QPlainTextEdit* editor = Editor(area);
    return editor ? editor->viewport() : nullptr;
}

}  // namespace platform::qt
