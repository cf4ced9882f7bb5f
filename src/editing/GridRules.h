#pragma once

#include "model/SheetModel.h"

#include <QtGlobal>

class SearchMark;
struct GridModes;
struct ShownSheet;

// What the grid's cells do on focus changes, mouse presses, characters and keys. Each function
// updates the place, the modes and the search mark it is given and tells the widget layer what to do with the widgets; the widget
// layer applies the answer and nothing more. Cells are cell codes (model/CellCode.h), keys are
// Windows key codes (editing/KeyCodes.h), shift states have bit 1 Shift, bit 2 Ctrl, bit 4 Alt.
namespace GridRules {

// What the rules read and write: the place in the sheet shown, the keys' modes, the search.
struct Context
{
    ShownSheet &sheet;
    GridModes &modes;
    SearchMark &search;
};

struct FocusGainEffect
{
    bool clearAllHighlights = false; // no cell highlighted first
    bool caretAtEnd = false;         // caret to the end of the cell's text
    SheetModel::Highlight highlight = SheetModel::Highlight::Selected; // then of the cell that gained the focus
};

// To be run for every focus gain of a cell, however the focus came (key, mouse, Tab, code).
// Not for a cell that already had the focus.
FocusGainEffect onFocusGained(const Context &context, int cell);

// The widget layer puts the caret at 0; the highlight stays.
void onFocusLost(const Context &context, int cell);

// button: 1 left, 2 right, 4 middle. Returns true when the cell's selection length is to be set to 0.
bool onMousePressed(const Context &context, int cell, int button);

// A character typed into the cell. Returns true when it is swallowed (carriage return).
// The carriage return of an Enter arrives after the key has moved the focus on, so it leaves
// the last cell alone: the key already set it to the cell now holding the focus.
bool onCharacter(const Context &context, int cell, int charCode);

struct KeyOutcome
{
    bool passToCell = false;     // the key reaches the cell's own editing (caret move, typing)
    int focusCell = 0;           // cell to give the focus to; 0 = no focus move
    bool caretAtEnd = false;     // after the focus move, caret to the end of focusCell's text
    bool focusSearchBox = false; // select the whole search box text, then give it the focus
    bool exitStep = false;       // the last cell was written ...
    int exitCell = 0;            // ... with this: the cell holding the focus after the key
};

// A key pressed in a cell. Every key but Enter, Shift, Page Up/Down, the arrows and F4 marks
// the sheet changed and reaches the cell. The state is fully updated before returning, so the focus move that
// follows sees extend mode, caret mode and the hit flag as they must be at that moment.
KeyOutcome onKeyDown(const Context &context, int cell, int keyCode, int shift);


} // namespace GridRules
