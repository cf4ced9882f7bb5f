#include "editing/GridRules.h"

#include "editing/GridModes.h"
#include "editing/SearchMark.h"
#include "model/CellCode.h"
#include "model/ShownSheet.h"
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

FocusGainEffect onFocusGained(const Context &context, int cell)
{
    Q_ASSERT(CellCode::isValid(cell));
    context.sheet.column = CellCode::column(cell);
    context.sheet.row = CellCode::row(cell);

    FocusGainEffect effect;
    effect.clearAllHighlights = !context.modes.extendSelection;
    effect.caretAtEnd = !context.modes.extendSelection && !context.modes.caretMode;
    effect.highlight = context.search.hitShown() ? SheetModel::Highlight::Found : SheetModel::Highlight::Selected;

    context.sheet.lastCell = cell;
    return effect;
}

void onFocusLost(const Context &context, int cell)
{
    Q_ASSERT(CellCode::isValid(cell));
    if (CellCode::isShort(cell))
        context.sheet.lastCell = cell;
}

bool onMousePressed(const Context &context, int cell, int button)
{
    Q_ASSERT(CellCode::isValid(cell));
    context.modes.caretMode = true;
    context.search.endSearch();
    context.modes.extendSelection = false;
    context.sheet.lastCell = cell;
    return button == 1;
}

bool onCharacter(const Context &context, int cell, int charCode)
{
    Q_ASSERT(CellCode::isValid(cell));
    context.search.endSearch();
    if (charCode == CarriageReturn)
        return true;
    context.sheet.lastCell = cell;
    return false;
}

KeyOutcome onKeyDown(const Context &context, int cell, int keyCode, int shift)
{
    Q_ASSERT(CellCode::isValid(cell));
    const int row = CellCode::row(cell);
    const int column = CellCode::column(cell);
    const bool isShort = CellCode::isShort(cell);

    // Entry steps. A key in a short cell keeps the hit flag, so arrowing through short cells
    // after a search hit keeps painting them green.
    context.sheet.row = row;
    context.modes.extendSelection = false;
    if (!isShort)
        context.search.hideHit();

    KeyOutcome out;
    int target = cell;
    switch (keyCode) {
    case VK::Return:
        context.modes.caretMode = false;
        if (isShort) {
            // Runs the long cell's Down in full (its entry clears the hit flag); the short cell's
            // own exit step then writes the same cell again.
            return onKeyDown(context, CellCode::make(CellCode::LongColumn, row), VK::Down, shift);
        }
        target = CellCode::readingNext(cell);
        out.caretAtEnd = true;
        break;
    case VK::Prior:
        context.modes.caretMode = false;
        target = CellCode::make(column, pageFirstRow(row));
        break;
    case VK::Next:
        context.modes.caretMode = false;
        target = CellCode::make(column, pageLastRow(row));
        break;
    case VK::Left:
    case VK::Right:
        if (context.modes.caretMode) {
            out.passToCell = true;
            return out; // the caret moves inside the text; no exit step
        }
        target = keyCode == VK::Left ? CellCode::readingPrevious(cell) : CellCode::readingNext(cell);
        out.caretAtEnd = true;
        break;
    case VK::Up:
        context.modes.caretMode = false;
        target = CellCode::make(column, rowAbove(row));
        break;
    case VK::Down:
        // Shift alone, not Shift with Ctrl or Alt.
        if (shift == 1)
            context.modes.extendSelection = true;
        context.modes.caretMode = false;
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
        context.sheet.modified = true;
        out.passToCell = true;
        break;
    }

    // Page Up in row 1 or Page Down in row 44: the cell keeps the focus, no new focus gain.
    if (target != cell)
        out.focusCell = target;
    out.exitStep = true;
    out.exitCell = target;
    context.sheet.lastCell = target;
    return out;
}

} // namespace GridRules
