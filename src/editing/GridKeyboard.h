#pragma once

#include "editing/CellEdit.h"

#include <functional>

class Grid;
class QLineEdit;
struct AgendaState;

// Applies the grid's focus and keyboard rules to the cell widgets: the rules decide, this
// class only moves the focus, the caret and the highlight.
class GridKeyboard : public CellEventHandler
{
public:
    GridKeyboard(AgendaState &state, Grid &grid, QLineEdit &searchBox);

    // Called on F1 in any shift state, before the cell handles the key as any other.
    void setHelpHandler(std::function<void()> handler) { m_help = std::move(handler); }

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
    std::function<void()> m_help;
};
