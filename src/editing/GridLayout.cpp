#include "editing/GridLayout.h"

#include "model/CellCode.h"

using CellCode::RowsPerPage;

namespace {
int rowTop(int row)
{
    const int line = row <= RowsPerPage ? row - 1 : row - RowsPerPage - 1;
    return 1080 + line * 240;
}
} // namespace

QRect longCellRect(int row)
{
    return QRect(row <= RowsPerPage ? 120 : 5040, rowTop(row), 3240, 285);
}

QRect shortCellRect(int row)
{
    // The short cells were placed by hand, a few twips apart from page to page.
    return QRect(row <= RowsPerPage ? 3345 : 8265, rowTop(row), 1640, 285);
}
