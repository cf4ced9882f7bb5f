#include "sheetops/RowOperations.h"

#include "editing/AgendaState.h"
#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "platform/MessageBoxes.h"

#include <utility>

namespace {
// A carriage return breaks the line in the box.
const QString InsertQuestion = QStringLiteral(" Nell' ultima riga del foglio sono presenti dei dati.       \r"
                                              " Inserendo una riga tali dati verranno cancellati...   \r\r"
                                              " Vuoi continuare?  ");
const QString RemoveQuestion = QStringLiteral(" Stai per cancellare i dati della riga...   \r\r vuoi continuare?  ");

// A text put into a cell shows from its beginning, as after the user has left the cell.
void setCellText(CellEdit *cell, const QString &text)
{
    cell->setText(text);
    cell->setCursorPosition(0);
}
} // namespace

RowOperations::RowOperations(AgendaState &state, Grid &grid, MessageBoxes &messages,
                             std::function<void()> Azzera_Pulsanti)
    : m_state(state)
    , m_grid(grid)
    , m_messages(messages)
    , m_resetToolbar(std::move(Azzera_Pulsanti))
{
}

// The sheet counts as changed even when the user then answers No: the next folder switch or
// close offers to save, whatever happened here.
void RowOperations::Inserisci_Riga()
{
    m_state.Modificato = true;
    const int r = m_state.Riga_Corrente;
    if (!RowShift::isValidRow(r))
        return;
    RowShift::SheetRows rows = m_grid.sheetRows();
    if (!RowShift::hasText(rows.back()) || confirm(InsertQuestion)) {
        RowShift::insertRow(rows, r);
        for (int i = RowsPerSheet; i > r; --i)
            writeRow(i, rows[size_t(i - 1)], ItemOrder::TextFirst);
        writeRow(r, rows[size_t(r - 1)], ItemOrder::TextLast);
    }
    focusLongCell(r);
}

void RowOperations::Togli_Riga()
{
    m_state.Modificato = true;
    const int r = m_state.Riga_Corrente;
    if (!RowShift::isValidRow(r))
        return;
    RowShift::SheetRows rows = m_grid.sheetRows();
    if (!RowShift::hasText(rows[size_t(r - 1)]) || confirm(RemoveQuestion)) {
        RowShift::removeRow(rows, r);
        for (int i = r; i <= RowsPerSheet; ++i)
            writeRow(i, rows[size_t(i - 1)], ItemOrder::TextFirst);
    }
    focusLongCell(r);
}

bool RowOperations::confirm(const QString &question)
{
    m_state.Risposta = m_messages.show(question, MsgStyle::YesNo | MsgStyle::Exclamation | MsgStyle::TopMost);
    if (m_resetToolbar)
        m_resetToolbar();
    return m_state.Risposta != MsgAnswer::No;
}

// Item by item, both cells at each step: the texts, the bold, the underline, the colours. An
// inserted row is emptied the other way round, its look first and its texts last.
void RowOperations::writeRow(int row, const RowContent &content, ItemOrder order)
{
    CellEdit *longCell = m_grid.Text1(row);
    CellEdit *shortCell = m_grid.Text2(row);
    if (order == ItemOrder::TextFirst) {
        setCellText(longCell, content.longCell.text);
        setCellText(shortCell, content.shortCell.text);
    }
    longCell->setBold(content.longCell.font.bold);
    shortCell->setBold(content.shortCell.font.bold);
    longCell->setUnderlined(content.longCell.font.underline);
    shortCell->setUnderlined(content.shortCell.font.underline);
    longCell->setForeColour(content.longCell.colour);
    shortCell->setForeColour(content.shortCell.colour);
    if (order == ItemOrder::TextLast) {
        setCellText(longCell, content.longCell.text);
        setCellText(shortCell, content.shortCell.text);
    }
}

// Always the long cell, whichever column was current. The focus gain makes it the current
// cell and repaints the highlight; a cell that has the focus already gets no new focus gain,
// but its caret still goes to the end.
void RowOperations::focusLongCell(int row)
{
    CellEdit *cell = m_grid.Text1(row);
    cell->setFocus(Qt::OtherFocusReason);
    cell->putCaretAtEnd();
}
