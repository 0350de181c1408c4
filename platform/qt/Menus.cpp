// Menus: the MenuItem tree, and its Qt face: a QMenuBar per window built from the tree, with "&" mnemonics,
// "-" separators, "Cmd+" shortcuts as Qt's Ctrl (Command on macOS) and the About and Quit roles. A chosen
// item goes to the window's handler registered under its name, else to the item's own Action. The Edit
// items named EditUndo, EditCut, EditCopy, EditPaste, EditClear and EditSelectAll act on the focused text
// field and, when AutoEnable is set, are enabled only while they can act on the focused widget of their
// window. A window without a menu bar of its own answers the shortcuts of the application's menu bar.
// Their state follows the focus, the editor's signals and the clipboard's changes, and costs a few flags each
// time: Paste goes by the formats the clipboard lists, read once a change, never by its content, which
// another program may hold in quantity and send slowly.
#include "platform/Menus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "QtText.h"
#include "ShellWait.h"
#include "WindowImpl.h"
#include "platform/Application.h"

namespace platform {

namespace {

using qt::ToQString;

enum class EditCommand { Undo, Cut, Copy, Paste, Clear, SelectAll };

std::optional<EditCommand> EditCommandNamed(std::string_view name) {
    if (name == "EditUndo") return EditCommand::Undo;
    if (name == "EditCut") return EditCommand::Cut;
    if (name == "EditCopy") return EditCommand::Copy;
    if (name == "EditPaste") return EditCommand::Paste;
    if (name == "EditClear") return EditCommand::Clear;
    if (name == "EditSelectAll") return EditCommand::SelectAll;
    return std::nullopt;
}

// Whether the clipboard offers text, by the formats it lists alone: on X that asks the owner for its TARGETS,
// never for the content. Read once each time the clipboard changes, never from inside a paste, so that what
// the Edit commands do in answer to typing, selecting or pasting never reaches the clipboard.
class ClipboardText : public QObject {
public:
    // False without a clipboard.
    static bool Offered() {
        const ClipboardText* watch = Get();
        return watch && watch->offered_;
    }

    // Calls `changed` inside the program dispatch each time the clipboard has changed, while `context` lives.
    static void Follow(QObject* context, std::function<void()> changed) {
        if (ClipboardText* watch = Get()) watch->followers_.emplace_back(context, std::move(changed));
    }

private:
    // The one watch, made on first use; it goes with the application's clipboard.
    static ClipboardText* Get() {
        static QPointer<ClipboardText> watch;
        if (!watch) {
            if (QClipboard* clipboard = QApplication::clipboard()) watch = new ClipboardText(*clipboard);
        }
        return watch;
    }

    explicit ClipboardText(QClipboard& clipboard) : QObject(&clipboard), clipboard_(clipboard) {
        connect(&clipboard, &QClipboard::dataChanged, this, &ClipboardText::Changed);
        Read();
    }

    // Another program taking the clipboard from this one is told as Qt answers the X server, which it also
    // does while it waits for the pieces of a paste: nothing is offered then, and the formats are read once
    // the event loop has come back. Every other change comes from the event loop or from this program.
    void Changed() {
        qt::Dispatch([this] {
            if (owned_ && !clipboard_.ownsClipboard()) {
                owned_ = false;
                offered_ = false;
                QMetaObject::invokeMethod(
                    this, [this] { qt::Dispatch([this] { ReadAndTell(); }); }, Qt::QueuedConnection);
                Tell();
                return;
            }
            ReadAndTell();
        });
    }

    void ReadAndTell() {
        Read();
        Tell();
    }

    // Text in one of the forms QMimeData::text reads. Text this program put there is at hand, and offered
    // only when it is not empty.
    void Read() {
        owned_ = clipboard_.ownsClipboard();
        const QMimeData* mime = clipboard_.mimeData();
        if (!mime) {
            offered_ = false;
            return;
        }
        const QStringList formats = mime->formats();
        offered_ = std::any_of(formats.cbegin(), formats.cend(),
                               [](const QString& format) {
                                   return format == QLatin1String("text/plain") ||
                                          format.startsWith(QLatin1String("text/plain;"));
                               }) &&
                   (!owned_ || !mime->text().isEmpty());
    }

    void Tell() {
        std::erase_if(followers_, [](const auto& follower) { return !follower.first; });
        const auto followers = followers_;
        for (const auto& [context, changed] : followers) {
            if (context) changed();
        }
    }

