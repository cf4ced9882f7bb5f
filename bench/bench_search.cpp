// Cost of one search step over the store file: the read of the records still to walk and the
// comparison of every long and short cell with the search text. The window's part (opening
// the folder of a hit) is the cost of a folder switch, measured with the store's benchmarks.
#include "search/SearchPosition.h"
#include "search/SearchText.h"
#include "search/SearchWalk.h"
#include "storage/RowRecord.h"
#include "storage/SheetStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

enum Fill { Typical, Full };

// Every record filled: names, streets, towns and telephone numbers, or (Full) every field
// to its last byte, which is the most a step can have to compare.
QByteArray storeImage(Fill fill, bool hitInLastRecord)
{
    static const char *const names[] = {"Rossi Mario", "Bianchi Anna", "Farmacia Centrale", "Dott. Colombo",
                                        "Città di Castello - Comune", "Esposito Gennaro", "Ricci G.B."};
    QByteArray store;
    store.reserve(StoreSize);
    for (int n = 1; n <= RecordCount; ++n) {
        RowRecord record;
        if (fill == Typical) {
            record.setLongText(QStringLiteral("%1, via Garibaldi %2, 00%3 Roma").arg(QLatin1String(names[n % 7])).arg(n % 150).arg(100 + n % 99));
            record.setShortText(QStringLiteral("06/%1.%2").arg(1000 + n % 9000).arg(n % 97));
        } else {
            record.setLongText(QString(LongTextLength, QChar(u'a' + n % 26)));
            record.setShortText(QString(ShortTextLength, QChar(u'0' + n % 10)));
        }
        if (hitInLastRecord && n == RecordCount) {
            record.setLongText(QStringLiteral("Via Roma 999"));
            record.setShortText(QStringLiteral("Zanzibar Teatro Nuovo"));
        }
        store += record.bytes();
    }
    return store;
}

void searchStep(benchmark::State &state, bool hitInLastRecord)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    QFile file(path);
    const QByteArray image = storeImage(Fill(state.range(0)), hitInLastRecord);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
        state.SkipWithError("cannot write the store");
        return;
    }
    file.close();
    SheetStore store;
    if (!store.open(path)) {
        state.SkipWithError("cannot open the store");
        return;
    }
    // A text of rare letters is ruled out in most cells at a glance; one of common letters
    // less so; one whose letters every typical cell holds makes the step compare them in full.
    static const char *const texts[] = {"zanzibar", "Teatro Nuovo", "via Roma 999"};
    const SearchText text(QString::fromLatin1(texts[state.range(1)]));
    const SearchWalk::Outcome expected = hitInLastRecord ? SearchWalk::Outcome::Found : SearchWalk::Outcome::EndOfStore;
    for (auto _ : state) {
        SearchPosition position; // each step starts at record 1
        const SearchWalk::Result result = SearchWalk::stepOverStore(position, text, store);
        if (result.outcome != expected || (hitInLastRecord && result.hit.record != RecordCount)) {
            state.SkipWithError("unexpected outcome");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
}

// The read alone: what a step costs before it compares anything.
void readWholeStore(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rubri.dat"));
    QFile file(path);
    const QByteArray image = storeImage(Typical, false);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
        state.SkipWithError("cannot write the store");
        return;
    }
    file.close();
    SheetStore store;
    QByteArray records;
    if (!store.open(path)) {
        state.SkipWithError("cannot open the store");
        return;
    }
    for (auto _ : state) {
        store.readRange(1, RecordCount, &records);
        benchmark::DoNotOptimize(records.data());
    }
}
BENCHMARK(readWholeStore)->Unit(benchmark::kMicrosecond);

void wholeStoreWithoutHit(benchmark::State &state) { searchStep(state, false); }
void hitInLastRecord(benchmark::State &state) { searchStep(state, true); }

// Arguments: the store's fill (0 typical, 1 every field full), the search text (an index of texts).
BENCHMARK(wholeStoreWithoutHit)->ArgsProduct({{Typical, Full}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);
BENCHMARK(hitInLastRecord)->ArgsProduct({{Typical, Full}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
