#pragma once

#include "storage/SheetCodec.h"

#include <QtGlobal>

#include <array>

class CellEdit;
class CellEventHandler;
class QWidget;

// The 88 cells of the sheet: Text1(1..44), the long cells, and Text2(1..44), the short ones.
// They are the only copy in memory of the sheet being shown.
class Grid
{
public:
    Grid(QWidget *window, qreal logicalDpi);

    CellEdit *Text1(int row) const;
    CellEdit *Text2(int row) const;
    // A cell code names the long cell of a row (1..44) or its short cell (row + 100); else null.
    CellEdit *cell(int cellCode) const;

    void setHandler(CellEventHandler *handler);
    // Every cell back to the normal background, long then short cell, row by row.
    void clearHighlights();
    // Gives the focus to the cell a code names; 0 names none.
    void focusCell(int cellCode);

    QWidget *lastInTabOrder() const;

    // What the 44 rows hold, as a save or a row shift takes it: text, bold, underline, colour.
    std::array<RowContent, RowsPerSheet> sheetRows() const;

private:
    std::array<CellEdit *, 44> m_long{};
    std::array<CellEdit *, 44> m_short{};
};
