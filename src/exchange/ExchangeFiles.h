#pragma once

#include "exchange/BookRows.h"
#include "exchange/ImportPlan.h"

#include <QPageSize>
#include <QString>
#include <QVector>

// The address book to and from files, by the file's extension: ".csv", ".vcf" (".vcard") and,
// for export only, ".pdf". What the window and the command line call.
namespace ExchangeFiles {

enum class Format { Csv, VCard, Pdf, Unknown };
Format formatOf(const QString &path);

// Writes the given sheets to `path` through a temporary file, so that a failure leaves the old
// file (or none) in place. False with an Italian message that names the file and the reason.
// A PDF needs a QGuiApplication.
bool exportBook(const BookImage &book, const QVector<int> &sheets, const QString &path, QString *message,
                QPageSize::PageSizeId pageSize = QPageSize::A4);

// Reads a CSV or vCard file and places its entries into the book's free rows. False, with an
// Italian message that names the file and the line, when the file cannot be read; the plan
// then stays empty.
bool planImport(const QString &path, const BookImage &book, ImportPlan *plan, QString *message);

} // namespace ExchangeFiles