    QClipboard& clipboard_;
    bool owned_ = false;
    bool offered_ = false;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> followers_;
};

// What an editor can do right now.
struct EditorState {
    bool selection = false;
    bool readOnly = false;
    bool undo = false;
    bool empty = true;
};

template <class Editor>
EditorState DocumentEditorState(const Editor& editor) {
    return {editor.textCursor().hasSelection(), editor.isReadOnly(), editor.document()->isUndoAvailable(),
            editor.document()->isEmpty()};
}

std::optional<EditorState> StateOf(const QWidget* focus) {
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(focus)) return DocumentEditorState(*plain);
    if (const auto* rich = qobject_cast<const QTextEdit*>(focus)) return DocumentEditorState(*rich);
    if (const auto* line = qobject_cast<const QLineEdit*>(focus))
        return EditorState{line->hasSelectedText(), line->isReadOnly(), line->isUndoAvailable(),
                           line->text().isEmpty()};
    return std::nullopt;
}

bool CanAct(EditCommand command, const std::optional<EditorState>& state) {
    if (!state) return false;
    switch (command) {
        case EditCommand::Undo:
            return state->undo && !state->readOnly;
        case EditCommand::Cut:
        case EditCommand::Clear:
            return state->selection && !state->readOnly;
        case EditCommand::Copy:
            return state->selection;
        case EditCommand::Paste:
            return !state->readOnly && ClipboardText::Offered();
        case EditCommand::SelectAll:
            return !state->empty;
    }
    return false;
}

template <class Editor>
void ActOnDocumentEditor(Editor& editor, EditCommand command) {
    switch (command) {
        case EditCommand::Undo:
            editor.undo();
            break;
        case EditCommand::Cut:
            editor.cut();
            break;
        case EditCommand::Copy:
            editor.copy();
            break;
        case EditCommand::Paste:
            editor.paste();
            break;
        case EditCommand::Clear:
            editor.textCursor().removeSelectedText();
            break;
        case EditCommand::SelectAll:
            editor.selectAll();
            break;
    }
}

bool Act(EditCommand command, QWidget* focus) {
    if (!CanAct(command, StateOf(focus))) return false;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        ActOnDocumentEditor(*plain, command);
    } else if (auto* rich = qobject_cast<QTextEdit*>(focus)) {
        ActOnDocumentEditor(*rich, command);
    } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        switch (command) {
            case EditCommand::Undo:
                line->undo();
                break;
            case EditCommand::Cut:
                line->cut();
                break;
            case EditCommand::Copy:
                line->copy();
                break;
            case EditCommand::Paste:
                line->paste();
                break;
            case EditCommand::Clear:
                line->del();
                break;
            case EditCommand::SelectAll:
                line->selectAll();
                break;
        }
    }
    return true;
}

// Keeps the auto-enabled Edit actions of one window in line with the window's focused editor.
class EditCommands : public QObject {
public:
    // `window`: the top-level widget whose focus the actions follow; without one, the application's focus.
    EditCommands(QWidget* window, QObject* parent) : QObject(parent), window_(window) {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            qt::Dispatch([&] {
                if (qobject_cast<QMenuBar*>(now) && !qobject_cast<QMenuBar*>(old) && InWindow(now))
                    beforeMenuBar_ = old;
                Watch(Focused());
                Update();
            });
        });
        ClipboardText::Follow(this, [this] { Update(); });
        Watch(Focused());
    }

    void Track(QAction* action, EditCommand command) { tracked_.emplace_back(action, command); }

    // Update as a slot, inside the program dispatch.
    void Updated() {
        qt::Dispatch([this] { Update(); });
    }

    void Update() {
        const std::optional<EditorState> state = StateOf(Focused());
        for (const auto& [action, command] : tracked_) {
            if (action) action->setEnabled(CanAct(command, state));
        }
    }

private:
    bool InWindow(const QWidget* widget) const { return !window_ || (widget && widget->window() == window_); }

    // The widget with the window's focus. A menu opened from the keyboard (Alt+E) gives the keyboard focus to
    // the menu bar until it closes; the Edit commands look past the bar to the widget it took the focus from.
    QWidget* Focused() const {
        QWidget* focus = window_ ? window_->focusWidget() : QApplication::focusWidget();
        return qobject_cast<QMenuBar*>(focus) ? beforeMenuBar_.data() : focus;
    }

    // Each signal is cheap to follow: the state is worked out from the editor's flags and the clipboard's
    // formats as last read.
    template <class Editor>
    void WatchDocumentEditor(Editor* editor) {
        watching_.push_back(connect(editor, &Editor::copyAvailable, this, &EditCommands::Updated));
        watching_.push_back(connect(editor, &Editor::undoAvailable, this, &EditCommands::Updated));
        watching_.push_back(connect(editor, &Editor::textChanged, this, &EditCommands::Updated));
    }

    // Read-only changes come without a signal, as an event on the editor; other events pass untouched.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ReadOnlyChange) {
            qt::Dispatch([&] {
                if (watched == watched_) Update();
            });
        }
        return QObject::eventFilter(watched, event);
    }

    void Watch(QWidget* focus) {
        for (const QMetaObject::Connection& connection : watching_) disconnect(connection);
        watching_.clear();
        if (watched_) watched_->removeEventFilter(this);
        watched_ = focus;
        if (focus) focus->installEventFilter(this);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
            WatchDocumentEditor(plain);
        } else if (auto* rich = qobject_cast<QTextEdit*>(focus)) {
            WatchDocumentEditor(rich);
        } else if (auto* line = qobject_cast<QLineEdit*>(focus)) {
            watching_.push_back(connect(line, &QLineEdit::selectionChanged, this, &EditCommands::Updated));
            watching_.push_back(connect(line, &QLineEdit::textChanged, this, &EditCommands::Updated));
        }
    }

    QPointer<QWidget> window_;
    QPointer<QWidget> beforeMenuBar_;
    std::vector<std::pair<QPointer<QAction>, EditCommand>> tracked_;
    std::vector<QMetaObject::Connection> watching_;
    QPointer<QWidget> watched_;
};

