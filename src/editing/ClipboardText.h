#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The text side of cutting, copying and pasting one column of cells: the clipboard holds
// the cells' texts, each ended by a line feed, and a paste spreads its lines down the rows.
namespace ClipboardText {

// Shown when a paste holds tab characters; the breaks are carriage return + line feed (+ one
// more carriage return for the blank line), as the box expects them.
extern const QString TabMessage;
// Shown when neither cell of the current row is selected.
extern const QString SelectCellMessage;

// The cells' texts in row order, each followed by one line feed, the last one too.
QString columnText(const QStringList &cellTexts);

// Turns the line breaks of a clipboard text into single line feeds. A text without carriage
// returns is left as it is; one with carriage returns only gets a line feed for each; one
// with both loses its carriage returns and each line feed directly followed by another.
QString unifyLineBreaks(const QString &text);

// Several columns copied from a table come with tabs between them; such a text is refused.
bool hasTab(const QString &text);

struct PasteLine
{
    int row;      // 1..44
    QString text; // as taken from the clipboard, to be appended to the row's cell
};

struct PastePlan
{
    QList<PasteLine> lines;
    int focusRow = 1; // the row that takes the focus afterwards
};

// Spreads a text (already through unifyLineBreaks) down the rows from startRow, one line per
// row, never past row 44. The focus row is the row after the last line feed, minus one: the
// last row that received a line when the text ends with a line feed, one row above the last
// piece otherwise, never above row 1. Only the lines that reach a row are looked at, so a
// text of any length costs no more than 44 lines.
PastePlan planPaste(const QString &text, int startRow);

// A cell's text with a pasted piece appended: the piece in the form the store keeps, and
// nothing beyond the cell's limit of stored characters.
QString appendWithinLimit(const QString &cellText, const QString &piece, int limit);

} // namespace ClipboardText
