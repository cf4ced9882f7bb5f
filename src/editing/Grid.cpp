#include "editing/Grid.h"

#include "editing/CellEdit.h"
#include "editing/GridLayout.h"
#include "model/CellCode.h"
#include "model/SheetModel.h"
#include "model/VisibleText.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QScopedValueRollback>
#include <QWidget>

namespace {
quint32 backgroundOf(SheetModel::Highlight highlight)
{
    switch (highlight) {
    case SheetModel::Highlight::Selected: return CellBackground::Selected;
    case SheetModel::Highlight::Found: return CellBackground::Found;
    case SheetModel::Highlight::None: break;
    }
    return WinColour::WindowBackground;
}
} // namespace

Grid::Grid(QWidget *window, qreal logicalDpi, SheetModel &model)
    : m_model(model)
    , m_connections(std::make_unique<QObject>())
{
    // Created row by row, so that each row lies over the bottom edge of the row above.
    for (int row = 1; row <= CellCode::RowCount; ++row) {
        auto *longCell = new CellEdit(row, LongTextLength, window);
        longCell->setObjectName(QStringLiteral("Text1_%1").arg(row));
        longCell->setAccessibleName(QStringLiteral("Riga %1, testo lungo").arg(row));
        longCell->setGeometry(twipsToPixels(longCellRect(row), logicalDpi));
        auto *shortCell = new CellEdit(row + CellCode::ShortOffset, ShortTextLength, window);
        shortCell->setObjectName(QStringLiteral("Text2_%1").arg(row));
        shortCell->setAccessibleName(QStringLiteral("Riga %1, testo breve").arg(row));
        shortCell->setGeometry(twipsToPixels(shortCellRect(row), logicalDpi));
        m_long[size_t(row - 1)] = longCell;
        m_short[size_t(row - 1)] = shortCell;
    }
    QWidget *previous = nullptr;
    for (int row = 1; row <= CellCode::RowCount; ++row) {
        for (CellEdit *cell : {longCellAt(row), shortCellAt(row)}) {
            if (previous)
                QWidget::setTabOrder(previous, cell);
            previous = cell;
            cell->setUndoStack(&m_model.undoStack());
            const int code = cell->cellCode();
            QObject::connect(cell, &QLineEdit::textChanged, m_connections.get(),
                             [this, code](const QString &text) { takeEdit(code, text); });
        }
    }
    QObject::connect(&m_model, &SheetModel::dataChanged, m_connections.get(),
                     [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                         showRows(topLeft.row() + 1, bottomRight.row() + 1);
                     });
    showRows(1, CellCode::RowCount);
}

Grid::~Grid() = default;

CellEdit *Grid::longCellAt(int row) const
{
    return row >= 1 && row <= CellCode::RowCount ? m_long[size_t(row - 1)] : nullptr;
}

CellEdit *Grid::shortCellAt(int row) const
{
    return row >= 1 && row <= CellCode::RowCount ? m_short[size_t(row - 1)] : nullptr;
}

CellEdit *Grid::cell(int cellCode) const
{
    return CellCode::isShort(cellCode) ? shortCellAt(CellCode::row(cellCode)) : longCellAt(cellCode);
}

void Grid::setHandler(CellEventHandler *handler)
{
    for (int row = 1; row <= CellCode::RowCount; ++row) {
        longCellAt(row)->setHandler(handler);
        shortCellAt(row)->setHandler(handler);
    }
}

void Grid::focusCell(int cellCode)
{
    if (CellEdit *target = cell(cellCode))
        target->setFocus(Qt::OtherFocusReason);
}

QWidget *Grid::lastInTabOrder() const
{
    return shortCellAt(CellCode::RowCount);
}

void Grid::showRows(int firstRow, int lastRow)
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    for (int row = firstRow; row <= lastRow; ++row) {
        showCell(CellCode::make(CellCode::LongColumn, row));
        showCell(CellCode::make(CellCode::ShortColumn, row));
    }
}

void Grid::showCell(int cellCode)
{
    CellEdit *target = cell(cellCode);
    const CellContent &content = m_model.cell(cellCode);
    const QString shown = VisibleText::shown(content.text);
    const bool newText = target->text() != shown;
    QFont font = target->font();
    font.setBold(content.font.bold);
    font.setUnderline(content.font.underline);
    // Every change of font or text lays the cell's text out again, the costliest part of a
    // folder switch: when both change, the font changes while the cell is empty.
    if (font != target->font()) {
        if (newText)
            target->showText(QString());
        target->setFont(font);
    }
    if (newText) {
        const int caret = target->cursorPosition();
        const bool sameLength = target->text().size() == shown.size();
        target->showText(shown);
        // setText leaves the caret after the last character, which scrolls a long text to its
        // end; a cell the user is not in shows its beginning. In the cell the user is typing
        // in, a character just turned into its mark leaves the caret where it was.
        if (target->window()->focusWidget() != target)
            target->setCursorPosition(0);
        else if (sameLength)
            target->setCursorPosition(caret);
    }
    target->setForeColour(content.colour);
    target->setBackColour(backgroundOf(m_model.highlight(cellCode)));
}

void Grid::takeEdit(int cellCode, const QString &shownText)
{
    if (m_showing)
        return;
    const QString &stored = m_model.cell(cellCode).text;
    if (shownText == VisibleText::shown(stored))
        return;
    m_model.editText(cellCode, VisibleText::storedAfterEdit(stored, shownText));
}
