#pragma once

class CellEdit;
class Clipboard;
class Grid;
class MessageBoxes;
struct AgendaState;

// Cut, copy and paste of whole cells, one column at a time, through the system clipboard.
// The selection is the sheet model's set of selected cells.
class ColumnClipboard
{
public:
    ColumnClipboard(AgendaState &state, Grid &grid, Clipboard &clipboard, MessageBoxes &messages);

    void Taglia();
    void Copia();
    void Incolla();

private:
    void copyColumn(bool cut);
    // The cell of the current row in the current column: the long one unless it is the short.
    CellEdit *focusCell() const;

    AgendaState &m_state;
    Grid &m_grid;
    Clipboard &m_clipboard;
    MessageBoxes &m_messages;
};
