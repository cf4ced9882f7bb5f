#pragma once

#include "storage/RowRecord.h"

// A cell of the grid is named by one number: the row (1..44) for a long cell longCellAt(row), the
// row + 100 (101..144) for a short cell shortCellAt(row). 0 names no cell.
namespace CellCode {

constexpr int RowCount = RowsPerSheet;
constexpr int RowsPerPage = 22;   // rows 1..22 on the left page, 23..44 on the right page
constexpr int CellCount = 2 * RowCount;
constexpr int ShortOffset = 100;
constexpr int LongColumn = 1;
constexpr int ShortColumn = 2;

constexpr int make(int column, int row)
{
    return column == ShortColumn ? row + ShortOffset : row;
}

// The current cell as the shared state names it: column 1 long, 2 short. Any other column
// (0 before a cell ever had the focus) names no cell.
constexpr int ofColumn(int column, int row)
{
    return column == LongColumn || column == ShortColumn ? make(column, row) : 0;
}

// Any code of 100 or more counts as a short cell; this is how a stored code is turned back
// into a cell when the focus is given back.
constexpr bool isShort(int code) { return code >= ShortOffset; }
constexpr int column(int code) { return isShort(code) ? ShortColumn : LongColumn; }
constexpr int row(int code) { return isShort(code) ? code - ShortOffset : code; }

constexpr bool isValid(int code)
{
    return row(code) >= 1 && row(code) <= RowCount;
}

// Reading order: row r and row r + 22 share a visual line, so line L (1..22) shows, left to
// right, longCellAt(L), shortCellAt(L), longCellAt(L + 22), shortCellAt(L + 22). Index 0 is longCellAt(1), 87 shortCellAt(44).
constexpr int readingIndex(int code)
{
    const int line = (row(code) - 1) % RowsPerPage;
    const int page = (row(code) - 1) / RowsPerPage;
    return line * 4 + page * 2 + (isShort(code) ? 1 : 0);
}

constexpr int fromReadingIndex(int index)
{
    const int i = ((index % CellCount) + CellCount) % CellCount;
    const int page = (i % 4) / 2;
    return make(i % 2 == 0 ? LongColumn : ShortColumn, i / 4 + 1 + page * RowsPerPage);
}

constexpr int readingNext(int code) { return fromReadingIndex(readingIndex(code) + 1); }
constexpr int readingPrevious(int code) { return fromReadingIndex(readingIndex(code) - 1); }

} // namespace CellCode
