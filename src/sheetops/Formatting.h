#pragma once

class CellEdit;
class Grid;
struct ShownSheet;

// The toolbar's bold and underline buttons. Each toggles one attribute of the whole current
// cell, leaves the other alone, and hands the focus back to that cell.
namespace Formatting {

enum class Attribute { Bold, Underline };

// Marks the sheet changed before anything else, even when there is no current cell to change.
// Returns the cell toggled, or null when no cell is current.
CellEdit *toggle(ShownSheet &sheet, Grid &grid, Attribute attribute);

inline void toggleBold(ShownSheet &sheet, Grid &grid) { toggle(sheet, grid, Attribute::Bold); }
inline void toggleUnderline(ShownSheet &sheet, Grid &grid) { toggle(sheet, grid, Attribute::Underline); }

} // namespace Formatting
