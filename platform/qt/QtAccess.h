// Access to the Qt widgets behind framework objects, for tests and measurements only: the program never
// includes this header.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Controls.h"
#include "platform/Window.h"

class QAction;
class QMenuBar;
class QPlainTextEdit;
class QWidget;

namespace platform::qt {

// The window's top-level widget (title, flags, close requests).
QWidget* TopLevelWidget(const Window& window);
// The widget of the window's Width x Height that holds its controls.
QWidget* ContentWidget(const Window& window);
// The window's Qt menu bar; nullptr when it has none.
QMenuBar* MenuBarWidget(const Window& window);
// The action of the menu item named `itemName` in the window's menu bar; nullptr when there is none.
QAction* MenuAction(const Window& window, std::string_view itemName);
// The control's widget (QLabel, QPlainTextEdit, QPushButton, or the progress wheel's).
QWidget* ControlWidget(const RectControl& control);
// A text area's editor, and the viewport inside it where drags and drops arrive.
QPlainTextEdit* Editor(const TextArea& area);
QWidget* DropViewport(const TextArea& area);
// How often the wheel has been painted (for measuring how well the window keeps painting).
std::uint64_t PaintCount(const ProgressWheel& wheel);

}  // namespace platform::qt