// "Cmd+Q" and the like as a Qt key sequence: Cmd is Qt's Ctrl (the Command key on macOS), Option is Alt.
QKeySequence ShortcutOf(const MenuItem& item) {
    if (!item.KeyboardShortcutSet() || item.KeyboardShortcut().empty()) return {};
    QStringList parts = ToQString(item.KeyboardShortcut()).split(QLatin1Char('+'));
    for (QString& part : parts) {
        const QString word = part.trimmed();
        if (word.compare(QLatin1String("Cmd"), Qt::CaseInsensitive) == 0 ||
            word.compare(QLatin1String("Command"), Qt::CaseInsensitive) == 0)
            part = QStringLiteral("Ctrl");
        else if (word.compare(QLatin1String("Option"), Qt::CaseInsensitive) == 0)
            part = QStringLiteral("Alt");
        else
            part = word;
    }
    return QKeySequence::fromString(parts.join(QLatin1Char('+')), QKeySequence::PortableText);
}

QAction::MenuRole RoleOf(const MenuItem& item) {
    if (dynamic_cast<const AppleMenuItem*>(&item)) return QAction::AboutRole;
    if (dynamic_cast<const QuitMenuItem*>(&item)) return QAction::QuitRole;
    return QAction::NoRole;
}

void Choose(const WeakRef<Object>& windowRef, const WeakRef<MenuItem>& itemRef) {
    qt::Dispatch([&] {
        if (qt::shellwait::Running()) return;
        const Ref<MenuItem> item = itemRef.lock();
        if (!item) return;
        const auto window = std::dynamic_pointer_cast<Window>(windowRef.lock());
        if (window && window->HandleMenuCommand(item->Name()).has_value()) return;
        item->Action();
    });
}

// Gives an item's action its name, shortcut and role, sends its trigger to Choose and tracks an Edit command.
void Bind(QAction& action, const Ref<MenuItem>& item, Window& window, EditCommands& edits) {
    action.setObjectName(ToQString(item->Name()));
    action.setShortcut(ShortcutOf(*item));
    action.setMenuRole(RoleOf(*item));
    const WeakRef<Object> windowRef = window.weak_from_this();
    const WeakRef<MenuItem> itemRef = item;
    QObject::connect(&action, &QAction::triggered, &action,
                     [windowRef, itemRef] { Choose(windowRef, itemRef); });
    if (const auto command = EditCommandNamed(item->Name()); command && item->AutoEnable())
        edits.Track(&action, *command);
}

// Gives a new menu the item's name and no platform role; its Edit items are brought up to date as it opens.
QMenu& MenuOf(QMenu& menu, const MenuItem& item, EditCommands& edits) {
    menu.setObjectName(ToQString(item.Name()));
    menu.menuAction()->setObjectName(ToQString(item.Name()));
    menu.menuAction()->setMenuRole(QAction::NoRole);
    QObject::connect(&menu, &QMenu::aboutToShow, &edits, &EditCommands::Updated);
    return menu;
}

void Fill(QMenu& menu, const MenuItem& parent, Window& window, EditCommands& edits) {
    for (std::int32_t i = 0; i < parent.Count(); ++i) {
        const Ref<MenuItem> item = parent.Item(i);
        if (!item) continue;
        if (item->IsSeparator()) {
            menu.addSeparator()->setObjectName(ToQString(item->Name()));
            continue;
        }
        if (item->Count() > 0) {
            Fill(MenuOf(*menu.addMenu(ToQString(item->Text())), *item, edits), *item, window, edits);
            continue;
        }
        Bind(*menu.addAction(ToQString(item->Text())), item, window, edits);
    }
}

