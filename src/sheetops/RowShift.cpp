#include "sheetops/RowShift.h"

#include <algorithm>

namespace RowShift {

bool hasText(const RowContent &row)
{
    return !row.longCell.text.isEmpty() || !row.shortCell.text.isEmpty();
}

void insertRow(SheetRows &rows, int row)
{
    if (!isValidRow(row))
        return;
    const auto at = rows.begin() + (row - 1);
    std::move_backward(at, rows.end() - 1, rows.end());
    *at = RowContent();
}

void removeRow(SheetRows &rows, int row)
{
    if (!isValidRow(row))
        return;
    std::move(rows.begin() + row, rows.end(), rows.begin() + (row - 1));
    rows.back() = RowContent();
}

} // namespace RowShift
