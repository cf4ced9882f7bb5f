// Export and import of a full store (1,936 rows, long texts of 60 to 100 characters) and the
// PDF of all 44 folders.
#include "exchange/BookPages.h"
#include "exchange/CsvFormat.h"
#include "exchange/ImportPlan.h"
#include "exchange/VCardFormat.h"

#include <QBuffer>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

BookImage fullBook()
{
    BookImage book;
    for (int sheet = 0; sheet < SheetCount; ++sheet) {
        for (int row = 1; row <= RowsPerSheet; ++row) {
            RowEntry entry;
            entry.longCell = {QStringLiteral("Rossi Mario, via Garibaldi %1, 39100 Bolzano, Città; \"casa\" — %2")
                                  .arg(row).arg(QString(sheet + 10, u'x')), char('0' + row % 4), char('0' + row % 6)};
            entry.shortCell = {row % 3 ? QStringLiteral("+39 0471 %1").arg(100000 + row) : QStringLiteral("=ufficio"),
                               '0', '0'};
            book.setRecord(sheet, row, recordOf(entry));
        }
    }
    return book;
}

void exportCsv(benchmark::State &state)
{
    const BookImage book = fullBook();
    for (auto _ : state)
        benchmark::DoNotOptimize(Csv::write(book.entries(allSheets())));
}
BENCHMARK(exportCsv)->Unit(benchmark::kMillisecond);

void exportVCard(benchmark::State &state)
{
    const BookImage book = fullBook();
    for (auto _ : state)
        benchmark::DoNotOptimize(VCard::write(book.entries(allSheets())));
}
BENCHMARK(exportVCard)->Unit(benchmark::kMillisecond);

template <typename Reader>
void importInto(benchmark::State &state, const QByteArray &file, Reader read)
{
    for (auto _ : state) {
        QVector<RowEntry> entries;
        QStringList notes;
        InputProblem problem;
        read(file, &entries, &notes, &problem);
        benchmark::DoNotOptimize(placeEntries(BookImage(), entries));
    }
}

void importCsv(benchmark::State &state)
{
    importInto(state, Csv::write(fullBook().entries(allSheets())), Csv::read);
}
BENCHMARK(importCsv)->Unit(benchmark::kMillisecond);

void importVCard(benchmark::State &state)
{
    importInto(state, VCard::write(fullBook().entries(allSheets())), VCard::read);
}
BENCHMARK(importVCard)->Unit(benchmark::kMillisecond);

void pdfOfAllFolders(benchmark::State &state)
{
    const BookImage book = fullBook();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QString reason;
        benchmark::DoNotOptimize(BookPages::writePdf(&buffer, book, allSheets(), QPageSize::A4, &reason));
    }
}
BENCHMARK(pdfOfAllFolders)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the PDF
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
