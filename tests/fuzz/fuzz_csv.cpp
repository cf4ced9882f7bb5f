// Arbitrary bytes as a CSV file to import: reading never crashes, and whatever the placement
// makes of it comes back exactly through an export and a second import.
#include "exchange/CsvFormat.h"
#include "exchange/ImportPlan.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QVector<RowEntry> entries;
    QStringList notes;
    InputProblem problem;
    if (!Csv::read(input, &entries, &notes, &problem))
        return 0;
    const BookImage book = applied(BookImage(), placeEntries(BookImage(), entries));
    QVector<RowEntry> again;
    if (!Csv::read(Csv::write(book.entries(allSheets())), &again, &notes, &problem))
        std::abort();
    if (applied(BookImage(), placeEntries(BookImage(), again)).bytes() != book.bytes())
        std::abort();
    return 0;
}
