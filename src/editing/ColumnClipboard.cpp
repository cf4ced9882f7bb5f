#include "editing/ColumnClipboard.h"

#include "editing/CellEdit.h"
#include "editing/ClipboardText.h"
#include "editing/Grid.h"
#include "editing/GridModes.h"
#include "model/CellCode.h"
#include "model/SheetModel.h"
#include "model/ShownSheet.h"
#include "platform/Clipboard.h"
#include "platform/MessageBoxes.h"

ColumnClipboard::ColumnClipboard(ShownSheet &sheet, GridModes &modes, Grid &grid, Clipboard &clipboard, MessageBoxes &messages)
    : m_sheet(sheet)
    , m_modes(modes)
    , m_grid(grid)
    , m_clipboard(clipboard)
    , m_messages(messages)
{
}

void ColumnClipboard::cutColumn()
{
    putColumnOnClipboard(true);
}

void ColumnClipboard::copyColumn()
{
    putColumnOnClipboard(false);
}

// Copying marks the sheet changed, as every editing action of the toolbar does.
void ColumnClipboard::putColumnOnClipboard(bool cut)
{
    m_sheet.modified = true;
    m_modes.extendSelection = false;
    SheetModel &model = m_grid.model();
    SheetModel::Rows rows = model.rows();
    QStringList texts;
    for (int row = 1; row <= CellCode::RowCount; ++row) {
        const int code = CellCode::ofColumn(m_sheet.column, row);
        if (code == 0 || !model.isSelected(code))
            continue;
        texts << model.cell(code).text;
        if (cut)
            SheetModel::cellIn(rows, code) = CellContent();
    }
    m_clipboard.setText(ClipboardText::columnText(texts));
    if (cut && !texts.isEmpty())
        model.replaceRows(rows, QStringLiteral("Taglia"));
    if (CellEdit *cell = focusCell())
        cell->setFocus(Qt::OtherFocusReason);
}

void ColumnClipboard::pasteColumn()
{
    m_sheet.modified = true;
    m_modes.caretMode = false;
    const QString clipboardText = ClipboardText::unifyLineBreaks(m_clipboard.text());
    if (ClipboardText::hasTab(clipboardText)) {
        m_messages.show(ClipboardText::TabMessage, MsgStyle::OkOnly);
        return;
    }
    SheetModel &model = m_grid.model();
    int target = 0;
    if (model.isSelected(CellCode::make(CellCode::LongColumn, m_sheet.row)))
        target = CellCode::LongColumn;
    else if (model.isSelected(CellCode::make(CellCode::ShortColumn, m_sheet.row)))
        target = CellCode::ShortColumn;
    if (target == 0) {
        m_messages.show(ClipboardText::SelectCellMessage, MsgStyle::OkOnly);
        return;
    }
    const ClipboardText::PastePlan plan = ClipboardText::planPaste(clipboardText, m_sheet.row);
    SheetModel::Rows rows = model.rows();
    for (const ClipboardText::PasteLine &line : plan.lines) {
        const int code = CellCode::make(target, line.row);
        QString &text = SheetModel::cellIn(rows, code).text;
        text = ClipboardText::appendWithinLimit(text, line.text, SheetModel::maxLength(code));
    }
    model.replaceRows(rows, QStringLiteral("Incolla"));
    m_sheet.row = plan.focusRow;
    CellEdit *focus = focusCell();
    focus->putCaretAtEnd();
    focus->setFocus(Qt::OtherFocusReason);
}

// The focus goes back to the column the user was in, which for a paste need not be the column
// that received the text.
CellEdit *ColumnClipboard::focusCell() const
{
    return m_sheet.column == CellCode::ShortColumn ? m_grid.shortCellAt(m_sheet.row)
                                                              : m_grid.longCellAt(m_sheet.row);
}
