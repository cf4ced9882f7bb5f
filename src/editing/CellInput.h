#pragma once

#include <QString>

// What may enter a cell. A cell holds only what its record keeps: one byte per character in
// the ANSI code page and no control characters, so text is turned into that form on its way
// in, and what the cell shows is then exactly what a save writes.
namespace CellInput {

// Composes accents written as letter + combining mark into one character, turns each line
// break (CR LF counts as one) and tab into a blank, drops other control characters (NUL
// among them), and replaces what the code page cannot hold by what the store writes for it.
// Each character of the result is one stored byte.
QString toStorable(const QString &text);

// Text pasted into a cell by its own paste: a line break at the end of a copied line is not
// meant as part of the text, so trailing line breaks go before the conversion.
QString fromPaste(const QString &text);

} // namespace CellInput
