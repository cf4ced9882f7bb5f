#include "sheetops/RowOperations.h"

#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "model/SheetModel.h"
#include "model/ShownSheet.h"
#include "platform/MessageBoxes.h"

#include <utility>

namespace {
// A carriage return breaks the line in the box.
const QString InsertQuestion = QStringLiteral(" Nell' ultima riga del foglio sono presenti dei dati.       \r"
                                              " Inserendo una riga tali dati verranno cancellati...   \r\r"
                                              " Vuoi continuare?  ");
const QString RemoveQuestion = QStringLiteral(" Stai per cancellare i dati della riga...   \r\r vuoi continuare?  ");

} // namespace

RowOperations::RowOperations(ShownSheet &sheet, Grid &grid, MessageBoxes &messages,
                             std::function<void()> resetButtons)
    : m_sheet(sheet)
    , m_grid(grid)
    , m_messages(messages)
    , m_resetToolbar(std::move(resetButtons))
{
}

// The sheet counts as changed even when the user then answers No: the next folder switch or
// close offers to save, whatever happened here.
void RowOperations::insertRow()
{
    m_sheet.modified = true;
    const int r = m_sheet.row;
    if (!RowShift::isValidRow(r))
        return;
    RowShift::SheetRows rows = m_grid.model().rows();
    if (!RowShift::hasText(rows.back()) || confirm(InsertQuestion)) {
        RowShift::insertRow(rows, r);
        m_grid.model().replaceRows(rows, QStringLiteral("Inserisci riga"));
    }
    focusLongCell(r);
}

void RowOperations::removeRow()
{
    m_sheet.modified = true;
    const int r = m_sheet.row;
    if (!RowShift::isValidRow(r))
        return;
    RowShift::SheetRows rows = m_grid.model().rows();
    if (!RowShift::hasText(rows[size_t(r - 1)]) || confirm(RemoveQuestion)) {
        RowShift::removeRow(rows, r);
        m_grid.model().replaceRows(rows, QStringLiteral("Togli riga"));
    }
    focusLongCell(r);
}

bool RowOperations::confirm(const QString &question)
{
    const int answer = m_messages.show(question, MsgStyle::YesNo | MsgStyle::Exclamation | MsgStyle::TopMost);
    if (m_resetToolbar)
        m_resetToolbar();
    return answer != MsgAnswer::No;
}

// Always the long cell, whichever column was current. The focus gain makes it the current
// cell and repaints the highlight; a cell that has the focus already gets no new focus gain,
// but its caret still goes to the end.
void RowOperations::focusLongCell(int row)
{
    CellEdit *cell = m_grid.longCellAt(row);
    cell->setFocus(Qt::OtherFocusReason);
    cell->putCaretAtEnd();
}
