#include "exchange/ImportPlan.h"

#include "editing/CellInput.h"
#include "exchange/FolderNames.h"
#include "storage/AnsiCodec.h"
#include "storage/SheetStore.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// A text as a note quotes it: enough to find it in the file.
QString sample(const QString &text)
{
    constexpr int Shown = 60;
    return text.size() > Shown ? text.left(Shown) + QStringLiteral("…") : text;
}

// What the entry becomes in a cell of `length` characters, with a note on what changed.
QString fitted(const QString &text, int length, int line, const QString &which, QStringList *notes)
{
    QString storable = CellInput::toStorable(text);
    // A "?" that the file did not have stands for a character the code page lacks.
    if (storable.contains(u'?') && storable.count(u'?') > text.normalized(QString::NormalizationForm_C).count(u'?'))
        notes->append(QStringLiteral("Riga %1 del file: il %2 «%3» ha caratteri che la Rubrica non può "
                                     "conservare, scritti come «?».").arg(line).arg(which, sample(text)));
    if (storable.size() > length) {
        notes->append(QStringLiteral("Riga %1 del file: il %2 «%3» ha %4 caratteri; sono tenuti i primi %5.")
                          .arg(line).arg(which, sample(text)).arg(storable.size()).arg(length));
        storable.truncate(length);
    }
    return storable;
}

QChar initialOf(const RowEntry &entry)
{
    for (const QString *text : {&entry.longCell.text, &entry.shortCell.text}) {
        const QString trimmed = text->trimmed();
        if (!trimmed.isEmpty())
            return trimmed.at(0);
    }
    return QChar(u'#');
}

class Placer
{
public:
    explicit Placer(const BookImage &book) : m_free(RecordCount)
    {
        for (int sheet = 0; sheet < SheetCount; ++sheet) {
            for (int row = 1; row <= RowsPerSheet; ++row)
                m_free[std::size_t(recordNumber(sheet, row) - 1)] = book.rowIsFree(sheet, row);
        }
    }
    bool isFree(int sheet, int row) const { return m_free[std::size_t(recordNumber(sheet, row) - 1)]; }
    void take(int sheet, int row) { m_free[std::size_t(recordNumber(sheet, row) - 1)] = false; }
    // The first free row of the folders in order, 0 when none is left. Rows are only ever
    // taken, so the search of a folder goes on from where it last stopped.
    std::pair<int, int> firstFree(const QVector<int> &sheets)
    {
        for (const int sheet : sheets) {
            int &row = m_searchFrom[std::size_t(sheet)];
            while (row <= RowsPerSheet && !isFree(sheet, row))
                ++row;
            if (row <= RowsPerSheet)
                return {sheet, row};
        }
        return {0, 0};
    }

private:
    std::vector<bool> m_free; // by record number - 1
    std::vector<int> m_searchFrom = std::vector<int>(SheetCount, 1);
};

QString captions(const QVector<int> &sheets)
{
    QStringList names;
    for (const int sheet : sheets)
        names.append(FolderNames::caption(sheet));
    return names.join(QStringLiteral(", "));
}

} // namespace

QVector<int> ImportPlan::sheets() const
{
    QVector<int> list;
    for (const PlacedRow &row : rows) {
        if (!list.contains(row.sheet))
            list.append(row.sheet);
    }
    std::sort(list.begin(), list.end());
    return list;
}

QString ImportPlan::report() const
{
    QString text = QStringLiteral("Importate %1 voci su %2 da %3.").arg(rows.size()).arg(entries).arg(fileName);
    for (const QString &note : notes)
        text += u'\n' + note;
    return text;
}

ImportPlan placeEntries(const BookImage &book, const QVector<RowEntry> &entries)
{
    ImportPlan plan;
    plan.entries = int(entries.size());
    Placer placer(book);
    QVector<RowEntry> fittedEntries;
    fittedEntries.reserve(entries.size());
    plan.rows.reserve(entries.size());
    for (RowEntry entry : entries) {
        const bool nothing = entry.longCell.text.isEmpty() && entry.shortCell.text.isEmpty()
            && entry.longCell.style == '0' && entry.shortCell.style == '0' && entry.longCell.colour == '0'
            && entry.shortCell.colour == '0';
        if (nothing) { // an empty line of a table: nothing to keep
            --plan.entries;
            continue;
        }
        entry.longCell.text = fitted(entry.longCell.text, LongTextLength, entry.line, QStringLiteral("testo lungo"), &plan.notes);
        entry.shortCell.text = fitted(entry.shortCell.text, ShortTextLength, entry.line, QStringLiteral("testo breve"), &plan.notes);
        fittedEntries.append(std::move(entry));
    }
    QVector<const RowEntry *> waiting;
    // Rows the file names exactly are claimed first, so that no entry placed by its letter takes them.
    for (const RowEntry &entry : fittedEntries) {
        if (entry.sheet >= 0 && entry.row > 0 && placer.isFree(entry.sheet, entry.row)) {
            placer.take(entry.sheet, entry.row);
            plan.rows.append({entry.sheet, entry.row, recordOf(entry)});
        } else {
            waiting.append(&entry);
        }
    }
    for (const RowEntry *entry : waiting) {
        const QVector<int> folders = entry->sheet >= 0 ? QVector<int>{entry->sheet} : FolderNames::sheetsForInitial(initialOf(*entry));
        const auto [sheet, row] = placer.firstFree(folders);
        if (row == 0) {
            const QString where = folders.size() > 1 ? QStringLiteral("nelle cartelle") : QStringLiteral("nella cartella");
            plan.notes.append(QStringLiteral("Riga %1 del file: nessuna riga libera %2 %3 per «%4».")
                                  .arg(entry->line).arg(where, captions(folders))
                                  .arg(sample(entry->longCell.text.isEmpty() ? entry->shortCell.text : entry->longCell.text)));
            continue;
        }
        placer.take(sheet, row);
        plan.rows.append({sheet, row, recordOf(*entry)});
    }
    std::sort(plan.rows.begin(), plan.rows.end(), [](const PlacedRow &a, const PlacedRow &b) {
        return recordNumber(a.sheet, a.row) < recordNumber(b.sheet, b.row);
    });
    return plan;
}

BookImage applied(const BookImage &book, const ImportPlan &plan)
{
    BookImage result = book;
    for (const PlacedRow &row : plan.rows)
        result.setRecord(row.sheet, row.row, row.record);
    return result;
}

bool writePlan(SheetStore &store, const BookImage &book, const ImportPlan &plan, QString *reason,
               BookImage *filledOut)
{
    const BookImage filled = applied(book, plan);
    if (filledOut)
        *filledOut = filled;
    QVector<int> written;
    for (const int sheet : plan.sheets()) {
        if (store.writeSheet(sheet, filled.sheetBytes(sheet))) {
            written.append(sheet);
            continue;
        }
        *reason = store.error().reason;
        for (const int done : written)
            store.writeSheet(done, book.sheetBytes(done));
        return false;
    }
    return true;
}
