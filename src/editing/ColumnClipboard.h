#pragma once

class CellEdit;
class Clipboard;
class Grid;
class MessageBoxes;
struct GridModes;
struct ShownSheet;

// Cut, copy and paste of whole cells, one column at a time, through the system clipboard.
// The selection is the sheet model's set of selected cells.
class ColumnClipboard
{
public:
    ColumnClipboard(ShownSheet &sheet, GridModes &modes, Grid &grid, Clipboard &clipboard, MessageBoxes &messages);

    void cutColumn();
    void copyColumn();
    void pasteColumn();

private:
    void putColumnOnClipboard(bool cut);
    // The cell of the current row in the current column: the long one unless it is the short.
    CellEdit *focusCell() const;

    ShownSheet &m_sheet;
    GridModes &m_modes;
    Grid &m_grid;
    Clipboard &m_clipboard;
    MessageBoxes &m_messages;
};
