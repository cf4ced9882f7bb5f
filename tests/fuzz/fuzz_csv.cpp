// Arbitrary bytes as a CSV file to import: reading never crashes, and whatever the placement
// makes of it comes back exactly through an export and a second import.
#include "FuzzHarness.h"
#include "exchange/CsvFormat.h"
#include "exchange/ImportPlan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = bytesOf(data, size);
    QVector<RowEntry> entries;
    QStringList notes;
    InputProblem problem;
    if (!Csv::read(input, &entries, &notes, &problem))
        return 0;
    const BookImage book = applied(BookImage(), placeEntries(BookImage(), entries));
    QVector<RowEntry> again;
    require(Csv::read(Csv::write(book.entries(allSheets())), &again, &notes, &problem));
    require(applied(BookImage(), placeEntries(BookImage(), again)).bytes() == book.bytes());
    return 0;
}
