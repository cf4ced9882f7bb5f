#pragma once

#include "exchange/BookRows.h"

#include <QString>
#include <QVector>

class QWidget;

// Prints sheets of the address book through the print module beside the executable, which it
// loads on the first print. The dialogs speak Italian.
namespace BookPrinter {

enum class Result { Printed, Cancelled, Failed };

// Shows the preview (and from there the print dialog) for the given sheets, on the printer's
// paper or the one chosen in the last preview. With `outputFile` set, prints to that PDF on
// A4 or A5 without a dialog. The module is looked for in
// `moduleDirectory`, the program directory when empty. On Failed, `message` says why in Italian.
Result print(QWidget *parent, const BookImage &book, const QVector<int> &sheets, bool a5, QString *message,
             const QString &outputFile = QString(), const QString &moduleDirectory = QString());

} // namespace BookPrinter
