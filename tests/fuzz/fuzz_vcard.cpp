// Arbitrary bytes as a vCard file to import: reading never crashes, and the cards written for
// what was placed read back with the same texts, in the same folders.
#include "exchange/ImportPlan.h"
#include "exchange/VCardFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QVector<RowEntry> entries;
    QStringList notes;
    InputProblem problem;
    if (!VCard::read(input, &entries, &notes, &problem))
        return 0;
    const BookImage book = applied(BookImage(), placeEntries(BookImage(), entries));
    QVector<RowEntry> written;
    for (const RowEntry &row : book.entries(allSheets())) {
        if (!row.longCell.text.isEmpty() || !row.shortCell.text.isEmpty())
            written.append(row);
    }
    if (written.isEmpty()) // nothing to write: an empty file, which the reader refuses
        return 0;
    QVector<RowEntry> again;
    if (!VCard::read(VCard::write(written), &again, &notes, &problem) || again.size() != written.size())
        std::abort();
    for (qsizetype i = 0; i < again.size(); ++i) {
        const bool same = again.at(i).longCell.text == written.at(i).longCell.text
            && again.at(i).shortCell.text == written.at(i).shortCell.text && again.at(i).sheet == written.at(i).sheet;
        if (!same)
            std::abort();
    }
    return 0;
}
