#include "window/KeyboardShortcuts.h"

#include "model/ShownSheet.h"
#include "window/FolderOrder.h"
#include "window/FolderTabs.h"
#include "window/Toolbar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {
enum Area { Sheet, Tools, Tabs, AreaCount };

// Ctrl+Shift for the column's cut, copy and paste: Ctrl+X, Ctrl+C and Ctrl+V are a cell's own.
QList<QKeySequence> ctrlShift(Qt::Key key) { return {QKeySequence(Qt::CTRL | Qt::SHIFT | key)}; }

QKeySequence plain(const QKeyEvent *key)
{
    return QKeySequence(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
}
} // namespace

QList<QKeySequence> KeyboardShortcuts::keysFor(ToolbarAction action)
{
    switch (action) {
    case ToolbarAction::Save: return QKeySequence::keyBindings(QKeySequence::Save);
    case ToolbarAction::Cut: return ctrlShift(Qt::Key_X);
    case ToolbarAction::Copy: return ctrlShift(Qt::Key_C);
    case ToolbarAction::Paste: return ctrlShift(Qt::Key_V);
    case ToolbarAction::Bold: return QKeySequence::keyBindings(QKeySequence::Bold);
    case ToolbarAction::Underline: return QKeySequence::keyBindings(QKeySequence::Underline);
    case ToolbarAction::InsertRow: return {QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case ToolbarAction::RemoveRow: return {QKeySequence(Qt::CTRL | Qt::Key_Delete)};
    case ToolbarAction::TextColour: return {QKeySequence(Qt::CTRL | Qt::Key_T)};
    case ToolbarAction::Search: return {QKeySequence(Qt::Key_F3)};
    case ToolbarAction::ColourOptions: return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case ToolbarAction::Help: return {QKeySequence(Qt::Key_F1)};
    case ToolbarAction::Close: return {QKeySequence(Qt::ALT | Qt::Key_F4)};
    }
    return {};
}

KeyboardShortcuts::KeyboardShortcuts(QWidget *window, Toolbar &toolbar, FolderTabs &tabs, QLineEdit *searchBox,
                                     ShownSheet &sheet)
    : QObject(window)
    , m_window(window)
    , m_toolbar(toolbar)
    , m_tabs(tabs)
    , m_searchBox(searchBox)
    , m_sheet(sheet)
{
    for (int i = 0; i < ToolbarActionCount; ++i) {
        const ToolbarAction action = toolbarAction(i);
        // Held down, a key would insert rows or open boxes one after another.
        if (action != ToolbarAction::Help)
            m_bindings.push_back({keysFor(action), false, [this, action] { emit actionRequested(action); }});
    }
    m_bindings.push_back({{QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, true, [this] { nextFolder(); }});
    m_bindings.push_back({{QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, true, [this] { previousFolder(); }});
    m_bindings.push_back({{QKeySequence(Qt::Key_F6)}, true, [this] { moveArea(1); }});
    m_bindings.push_back({{QKeySequence(Qt::SHIFT | Qt::Key_F6)}, true, [this] { moveArea(-1); }});
    m_bindings.push_back({{exchangeMenuKey()}, true, [this] { emit exchangeMenuRequested(); }});

    // Every key of the window passes here before the widget with the focus sees it, the cells
    // made later included, so a cell's own editing never takes one of the window's keys.
    qApp->installEventFilter(this);

    // The focus chain is a ring through the window: cells, search box, then the toolbar and the
    // tabs, made first, each one stop. The first cell is what the window starts in.
    if (!window->focusWidget()) {
        if (QWidget *first = window->findChild<QWidget *>(QStringLiteral("Text1_1")))
            first->setFocus(Qt::OtherFocusReason);
    }
}

void KeyboardShortcuts::forgetModifierPress()
{
    // Still held: the press was this key's, not a Ctrl pressed alone and let go before.
    const bool held = QGuiApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (m_modifierPressed && held)
        m_sheet.modified = m_changedBeforeModifier;
    m_modifierPressed = false;
}

const KeyboardShortcuts::Binding *KeyboardShortcuts::bindingFor(const QKeyEvent *key) const
{
    const QKeySequence pressed = plain(key);
    for (const Binding &binding : m_bindings) {
        if (binding.keys.contains(pressed))
            return &binding;
    }
    return nullptr;
}

bool KeyboardShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // A dialog's or a menu's keys are their own.
    const auto *widget = qobject_cast<const QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    if (const Binding *binding = bindingFor(static_cast<QKeyEvent *>(event))) {
        if (binding->repeats || !static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            forgetModifierPress();
            binding->run();
        }
        return true;
    }
    if (qobject_cast<const QLineEdit *>(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool modifier = key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
        if (modifier && !m_modifierPressed)
            m_changedBeforeModifier = m_sheet.modified;
        m_modifierPressed = modifier || (m_modifierPressed && key == Qt::Key_Shift);
    }
    // Keys that the toolbar's buttons and the tabs pass on; the cells and the search box
    // handle these themselves.
    if (watched == m_toolbar.strip() || watched == m_tabs.tabList()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1) {
            emit actionRequested(ToolbarAction::Help);
            return true;
        }
        if (key->key() == Qt::Key_F4) {
            m_searchBox->selectAll();
            m_searchBox->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

void KeyboardShortcuts::moveArea(int step)
{
    const QWidget *focus = m_window->focusWidget();
    int area = Sheet;
    if (focus && (focus == m_searchBox || m_toolbar.strip()->isAncestorOf(focus)))
        area = Tools;
    else if (focus && m_tabs.tabList()->isAncestorOf(focus))
        area = Tabs;
    switch ((area + step + AreaCount) % AreaCount) {
    case Tools: m_toolbar.focusButton()->setFocus(Qt::OtherFocusReason); break;
    case Tabs: m_tabs.focusTab()->setFocus(Qt::OtherFocusReason); break;
    default: emit sheetFocusRequested(); break;
    }
}

void KeyboardShortcuts::nextFolder()
{
    emit folderRequested(folderAfter(m_sheet.sheet, 1));
}

void KeyboardShortcuts::previousFolder()
{
    emit folderRequested(folderAfter(m_sheet.sheet, -1));
}
