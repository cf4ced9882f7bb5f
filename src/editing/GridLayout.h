#pragma once

#include <QRect>

// Where the grid's cells stand on the page, in twips: rows 1..22 on the left page, 23..44 on
// the right page.
QRect longCellRect(int row);
QRect shortCellRect(int row);
