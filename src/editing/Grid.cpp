#include "editing/Grid.h"

#include "editing/CellEdit.h"
#include "editing/GridLayout.h"
#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QWidget>

Grid::Grid(QWidget *window, qreal logicalDpi)
{
    // Created row by row, so that each row lies over the bottom edge of the row above.
    for (int row = 1; row <= GridRows; ++row) {
        auto *longCell = new CellEdit(row, LongCellMaxLength, window);
        longCell->setObjectName(QStringLiteral("Text1_%1").arg(row));
        longCell->setAccessibleName(QStringLiteral("Riga %1, cella lunga").arg(row));
        longCell->setGeometry(twipsToPixels(longCellRect(row), logicalDpi));
        auto *shortCell = new CellEdit(row + 100, ShortCellMaxLength, window);
        shortCell->setObjectName(QStringLiteral("Text2_%1").arg(row));
        shortCell->setAccessibleName(QStringLiteral("Riga %1, cella corta").arg(row));
        shortCell->setGeometry(twipsToPixels(shortCellRect(row), logicalDpi));
        m_long[size_t(row - 1)] = longCell;
        m_short[size_t(row - 1)] = shortCell;
    }
    QWidget *previous = nullptr;
    for (int row = 1; row <= GridRows; ++row) {
        for (QWidget *cell : {static_cast<QWidget *>(Text1(row)), static_cast<QWidget *>(Text2(row))}) {
            if (previous)
                QWidget::setTabOrder(previous, cell);
            previous = cell;
        }
    }
}

CellEdit *Grid::Text1(int row) const
{
    return row >= 1 && row <= GridRows ? m_long[size_t(row - 1)] : nullptr;
}

CellEdit *Grid::Text2(int row) const
{
    return row >= 1 && row <= GridRows ? m_short[size_t(row - 1)] : nullptr;
}

CellEdit *Grid::cell(int cellCode) const
{
    return cellCode >= 100 ? Text2(cellCode - 100) : Text1(cellCode);
}

void Grid::setHandler(CellEventHandler *handler)
{
    for (int row = 1; row <= GridRows; ++row) {
        Text1(row)->setHandler(handler);
        Text2(row)->setHandler(handler);
    }
}

void Grid::clearHighlights()
{
    for (int row = 1; row <= GridRows; ++row) {
        Text1(row)->setBackColour(WinColour::WindowBackground);
        Text2(row)->setBackColour(WinColour::WindowBackground);
    }
}

void Grid::focusCell(int cellCode)
{
    if (CellEdit *target = cell(cellCode))
        target->setFocus(Qt::OtherFocusReason);
}

QWidget *Grid::lastInTabOrder() const
{
    return Text2(GridRows);
}

std::array<RowContent, RowsPerSheet> Grid::sheetRows() const
{
    const auto contentOf = [](const CellEdit *cell) {
        CellContent content;
        content.text = cell->text();
        content.font.bold = cell->isBold();
        content.font.underline = cell->isUnderlined();
        content.colour = cell->foreColour();
        return content;
    };
    std::array<RowContent, RowsPerSheet> rows;
    for (int row = 1; row <= RowsPerSheet; ++row)
        rows[size_t(row - 1)] = {contentOf(Text1(row)), contentOf(Text2(row))};
    return rows;
}
