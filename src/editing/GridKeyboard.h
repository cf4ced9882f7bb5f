#pragma once

#include "editing/CellEdit.h"

class Grid;
class QLineEdit;
struct AgendaState;

// Applies the grid's focus and keyboard rules to the cell widgets: the rules decide, this
// class only moves the focus, the caret and the highlight.
class GridKeyboard : public CellEventHandler
{
public:
    GridKeyboard(AgendaState &state, Grid &grid, QLineEdit &searchBox);

    void cellFocusGained(CellEdit *cell) override;
    void cellFocusLost(CellEdit *cell) override;
    void cellMousePressed(CellEdit *cell, int button) override;
    bool cellKeyDown(CellEdit *cell, int keyCode, int shift) override;
    bool cellCharacter(CellEdit *cell, int charCode) override;

private:
    AgendaState &m_state;
    Grid &m_grid;
    QLineEdit &m_searchBox;
    CellEdit *m_lastFocused = nullptr;
};
