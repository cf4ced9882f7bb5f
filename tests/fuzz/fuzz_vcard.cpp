// Arbitrary bytes as a vCard file to import: reading never crashes, and the cards written for
// what was placed read back with the same texts, in the same folders.
#include "FuzzHarness.h"
#include "exchange/ImportPlan.h"
#include "exchange/VCardFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = bytesOf(data, size);
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
    require(VCard::read(VCard::write(written), &again, &notes, &problem));
    require(again.size() == written.size());
    for (qsizetype i = 0; i < again.size(); ++i) {
        require(again.at(i).longCell.text == written.at(i).longCell.text);
        require(again.at(i).shortCell.text == written.at(i).shortCell.text);
        require(again.at(i).sheet == written.at(i).sheet);
    }
    return 0;
}
