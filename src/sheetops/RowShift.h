#pragma once

#include "storage/SheetCodec.h"

#include <array>

// Opening and closing a gap in a sheet's 44 rows. The rows form one sequence: the left page's
// last row (22) and the right page's first (23) are neighbours like any other two.
namespace RowShift {

using SheetRows = std::array<RowContent, RowsPerSheet>;

constexpr bool isValidRow(int row) { return row >= 1 && row <= RowsPerSheet; }

// Only text counts as data a shift could lose; a cell that is just bold or coloured does not.
bool hasText(const RowContent &row);

// An empty row opens at `row` and the rows from there on move one down; what row 44 held is
// gone. A row outside 1..44 changes nothing.
void insertRow(SheetRows &rows, int row);

// `row` goes and the rows below it move one up; row 44 is left empty. A row outside 1..44
// changes nothing.
void removeRow(SheetRows &rows, int row);

} // namespace RowShift
