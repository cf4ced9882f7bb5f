#pragma once

#include "model/CellCode.h"

// Which sheet the window shows, where the user is in it, and whether it differs from the store.
// The model holds the sheet's contents; this is the window's place in them.
struct ShownSheet
{
    int sheet = 0;         // 0..43
    int row = 0;           // row 1..44 of the current cell
    int column = 0;        // CellCode::LongColumn or ShortColumn; 0 before any cell had the focus
    int lastCell = 0;      // cell code of the last cell used, where the focus goes back to
    bool modified = false; // the sheet on screen differs from the store

    // 0 before any cell had the focus.
    int currentCell() const { return CellCode::ofColumn(column, row); }
};
