#include "search/SearchBox.h"

#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "editing/GridRules.h"
#include "editing/KeyCodes.h"
#include "model/SheetModel.h"
#include "model/ShownSheet.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenReader.h"
#include "search/SearchPosition.h"
#include "search/SearchText.h"
#include "search/SearchWalk.h"
#include "storage/RowRecord.h"
#include "storage/SheetStore.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <utility>

namespace {

// As many characters as a 16-bit signed count holds, which is also the Windows edit box's
// and QLineEdit's usual limit: a longer paste is cut there rather than searched in part.
constexpr int MaxSearchLength = 32767;

} // namespace

SearchBox::SearchBox(const GridRules::Context &rules, SearchPosition &position, Grid &grid, QLineEdit &searchBox, SheetStore &store,
                     MessageBoxes &messages, Window window, QObject *parent)
    : QObject(parent)
    , m_rules(rules)
    , m_position(position)
    , m_grid(grid)
    , m_box(searchBox)
    , m_store(store)
    , m_messages(messages)
    , m_window(std::move(window))
{
    m_box.setMaxLength(MaxSearchLength);
    m_box.setAccessibleName(QStringLiteral("Testo da cercare"));
    m_box.installEventFilter(this);
    connect(&m_box, &QLineEdit::textChanged, this, &SearchBox::searchTextChanged);
}

void SearchBox::findNext()
{
    if (m_box.text().isEmpty()) {
        m_messages.show(QStringLiteral("  Non hai inserito il testo da cercare    "),
                        MsgStyle::OkOnly | MsgStyle::Exclamation | MsgStyle::TopMost);
        m_box.setFocus(Qt::OtherFocusReason);
        return;
    }
    // Changes that could not be saved stay on screen; walking on would open another sheet.
    if (!m_window.askToSave(m_rules.sheet.sheet))
        return;

    const SearchText text(m_box.text());
    const SearchWalk::Result result = SearchWalk::stepOverStore(m_position, text, m_store);
    switch (result.outcome) {
    case SearchWalk::Outcome::Found:
        showHit(result.hit.record, result.hit.shortCell);
        break;
    case SearchWalk::Outcome::EndOfStore:
        endOfSearch();
        break;
    case SearchWalk::Outcome::ReadFailed:
        m_window.readFailed();
        break;
    }
}

void SearchBox::showHit(int record, bool shortCell)
{
    // Also for the folder shown: the walk read the store, and the grid must show what it read.
    m_window.showSheet(sheetOfRecord(record));
    m_rules.sheet.row = rowOfRecord(record);
    CellEdit *cell = shortCell ? m_grid.shortCellAt(m_rules.sheet.row) : m_grid.longCellAt(m_rules.sheet.row);
    focusHitCell(cell);
    m_box.setFocus(Qt::OtherFocusReason);
    // Said by the box, which holds the focus: the hit cell shows it only in green.
    const QString folder = m_window.folderCaption ? m_window.folderCaption(sheetOfRecord(record)) : QString();
    ScreenReader::announce(&m_box, ScreenReader::searchHitText(folder, cell->cellCode(), cell->text()));
}

// The hit cell becomes the current cell through its focus gain, which paints it green while
// the hit mark holds.
void SearchBox::focusHitCell(CellEdit *cell)
{
    // Away first, so that a cell that held the focus (a step from the toolbar) gains it anew.
    if (cell->hasFocus())
        m_box.setFocus(Qt::OtherFocusReason);
    cell->setFocus(Qt::OtherFocusReason);
    if (cell->hasFocus())
        return;
    // No focus event comes while the window is inactive, as it is for a moment after the save
    // question closes: the focus gain is applied here, or the hit would not show.
    const GridRules::FocusGainEffect effect = GridRules::onFocusGained(m_rules, cell->cellCode());
    if (effect.clearAllHighlights)
        m_grid.model().clearHighlights();
    m_grid.model().setHighlight(cell->cellCode(), effect.highlight);
    cell->setCursorPosition(0);
}

void SearchBox::endOfSearch()
{
    m_messages.show(QStringLiteral("      Fine ricerca del dato:  ") + m_box.text() + QStringLiteral("          "),
                    MsgStyle::OkOnly | MsgStyle::Information | MsgStyle::TopMost);
    m_position.endSearch();
    m_box.setAccessibleDescription(QString());
    m_box.setSelection(0, int(m_box.text().size()));
    m_box.setFocus(Qt::OtherFocusReason);
}

void SearchBox::searchBoxClicked()
{
    m_box.setSelection(0, int(m_box.text().size()));
}

void SearchBox::searchTextChanged()
{
    // The hit mark stays: the next cell to gain the focus still shows as a hit until the user acts.
    m_position.nextRecord = 1;
    m_position.lastHit = 0;
    // The last hit's words are no longer true of a new text.
    m_box.setAccessibleDescription(QString());
    // A hit cell turns yellow, so that it counts as selected for cut and copy.
    m_grid.model().selectFoundCells();
}

bool SearchBox::searchBoxKeyDown(int keyCode, int shift)
{
    Q_UNUSED(shift) // Shift+Enter searches as Enter does
    if (keyCode == VK::Return) {
        findNext();
        return true;
    }
    if (keyCode != VK::Down)
        return false;
    m_grid.model().clearHighlights();
    CellEdit *first = m_grid.longCellAt(1);
    m_grid.model().setHighlight(first->cellCode(), SheetModel::Highlight::Selected);
    m_position.endSearch();
    first->setFocus(Qt::OtherFocusReason);
    // From the caret on: the focus gain has put it at the end, unless the user is in caret mode.
    first->setSelection(first->cursorPosition(), int(first->text().size()));
    return true;
}

bool SearchBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_box) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const int code = KeyCodes::windowsKeyCode(key->key(), key->modifiers());
            if (searchBoxKeyDown(code, KeyCodes::shiftState(key->modifiers()))) {
                event->accept();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonRelease && !m_releasing) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && m_box.rect().contains(mouse->position().toPoint())) {
                // The box's own release handling first: a release over selected text clears the
                // selection, and the whole text must be selected after it.
                m_releasing = true;
                QCoreApplication::sendEvent(&m_box, event);
                m_releasing = false;
                searchBoxClicked();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