// Adds an action for every item below `parent` straight to `top`, without menus: their shortcuts work while
// `top` is the active window.
void AddCommands(QWidget& top, const MenuItem& parent, Window& window, EditCommands& edits) {
    for (std::int32_t i = 0; i < parent.Count(); ++i) {
        const Ref<MenuItem> item = parent.Item(i);
        if (!item || item->IsSeparator()) continue;
        if (item->Count() > 0) {
            AddCommands(top, *item, window, edits);
            continue;
        }
        auto* action = new QAction(ToQString(item->Text()), &edits);
        Bind(*action, item, window, edits);
        top.addAction(action);
    }
}

}  // namespace

QMenuBar* BuildMenuBar(Window& window, const MenuBar& bar, QWidget* parent) {
    auto* menuBar = new QMenuBar(parent);
    auto* edits = new EditCommands(parent ? parent->window() : nullptr, menuBar);
    for (std::int32_t i = 0; i < bar.Count(); ++i) {
        const Ref<MenuItem> entry = bar.Item(i);
        if (!entry) continue;
        if (entry->IsSeparator()) {
            menuBar->addSeparator();
            continue;
        }
        Fill(MenuOf(*menuBar->addMenu(ToQString(entry->Text())), *entry, *edits), *entry, window, *edits);
    }
    edits->Update();
    return menuBar;
}

QObject* BuildMenuCommands(Window& window, const MenuBar& bar, QWidget& top) {
    auto* edits = new EditCommands(&top, &top);
    AddCommands(top, bar, window, *edits);
    edits->Update();
    return edits;
}

// ---------------------------------------------------------------------------------------------------------------
// MenuItem and its kinds
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& MenuItem::Lookup() {
    static const ClassDescription description{
        "MenuItem", &Object::Lookup(), [] { return std::make_shared<MenuItem>(); }, {}, {}};
    return description;
}

const ClassDescription& MenuBar::Lookup() {
    static const ClassDescription description{
        "MenuBar", &MenuItem::Lookup(), [] { return std::make_shared<MenuBar>(); }, {}, {}};
    return description;
}

const ClassDescription& AppleMenuItem::Lookup() {
    static const ClassDescription description{
        "AppleMenuItem", &MenuItem::Lookup(), [] { return std::make_shared<AppleMenuItem>(); }, {}, {}};
    return description;
}

const ClassDescription& QuitMenuItem::Lookup() {
    static const ClassDescription description{
        "QuitMenuItem", &MenuItem::Lookup(), [] { return std::make_shared<QuitMenuItem>(); }, {}, {}};
    return description;
}

void MenuItem::Constructor() {
    CheckMainThread("MenuItem.Constructor");
    name_.clear();
    text_.clear();
    shortcut_.clear();
    shortcutSet_ = false;
    autoEnable_ = false;
    children_.clear();
}

void MenuItem::SetName(const std::string& name) {
    CheckMainThread("MenuItem.Name");
    name_ = name;
}

void MenuItem::SetText(const std::string& text) {
    CheckMainThread("MenuItem.Text");
    text_ = text;
}

void MenuItem::SetAutoEnable(bool autoEnable) {
    CheckMainThread("MenuItem.AutoEnable");
    autoEnable_ = autoEnable;
}

void MenuItem::SetKeyboardShortcut(const std::string& shortcut) {
    CheckMainThread("MenuItem.KeyboardShortcut");
    shortcut_ = shortcut;
    shortcutSet_ = true;
}

void MenuItem::Append(const Ref<MenuItem>& child) {
    CheckMainThread("MenuItem.Append");
    Require(child, "the menu item to append");
    if (child.get() == this) throw RuntimeException("a menu item cannot hold itself");
    children_.push_back(child);
}

Ref<MenuItem> MenuItem::Child(std::string_view name) const {
    CheckMainThread("MenuItem.Child");
    for (const Ref<MenuItem>& child : children_) {
        if (child->Name() == name) return child;
    }
    return nullptr;
}

Ref<MenuItem> MenuItem::FindItem(std::string_view name) const {
    CheckMainThread("MenuItem.FindItem");
    for (const Ref<MenuItem>& child : children_) {
        if (child->Name() == name) return child;
        if (Ref<MenuItem> below = child->FindItem(name)) return below;
    }
    return nullptr;
}

std::int32_t MenuItem::Count() const {
    CheckMainThread("MenuItem.Count");
    return static_cast<std::int32_t>(children_.size());
}

Ref<MenuItem> MenuItem::Item(std::int32_t index) const {
    CheckMainThread("MenuItem.Item");
    if (index < 0 || index >= Count()) return nullptr;
    return children_[static_cast<std::size_t>(index)];
}

bool MenuItem::Action() {
    CheckMainThread("MenuItem.Action");
    const std::optional<EditCommand> command = EditCommandNamed(name_);
    if (!command) return false;
    return Act(*command, QApplication::focusWidget());
}

bool QuitMenuItem::Action() {
    CheckMainThread("QuitMenuItem.Action");
    Quit(0);
    return true;
}

}  // namespace platform
