// The widgets behind the framework's controls: a label that reports mouse presses and entry, a plain-text
// editor that takes file drops in place of Qt's own text drops, and a push button.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdint>

#include "ControlImpl.h"
#include "platform/DragDrop.h"

class QMimeData;

namespace platform::qt {

// Drag action codes handed to the drag events: default, copy, move, link.
inline constexpr std::int32_t kDragActionDefault = 0;
inline constexpr std::int32_t kDragActionCopy = 1;
inline constexpr std::int32_t kDragActionLink = 3;

class LabelWidget : public QLabel, public ControlLink {
public:
    LabelWidget();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    bool mouseDownTaken_ = false;  // the last MouseDown handler returned True
};

class TextAreaWidget : public QPlainTextEdit, public ControlLink {
public:
    TextAreaWidget();

    // Applies the line spacing to every paragraph (1.0 is single spacing).
    void ApplyLineSpacing(double spacing);
    // Without Multiline, Return is left to the window (its default button) and lines do not wrap.
    void SetMultiline(bool multiline);
    // Cuts the text to `limit` characters (0: no limit).
    void EnforceLimit(std::int32_t limit);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What a drag carries as the area sees it: whether one of the accepted file types admits one of the local
    // files it names, and its first local file as the program's item.
    struct Carried {
        bool admitted = false;
        Ref<DragItem> item;
    };
    // Reads it from another program's data; a failure refuses the drag with one line on standard error.
    Carried Read(const QMimeData* mime) const;
    // Copy where the source offers it, else link; never move. IgnoreAction when it offers neither.
    static Qt::DropAction ChosenAction(Qt::DropActions offered);
    void TakeDrag(QDragMoveEvent* event);

    Ref<DragItem> current_;  // the item of the drag now over the area, once DragOver was raised for it
    bool inside_ = false;    // DragExit follows only a drag that raised DragOver
    bool multiline_ = true;
};

class ButtonWidget : public QPushButton, public ControlLink {
public:
    ButtonWidget();
};

}  // namespace platform::qt
