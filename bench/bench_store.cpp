// Cost of moving one sheet between the grid and the store: encoding, decoding, the write
// and read of its 44 records on a real file, and a save with and without its journal.
#include "storage/RowRecord.h"
#include "storage/SheetCodec.h"
#include "storage/NativeRecordFile.h"
#include "storage/SheetStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

std::array<RowContent, RowsPerSheet> sampleSheet()
{
    std::array<RowContent, RowsPerSheet> rows;
    for (int r = 0; r < RowsPerSheet; ++r) {
        rows[r].longCell = {QStringLiteral("Rossi Mario, via Garibaldi %1, Città").arg(r), {r % 2 == 0, false}, 0xC00000};
        rows[r].shortCell = {QStringLiteral("0471 %1").arg(100000 + r), {false, r % 3 == 0}, 0x0000FF};
    }
    return rows;
}

void encodeSheetBenchmark(benchmark::State &state)
{
    const auto rows = sampleSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeSheet(rows));
}
BENCHMARK(encodeSheetBenchmark);

void decodeSheetBenchmark(benchmark::State &state)
{
    const QByteArray sheet = encodeSheet(sampleSheet());
    for (auto _ : state) {
        for (int r = 0; r < RowsPerSheet; ++r) {
            const RowRecord record = RowRecord::fromBytes(sheet.constData() + r * RecordLength, RecordLength);
            benchmark::DoNotOptimize(decodeRow(record));
        }
    }
}
BENCHMARK(decodeSheetBenchmark);

void writeAndReadSheetBenchmark(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    StoreError error;
    SheetStore store;
    if (!SheetStore::createIfMissing(path, &error) || !store.open(path)) {
        state.SkipWithError("cannot create the store");
        return;
    }
    const QByteArray sheet = encodeSheet(sampleSheet());
    RowRecord record;
    for (auto _ : state) {
        if (!store.writeSheet(7, sheet)) {
            state.SkipWithError("write failed");
            break;
        }
        for (int row = 1; row <= RowsPerSheet; ++row) {
            store.read(recordNumber(7, row), &record);
            benchmark::DoNotOptimize(record);
        }
    }
}
BENCHMARK(writeAndReadSheetBenchmark)->Unit(benchmark::kMicrosecond);

// One save as the program makes it (argument 1): the journal written and flushed with its
// folder, the sheet written and flushed, the journal removed; and the sheet alone (0).
void saveSheetBenchmark(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    StoreError error;
    QString reason;
    SheetStore store;
    if (!SheetStore::createIfMissing(path, &error)
        || !store.open(NativeRecordFile::open(path, &reason), path,
                       state.range(0) ? nativeJournalFile(journalPathFor(path)) : nullptr)) {
        state.SkipWithError("cannot create the store");
        return;
    }
    const QByteArray sheet = encodeSheet(sampleSheet());
    for (auto _ : state) {
        if (!store.writeSheet(7, sheet)) {
            state.SkipWithError("write failed");
            break;
        }
    }
}
BENCHMARK(saveSheetBenchmark)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
