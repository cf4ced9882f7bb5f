#pragma once

#include "exchange/BookRows.h"
#include "exchange/InputText.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

// The address book as a table (RFC 4180): UTF-8 with a byte order mark, so that spreadsheets
// show the accents right, and the columns Cartella, Riga, Testo lungo, Testo breve,
// Grassetto, Sottolineato, Colore. A format column holds one value for both cells ("sì",
// "Rosso") or the long cell's and the short cell's values ("sì / no").
namespace Csv {

QByteArray write(const QVector<RowEntry> &rows);

// Reads the table written above (its columns in any order, found by their header), or any
// table of one or two columns: long text, short text. The separator is a comma or, as the
// Italian spreadsheets write it, a semicolon. Notes tell the user of values that were not
// understood; a problem stops the import.
bool read(const QByteArray &bytes, QVector<RowEntry> *entries, QStringList *notes, InputProblem *problem);

// A text that a spreadsheet would run as a formula (it begins with "=", "+", "-" or "@") gets
// an apostrophe in front; so does a text that would otherwise read back as such a text.
QString formulaSafe(const QString &text);
QString fromFormulaSafe(const QString &text);

} // namespace Csv
