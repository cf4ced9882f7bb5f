#include "editing/ColumnClipboard.h"

#include "editing/AgendaState.h"
#include "editing/CellCode.h"
#include "editing/CellEdit.h"
#include "editing/ClipboardText.h"
#include "editing/Grid.h"
#include "editing/GridRules.h"
#include "platform/Clipboard.h"
#include "platform/MessageBoxes.h"

ColumnClipboard::ColumnClipboard(AgendaState &state, Grid &grid, Clipboard &clipboard, MessageBoxes &messages)
    : m_state(state)
    , m_grid(grid)
    , m_clipboard(clipboard)
    , m_messages(messages)
{
}

void ColumnClipboard::Taglia()
{
    copyColumn(true);
}

void ColumnClipboard::Copia()
{
    copyColumn(false);
}

// Copying marks the sheet changed, as every editing action of the toolbar does.
void ColumnClipboard::copyColumn(bool cut)
{
    m_state.Modificato = true;
    m_state.Estendi_Selezione = false;
    QStringList texts;
    for (int row = 1; row <= CellCode::RowCount; ++row) {
        CellEdit *cell = cellOf(m_state.Colonna_Corrente, row);
        if (!cell || !isSelected(cell))
            continue;
        texts << cell->text();
        if (cut) {
            cell->setText(QString());
            cell->setBold(false);
            cell->setUnderlined(false);
            cell->setForeColour(0);
        }
    }
    m_clipboard.setText(ClipboardText::columnText(texts));
    if (CellEdit *cell = focusCell())
        cell->setFocus(Qt::OtherFocusReason);
}

void ColumnClipboard::Incolla()
{
    m_state.Modificato = true;
    m_state.Modo_Cursore = false;
    const QString Testo_Appunti = ClipboardText::Annulla_VbCr(m_clipboard.text());
    if (ClipboardText::hasTab(Testo_Appunti)) {
        m_messages.show(ClipboardText::TabMessage, MsgStyle::OkOnly);
        return;
    }
    int target = 0;
    if (isSelected(m_grid.Text1(m_state.Riga_Corrente)))
        target = CellCode::LongColumn;
    else if (isSelected(m_grid.Text2(m_state.Riga_Corrente)))
        target = CellCode::ShortColumn;
    if (target == 0) {
        m_messages.show(ClipboardText::SelectCellMessage, MsgStyle::OkOnly);
        return;
    }
    const ClipboardText::PastePlan plan = ClipboardText::planPaste(Testo_Appunti, m_state.Riga_Corrente);
    for (const ClipboardText::PasteLine &line : plan.lines) {
        CellEdit *cell = cellOf(target, line.row);
        cell->setText(ClipboardText::appendWithinLimit(cell->text(), line.text, cell->maxLength()));
    }
    m_state.Riga_Corrente = plan.focusRow;
    CellEdit *focus = focusCell();
    focus->putCaretAtEnd();
    focus->setFocus(Qt::OtherFocusReason);
}

CellEdit *ColumnClipboard::cellOf(int column, int row) const
{
    if (column == CellCode::LongColumn)
        return m_grid.Text1(row);
    if (column == CellCode::ShortColumn)
        return m_grid.Text2(row);
    return nullptr;
}

bool ColumnClipboard::isSelected(const CellEdit *cell) const
{
    return cell && cell->backColour() == GridRules::SelectionYellow;
}

// The focus goes back to the column the user was in, which for a paste need not be the column
// that received the text.
CellEdit *ColumnClipboard::focusCell() const
{
    return m_state.Colonna_Corrente == CellCode::ShortColumn ? m_grid.Text2(m_state.Riga_Corrente)
                                                              : m_grid.Text1(m_state.Riga_Corrente);
}
