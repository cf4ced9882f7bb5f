#include "exchange/BookPrinter.h"

#include "exchange/BookPages.h"
#include "exchange/PrintJob.h"
#include "platform/ItalianTranslations.h"
#include "platform/ProgramDirectory.h"

#include <QLibrary>
#include <QPainter>

namespace BookPrinter {

namespace {

struct Pages
{
    const BookImage *book;
    const QVector<int> *sheets;
};

void paintPage(void *context, QPainter *painter, const QRectF *area, int page)
{
    const auto *pages = static_cast<const Pages *>(context);
    BookPages::paint(*painter, *area, *pages->book, *pages->sheets, page);
}

} // namespace

Result print(QWidget *parent, const BookImage &book, const QVector<int> &sheets, bool a5, QString *message,
             const QString &outputFile, const QString &moduleDirectory)
{
    ensureItalianTranslations();
    // Loaded once and kept: unloading Qt Print Support while Qt still holds its objects is unsafe.
    static QLibrary module;
    if (!module.isLoaded())
        module.setFileName(programFile(moduleDirectory.isEmpty() ? programDirectory() : moduleDirectory,
                                       QStringLiteral("rubrica_print")));
    const auto entry = reinterpret_cast<RubricaPrintFunction>(module.resolve(RUBRICA_PRINT_ENTRY));
    if (!entry) {
        *message = QStringLiteral("Impossibile stampare: il modulo di stampa %1 manca o non si carica.")
                       .arg(module.fileName());
        return Result::Failed;
    }
    Pages pages{&book, &sheets};
    const QByteArray output = outputFile.toUtf8();
    const RubricaPrintJob job{RubricaPrintJobVersion, parent, "Rubrica", BookPages::pageCount(sheets), a5 ? 1 : 0,
                              &paintPage, &pages, outputFile.isEmpty() ? nullptr : output.constData()};
    const int result = entry(&job);
    if (result < 0) {
        *message = QStringLiteral("Impossibile stampare: la stampante non ha accettato le pagine.");
        return Result::Failed;
    }
    return result > 0 ? Result::Printed : Result::Cancelled;
}

} // namespace BookPrinter
