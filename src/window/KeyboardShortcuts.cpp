#include "window/KeyboardShortcuts.h"

#include "model/ShownSheet.h"
#include "window/FolderOrder.h"
#include "window/FolderTabs.h"
#include "window/Toolbar.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

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
        if (action == ToolbarAction::Help)
            continue;
        auto *shortcut = new QShortcut(window);
        shortcut->setKeys(keysFor(action));
        // Held down, a key would insert rows or open boxes one after another.
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, [this, action] { runAction(action); });
        m_taken += keysFor(action);
    }
    addShortcut({QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, &KeyboardShortcuts::nextFolder);
    addShortcut({QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, &KeyboardShortcuts::previousFolder);
    addShortcut({QKeySequence(Qt::Key_F6)}, &KeyboardShortcuts::nextArea);
    addShortcut({QKeySequence(Qt::SHIFT | Qt::Key_F6)}, &KeyboardShortcuts::previousArea);
    addShortcut({exchangeMenuKey()}, &KeyboardShortcuts::requestExchangeMenu);

    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        box->installEventFilter(this);
    m_toolbar.strip()->installEventFilter(this);
    m_tabs.tabList()->installEventFilter(this);

    // The focus chain is a ring through the window: cells, search box, then the toolbar and the
    // tabs, made first, each one stop. The first cell is what the window starts in.
    if (!window->focusWidget()) {
        if (QWidget *first = window->findChild<QWidget *>(QStringLiteral("Text1_1")))
            first->setFocus(Qt::OtherFocusReason);
    }
}

void KeyboardShortcuts::addShortcut(const QList<QKeySequence> &keys, void (KeyboardShortcuts::*slot)())
{
    auto *shortcut = new QShortcut(m_window);
    shortcut->setKeys(keys);
    connect(shortcut, &QShortcut::activated, this, &KeyboardShortcuts::forgetModifierPress);
    connect(shortcut, &QShortcut::activated, this, slot);
    m_taken += keys;
}

void KeyboardShortcuts::forgetModifierPress()
{
    // Still held: the press was this key's, not a Ctrl pressed alone and let go before.
    const bool held = QGuiApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (m_modifierPressed && held)
        m_sheet.modified = m_changedBeforeModifier;
    m_modifierPressed = false;
}

void KeyboardShortcuts::runAction(ToolbarAction action)
{
    forgetModifierPress();
    emit actionRequested(action);
}

bool KeyboardShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    // Eaten unaccepted, the override lets the window's shortcut have the key.
    if (event->type() == QEvent::ShortcutOverride && m_taken.contains(plain(static_cast<QKeyEvent *>(event)))) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool modifier = key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
        if (modifier && !m_modifierPressed)
            m_changedBeforeModifier = m_sheet.modified;
        m_modifierPressed = modifier || (m_modifierPressed && key == Qt::Key_Shift);
    }
    // Keys that the toolbar's buttons and the tabs pass on; the cells and the search box
    // handle these themselves.
    if (event->type() == QEvent::KeyPress && (watched == m_toolbar.strip() || watched == m_tabs.tabList())) {
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
    return QObject::eventFilter(watched, event);
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
