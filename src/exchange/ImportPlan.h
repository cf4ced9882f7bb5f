#pragma once

#include "exchange/BookRows.h"

#include <QString>
#include <QStringList>
#include <QVector>

class SheetStore;

// Where the entries of a file go: into empty rows only, never over a row that has text.
struct PlacedRow
{
    int sheet = 0;
    int row = 0;
    RowRecord record;
};

struct ImportPlan
{
    QString fileName;           // as the report names it
    QVector<PlacedRow> rows;    // in the book's order
    int entries = 0;            // entries the file held
    QStringList notes;          // what did not fit, or was changed to fit, one Italian sentence each

    // The sheets the plan fills, each once, in order.
    QVector<int> sheets() const;
    // The closing Italian report: how many entries went in, then every note.
    QString report() const;
};

// An entry that names its folder and row goes there when the row is free, else to the first
// free row of that folder; any other entry goes to the first free row of the folders of its
// first letter ("*" for a digit, "#" for anything else). Entries placed by the file claim their
// rows before the others. Texts pass the cells' entry rule; what is cut, rewritten or finds no
// free row is told in a note, and nothing else is left out.
ImportPlan placeEntries(const BookImage &book, const QVector<RowEntry> &entries);

// The book with the plan's rows filled in.
BookImage applied(const BookImage &book, const ImportPlan &plan);

// Writes the plan's sheets through the store, one sheet at a time. When a write fails, the
// sheets already written are put back and the store's Italian reason is returned. `filled`,
// when given, receives the book as written.
bool writePlan(SheetStore &store, const BookImage &book, const ImportPlan &plan, QString *reason,
               BookImage *filled = nullptr);
