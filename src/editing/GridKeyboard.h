#pragma once

#include "editing/CellEdit.h"
#include "editing/GridModes.h"
#include "editing/GridRules.h"

#include <functional>

class Grid;
class QLineEdit;

// Applies the grid's focus and keyboard rules to the cell widgets: the rules decide, this
// class only moves the focus, the caret and the highlight.
class GridKeyboard : public CellEventHandler
{
public:
    GridKeyboard(ShownSheet &sheet, SearchMark &search, Grid &grid, QLineEdit &searchBox);

    // Caret and extend mode, which the toolbar's actions and a sheet switch end too.
    GridModes &modes() { return m_modes; }

    // Called on F1 in any shift state, before the cell handles the key as any other.
    void setHelpHandler(std::function<void()> handler) { m_help = std::move(handler); }

    void cellFocusGained(CellEdit *cell) override;
    void cellFocusLost(CellEdit *cell) override;
    void cellMousePressed(CellEdit *cell, int button) override;
    bool cellKeyDown(CellEdit *cell, int keyCode, int shift) override;
    bool cellCharacter(CellEdit *cell, int charCode) override;

private:
    GridModes m_modes;
    const GridRules::Context m_rules;
    Grid &m_grid;
    QLineEdit &m_searchBox;
    CellEdit *m_lastFocused = nullptr;
    std::function<void()> m_help;
};
