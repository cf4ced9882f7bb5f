#include "editing/GridRules.h"

#include "editing/AgendaState.h"
#include "model/CellCode.h"
#include "editing/KeyCodes.h"

namespace GridRules {

namespace {

constexpr int CarriageReturn = 13;

int pageFirstRow(int row)
{
    return row <= CellCode::RowsPerPage ? 1 : CellCode::RowsPerPage + 1;
}

int pageLastRow(int row)
{
    return row <= CellCode::RowsPerPage ? CellCode::RowsPerPage : CellCode::RowCount;
}

int rowAbove(int row) { return row == 1 ? CellCode::RowCount : row - 1; }
int rowBelow(int row) { return row == CellCode::RowCount ? 1 : row + 1; }

} // namespace

FocusGainEffect onFocusGained(AgendaState &state, int cell)
{
    Q_ASSERT(CellCode::isValid(cell));
    state.Colonna_Corrente = CellCode::column(cell);
    state.Riga_Corrente = CellCode::row(cell);

    FocusGainEffect effect;
    effect.clearAllHighlights = !state.Estendi_Selezione;
    effect.caretAtEnd = !state.Estendi_Selezione && !state.Modo_Cursore;
    effect.highlight = state.Trovato ? SheetModel::Highlight::Found : SheetModel::Highlight::Selected;

    state.Cella_Corrente = cell;
    return effect;
}

void onFocusLost(AgendaState &state, int cell)
{
    Q_ASSERT(CellCode::isValid(cell));
    if (CellCode::isShort(cell))
        state.Cella_Corrente = cell;
}

bool onMousePressed(AgendaState &state, int cell, int button)
{
    Q_ASSERT(CellCode::isValid(cell));
    state.Modo_Cursore = true;
    state.resetSearch();
    state.Estendi_Selezione = false;
    state.Cella_Corrente = cell;
    return button == 1;
}

bool onCharacter(AgendaState &state, int cell, int charCode)
{
    Q_ASSERT(CellCode::isValid(cell));
    state.resetSearch();
    if (charCode == CarriageReturn)
        return true;
    state.Cella_Corrente = cell;
    return false;
}

KeyOutcome onKeyDown(AgendaState &state, int cell, int keyCode, int shift)
{
    Q_ASSERT(CellCode::isValid(cell));
    const int row = CellCode::row(cell);
    const int column = CellCode::column(cell);
    const bool isShort = CellCode::isShort(cell);

    // Entry steps. A key in a short cell keeps the hit flag, so arrowing through short cells
    // after a search hit keeps painting them green.
    state.Riga_Corrente = row;
    state.Estendi_Selezione = false;
    if (!isShort)
        state.Trovato = false;

    KeyOutcome out;
    int target = cell;
    switch (keyCode) {
    case VK::Return:
        state.Modo_Cursore = false;
        if (isShort) {
            // Runs the long cell's Down in full (its entry clears the hit flag); the short cell's
            // own exit step then writes the same cell again.
            return onKeyDown(state, CellCode::make(CellCode::LongColumn, row), VK::Down, shift);
        }
        target = CellCode::readingNext(cell);
        out.caretAtEnd = true;
        break;
    case VK::Prior:
        state.Modo_Cursore = false;
        target = CellCode::make(column, pageFirstRow(row));
        break;
    case VK::Next:
        state.Modo_Cursore = false;
        target = CellCode::make(column, pageLastRow(row));
        break;
    case VK::Left:
    case VK::Right:
        if (state.Modo_Cursore) {
            out.passToCell = true;
            return out; // the caret moves inside the text; no exit step
        }
        target = keyCode == VK::Left ? CellCode::readingPrevious(cell) : CellCode::readingNext(cell);
        out.caretAtEnd = true;
        break;
    case VK::Up:
        state.Modo_Cursore = false;
        target = CellCode::make(column, rowAbove(row));
        break;
    case VK::Down:
        // Shift alone, not Shift with Ctrl or Alt.
        if (shift == 1)
            state.Estendi_Selezione = true;
        state.Modo_Cursore = false;
        target = CellCode::make(column, rowBelow(row));
        break;
    case VK::F4:
        out.focusSearchBox = true;
        break;
    case VK::Shift:
        out.passToCell = true;
        break;
    default:
        // Every other key, even one that changes no text (Ctrl, Home, End, Escape, F1).
        state.Modificato = true;
        out.passToCell = true;
        break;
    }

    // Page Up in row 1 or Page Down in row 44: the cell keeps the focus, no new focus gain.
    if (target != cell)
        out.focusCell = target;
    out.exitStep = true;
    out.exitCell = target;
    state.Cella_Corrente = target;
    return out;
}

} // namespace GridRules
