#pragma once

#include "sheetops/RowShift.h"

#include <QString>

#include <functional>

class Grid;
class MessageBoxes;
struct ShownSheet;

// Inserts or removes a row of the sheet shown, at the current row. Only the sheet model
// changes; the store sees the result when the sheet is saved.
class RowOperations
{
public:
    // resetButtons returns the toolbar to its idle look once a question has been answered.
    RowOperations(ShownSheet &sheet, Grid &grid, MessageBoxes &messages, std::function<void()> resetButtons);

    void insertRow();
    void removeRow();

private:
    // False when the user answered No.
    bool confirm(const QString &question);
    void focusLongCell(int row);

    ShownSheet &m_sheet;
    Grid &m_grid;
    MessageBoxes &m_messages;
    std::function<void()> m_resetToolbar;
};
