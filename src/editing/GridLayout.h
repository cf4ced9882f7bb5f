#pragma once

#include <QRect>

// Where the grid's cells stand on the page, in twips: rows 1..22 on the left page, 23..44 on
// the right page.
constexpr int GridRows = 44;
constexpr int RowsPerPage = 22;
constexpr int LongCellMaxLength = 100;
constexpr int ShortCellMaxLength = 40;
QRect longCellRect(int row);
QRect shortCellRect(int row);
