#include "editing/CellEdit.h"

#include "editing/CellDescription.h"
#include "editing/CellEntry.h"
#include "editing/CellPainter.h"
#include "editing/KeyCodes.h"
#include "model/CellCode.h"
#include "platform/Clipboard.h"
#include "platform/WinColour.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QUndoStack>

namespace {
int windowsMouseButton(Qt::MouseButtons buttons)
{
    if (buttons & Qt::LeftButton)
        return 1;
    if (buttons & Qt::RightButton)
        return 2;
    if (buttons & Qt::MiddleButton)
        return 4;
    return 0;
}

// Ctrl+Y as on Windows, and the system's own redo keys.
bool isRedoKey(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Redo)
        || (event->key() == Qt::Key_Y && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier);
}

QString menuKeys(QKeySequence::StandardKey key)
{
    return u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
}

// Focus that leaves with the whole window (another program, a message box) or for a popup menu
// has not moved inside the window; the cell keeps its caret and the grid its highlights.
bool leavesWithWindow(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// A theme or high-contrast switch gives the program a new palette. Qt tells the application
// object, but a cell only when its own resolved palette happens to change; every cell must
// hear of it to keep the colours its record holds.
class ApplicationPaletteWatcher : public QObject
{
public:
    static void ensureInstalled()
    {
        static QPointer<ApplicationPaletteWatcher> watcher;
        if (!watcher && qApp) {
            watcher = new ApplicationPaletteWatcher;
            watcher->setParent(qApp);
            qApp->installEventFilter(watcher);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
            for (QWidget *widget : QApplication::allWidgets()) {
                if (auto *cell = qobject_cast<CellEdit *>(widget))
                    cell->refreshColours();
            }
        }
        return false;
    }
};
} // namespace

CellEdit::CellEdit(int cellCode, int maxLength, QWidget *parent)
    : QLineEdit(parent)
    , m_cellCode(cellCode)
    , m_backColour(WinColour::WindowBackground)
{
    setMaxLength(maxLength);
    setFrame(false);
    // A dropped text would change the sheet behind the back of the save question.
    setAcceptDrops(false);
    // The next row covers the bottom three pixels of this one, as on a ruled sheet; keep the
    // text in the part that shows.
    setTextMargins(2, 0, 1, 3);
    // The rewrite comes back here with the storable text, which is the one passed on.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_showingSheetText || !CellEntry::rewriteStorable(*this, text))
            emit cellTextChanged(text);
    });
    ApplicationPaletteWatcher::ensureInstalled();
    applyColours();
}

int CellEdit::row() const
{
    return CellCode::row(m_cellCode);
}

bool CellEdit::isShortCell() const
{
    return CellCode::isShort(m_cellCode);
}

void CellEdit::showText(const QString &shown)
{
    m_showingSheetText = true;
    setText(shown);
    m_showingSheetText = false;
}

void CellEdit::setBackColour(quint32 colour)
{
    if (colour == m_backColour)
        return;
    m_backColour = colour;
    applyColours();
}

void CellEdit::setForeColour(quint32 colour)
{
    if (colour == m_foreColour)
        return;
    m_foreColour = colour;
    applyColours();
    describeLook();
}

void CellEdit::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void CellEdit::setUnderlined(bool underline)
{
    QFont f = font();
    f.setUnderline(underline);
    setFont(f);
}

void CellEdit::applyColours()
{
    QPalette p = palette();
    const QPalette app = QGuiApplication::palette();
    const QColor back = toQColor(m_backColour, app);
    const QColor fore = toQColor(m_foreColour, app);
    // Most cells show just what they inherit; a palette of their own for each would cost
    // memory at every start for nothing. A cell is never disabled, so that group does not count.
    // A palette that shows the colours already is left alone: setting it again costs as much as
    // a new one, and its change event comes back here.
    bool showsThem = true;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        showsThem = showsThem && p.color(group, QPalette::Base) == back && p.color(group, QPalette::Text) == fore;
    if (showsThem)
        return;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, back);
        p.setColor(group, QPalette::Text, fore);
    }
    setPalette(p);
}

void CellEdit::changeEvent(QEvent *event)
{
    // A new palette from the window above: the cell keeps the colours its record holds.
    if (event->type() == QEvent::PaletteChange)
        applyColours();
    // Whatever set the font (the sheet shown, a toggle), a screen reader hears the new look.
    if (event->type() == QEvent::FontChange)
        describeLook();
    QLineEdit::changeEvent(event);
}

