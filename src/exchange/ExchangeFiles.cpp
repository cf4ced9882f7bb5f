#include "exchange/ExchangeFiles.h"

#include "exchange/BookPages.h"
#include "exchange/CsvFormat.h"
#include "exchange/InputText.h"
#include "exchange/VCardFormat.h"
#include "storage/SystemErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ExchangeFiles {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString writeReason(const QSaveFile &file)
{
    const int code = SystemErrorText::lastCode();
    if (code != 0)
        return SystemErrorText::reason(code);
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("non si hanno i permessi per scrivere lì");
    case QFileDevice::ResourceError:
        return QStringLiteral("lo spazio sul disco è finito");
    default:
        return QStringLiteral("il file non si può scrivere");
    }
}

} // namespace

Format formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv")
        return Format::Csv;
    if (suffix == u"vcf" || suffix == u"vcard")
        return Format::VCard;
    if (suffix == u"pdf")
        return Format::Pdf;
    return Format::Unknown;
}

bool exportBook(const BookImage &book, const QVector<int> &sheets, const QString &path, QString *message,
                QPageSize::PageSizeId pageSize)
{
    const Format format = formatOf(path);
    if (format == Format::Unknown) {
        *message = QStringLiteral("Impossibile esportare in %1: il nome deve finire in .csv, .vcf o .pdf.").arg(shown(path));
        return false;
    }
    QSaveFile file(path);
    SystemErrorText::clearLast();
    if (!file.open(QIODevice::WriteOnly)) {
        *message = QStringLiteral("Impossibile esportare in %1: %2.").arg(shown(path), writeReason(file));
        return false;
    }
    QString reason;
    bool written = true;
    if (format == Format::Pdf) {
        written = BookPages::writePdf(&file, book, sheets, pageSize, &reason);
    } else {
        const QVector<RowEntry> rows = book.entries(sheets);
        const QByteArray bytes = format == Format::Csv ? Csv::write(rows) : VCard::write(rows);
        written = file.write(bytes) == bytes.size();
    }
    SystemErrorText::clearLast();
    if (!written || !file.commit()) {
        if (reason.isEmpty())
            reason = writeReason(file);
        file.cancelWriting();
        *message = QStringLiteral("Impossibile esportare in %1: %2.").arg(shown(path), reason);
        return false;
    }
    return true;
}

bool planImport(const QString &path, const BookImage &book, ImportPlan *plan, QString *message)
{
    *plan = ImportPlan();
    const Format format = formatOf(path);
    InputProblem problem;
    QByteArray bytes;
    QVector<RowEntry> entries;
    QStringList notes;
    bool read = false;
    if (format != Format::Csv && format != Format::VCard) {
        problem = {0, QStringLiteral("la Rubrica importa file CSV (.csv) e vCard (.vcf)")};
    } else if (InputText::readFile(path, &bytes, &problem)) {
        read = format == Format::Csv ? Csv::read(bytes, &entries, &notes, &problem)
                                     : VCard::read(bytes, &entries, &notes, &problem);
    }
    if (!read) {
        *message = problem.line > 0
            ? QStringLiteral("Impossibile importare %1, riga %2: %3.").arg(shown(path), QString::number(problem.line), problem.what)
            : QStringLiteral("Impossibile importare %1: %2.").arg(shown(path), problem.what);
        return false;
    }
    *plan = placeEntries(book, entries);
    plan->fileName = shown(path);
    plan->notes = notes + plan->notes;
    return true;
}

} // namespace ExchangeFiles
