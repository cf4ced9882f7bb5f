#include "editing/GridKeyboard.h"

#include "editing/Grid.h"
#include "editing/GridRules.h"
#include "editing/KeyCodes.h"
#include "model/SheetModel.h"
#include "model/ShownSheet.h"

#include <QLineEdit>

GridKeyboard::GridKeyboard(ShownSheet &sheet, SearchMark &search, Grid &grid, QLineEdit &searchBox)
    : m_rules{sheet, m_modes, search}
    , m_grid(grid)
    , m_searchBox(searchBox)
{
}

void GridKeyboard::cellFocusGained(CellEdit *cell)
{
    // The focus moved while the window was inactive (just after a message box): the cell it
    // left never heard of it, so it loses the focus now.
    if (m_lastFocused && m_lastFocused != cell && m_lastFocused->focusLeftWithWindow()) {
        m_lastFocused->clearFocusLeftWithWindow();
        cellFocusLost(m_lastFocused);
    }
    m_lastFocused = cell;
    const GridRules::FocusGainEffect effect = GridRules::onFocusGained(m_rules, cell->cellCode());
    if (effect.clearAllHighlights)
        m_grid.model().clearHighlights();
    if (effect.caretAtEnd)
        cell->putCaretAtEnd();
    m_grid.model().setHighlight(cell->cellCode(), effect.highlight);
}

void GridKeyboard::cellFocusLost(CellEdit *cell)
{
    // A long text shows from its beginning again once the user has left it.
    cell->setCursorPosition(0);
    GridRules::onFocusLost(m_rules, cell->cellCode());
}

void GridKeyboard::cellMousePressed(CellEdit *cell, int button)
{
    if (GridRules::onMousePressed(m_rules, cell->cellCode(), button))
        cell->deselect();
}

bool GridKeyboard::cellKeyDown(CellEdit *cell, int keyCode, int shift)
{
    // The window sees F1 before the cell does, and the cell still gets it afterwards.
    if (keyCode == VK::F1 && m_help)
        m_help();
    const GridRules::KeyOutcome outcome = GridRules::onKeyDown(m_rules, cell->cellCode(), keyCode, shift);
    if (outcome.focusSearchBox) {
        m_searchBox.setSelection(0, int(m_searchBox.text().size()));
        m_searchBox.setFocus(Qt::OtherFocusReason);
    }
    if (CellEdit *target = m_grid.cell(outcome.focusCell)) {
        target->setFocus(Qt::OtherFocusReason);
        if (outcome.caretAtEnd)
            target->putCaretAtEnd();
    }
    if (outcome.exitStep)
        m_rules.sheet.lastCell = outcome.exitCell;
    return !outcome.passToCell;
}

bool GridKeyboard::cellCharacter(CellEdit *cell, int charCode)
{
    return GridRules::onCharacter(m_rules, cell->cellCode(), charCode);
}