bool CellEdit::focusNextPrevChild(bool next)
{
    if (CellEdit *neighbour = m_tabNeighbour ? m_tabNeighbour(next) : nullptr) {
        neighbour->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QLineEdit::focusNextPrevChild(next);
}

void CellEdit::describeLook()
{
    const QString description = CellDescription::of(isBold(), isUnderlined(), m_foreColour);
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void CellEdit::focusInEvent(QFocusEvent *event)
{
    const bool returning = m_focusAway && leavesWithWindow(event->reason());
    m_focusAway = false;
    if (returning) {
        QLineEdit::focusInEvent(event);
        return;
    }
    // The window system reports a press before the focus it brings; Qt the other way round.
    // Run the press first, so that the focus gain sees caret mode and no extend mode.
    if (event->reason() == Qt::MouseFocusReason && m_handler) {
        const int button = windowsMouseButton(QGuiApplication::mouseButtons());
        if (button != 0) {
            m_handler->cellMousePressed(this, button);
            m_pressRunBeforeFocus = true;
        }
    }
    // A line edit reached by Tab selects its whole text, which the next key would replace;
    // a cell keeps its text and puts the caret where the focus rules say.
    const bool byTab = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QFocusEvent plain(QEvent::FocusIn, byTab ? Qt::OtherFocusReason : event->reason());
    QLineEdit::focusInEvent(&plain);
    if (m_handler)
        m_handler->cellFocusGained(this);
}

void CellEdit::focusOutEvent(QFocusEvent *event)
{
    m_focusAway = leavesWithWindow(event->reason());
    QLineEdit::focusOutEvent(event);
    if (m_handler && !m_focusAway)
        m_handler->cellFocusLost(this);
}

void CellEdit::mousePressEvent(QMouseEvent *event)
{
    if (m_handler && !m_pressRunBeforeFocus)
        m_handler->cellMousePressed(this, windowsMouseButton(event->button()));
    m_pressRunBeforeFocus = false;
    QLineEdit::mousePressEvent(event);
}

void CellEdit::keyPressEvent(QKeyEvent *event)
{
    if (!m_handler) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const bool consumed = m_handler->cellKeyDown(this, KeyCodes::windowsKeyCode(event->key(), event->modifiers()),
                                                 KeyCodes::shiftState(event->modifiers()));
    const QString text = event->text();
    bool swallowed = false;
    if (!text.isEmpty())
        swallowed = m_handler->cellCharacter(this, text.at(0).unicode());
    if (consumed || swallowed) {
        event->accept();
        return;
    }
    if (m_undo && event->matches(QKeySequence::Undo)) {
        m_undo->undo();
        event->accept();
        return;
    }
    if (m_undo && isRedoKey(event)) {
        m_undo->redo();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteClipboard(false);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        copyToClipboard(event->matches(QKeySequence::Cut));
        event->accept();
        return;
    }
    if (CellEntry::composeTypedMark(*this, text) || CellEntry::typeStorable(*this, text, event->modifiers())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CellEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The X11 primary selection, pasted by the middle button at the caret, as Qt itself does.
    if (event->button() == Qt::MiddleButton && m_clipboard && m_clipboard->hasSelection()) {
        deselect();
        pasteClipboard(true);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CellEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    // The menu's actions have no names; each entry is known by the keys it shows. Undo and redo
    // are the sheet's, not the cell's own.
    for (QAction *action : menu->actions()) {
        const QString text = action->text();
        if (text.endsWith(menuKeys(QKeySequence::Paste))) {
            action->disconnect(this);
            // Enabled by the clipboard it pastes from, which a test may have replaced.
            action->setEnabled(!isReadOnly() && m_clipboard && !m_clipboard->text().isEmpty());
            connect(action, &QAction::triggered, this, [this] { pasteClipboard(false); });
        } else if (const bool cut = text.endsWith(menuKeys(QKeySequence::Cut));
                   cut || text.endsWith(menuKeys(QKeySequence::Copy))) {
            action->disconnect(this);
            connect(action, &QAction::triggered, this, [this, cut] { copyToClipboard(cut); });
        } else if (m_undo && text.endsWith(menuKeys(QKeySequence::Undo))) {
            action->disconnect(this);
            action->setText(QStringLiteral("&Annulla") + menuKeys(QKeySequence::Undo));
            action->setEnabled(m_undo->canUndo());
            connect(action, &QAction::triggered, m_undo, &QUndoStack::undo);
        } else if (m_undo && text.endsWith(menuKeys(QKeySequence::Redo))) {
            action->disconnect(this);
            action->setText(QStringLiteral("&Ripeti") + menuKeys(QKeySequence::Redo));
            action->setEnabled(m_undo->canRedo());
            connect(action, &QAction::triggered, m_undo, &QUndoStack::redo);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CellEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        CellEntry::makeCommitStorable(*event);
    QLineEdit::inputMethodEvent(event);
}

void CellEdit::pasteClipboard(bool selection)
{
    if (m_clipboard)
        CellEntry::paste(*this, selection ? m_clipboard->selectionText() : m_clipboard->text());
}

void CellEdit::copyToClipboard(bool cut)
{
    if (!m_clipboard || !hasSelectedText())
        return;
    m_clipboard->setText(selectedText());
    if (cut && !isReadOnly())
        del();
}

void CellEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    CellPainter::paintRuling(painter, rect(), palette().color(QPalette::Dark));
}
