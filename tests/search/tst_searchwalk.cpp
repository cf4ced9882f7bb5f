#include "search/SearchPosition.h"
#include "search/SearchText.h"
#include "search/SearchWalk.h"
#include "storage/SheetStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Store images are built byte by byte, independently of the program's own record code.
namespace {

constexpr int RecordBytes = 146;
const QByteArray EmptyRecord = QByteArray(140, ' ') + "000000";

using Records = QList<std::tuple<int, QByteArray, QByteArray>>;

QByteArray storeWith(const Records &records)
{
    QByteArray store = EmptyRecord.repeated(1936);
    for (const auto &[n, text1, text2] : records)
        store.replace(qsizetype(n - 1) * RecordBytes, 140, text1.leftJustified(100, ' ', true) + text2.leftJustified(40, ' ', true));
    return store;
}

// Each step's hit, "5L" for the long cell of record 5, "5S" for its short cell, "end" for the
// end of the store; then where the walk stands: "5L>5/5" is next record 5, last hit 5.
QString walk(const QByteArray &store, const QString &search, int steps, SearchPosition &state)
{
    QStringList seen;
    for (int i = 0; i < steps; ++i) {
        const QByteArrayView rest = QByteArrayView(store).sliced(qsizetype(state.nextRecord - 1) * RecordBytes);
        const std::optional<SearchWalk::Hit> hit = SearchWalk::step(state, SearchText(search), rest);
        seen << (hit ? QString::number(hit->record) + (hit->shortCell ? u'S' : u'L') : QStringLiteral("end"))
                    + QStringLiteral(">%1/%2").arg(state.nextRecord).arg(state.lastHit);
        if (state.found != hit.has_value())
            seen << QStringLiteral("found is wrong");
    }
    return seen.join(u' ');
}

} // namespace

class TestSearchWalk : public QObject
{
    Q_OBJECT
private slots:
    void steps_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both cells of a row, long first") << Records{{5, "Farmacia Rossi", "farmacia"}, {9, "FARMACIA", ""}}
                                                         << "farmacia" << "5L>5/5 5S>6/5 9L>9/9 end>1/0 5L>5/5";
        QTest::newRow("short cell alone") << Records{{3, "Bianchi", "12/3 4"}, {4, "", "12-34"}} << "12.34"
                                          << "3S>4/3 4S>5/4 end>1/0 3S>4/3";
        QTest::newRow("only blanks and hyphens") << Records{{1, "a", ""}, {2, "", " -./ "}, {3, "", "b"}, {7, "c", "d"}}
                                                 << " - " << "1L>1/1 3S>4/3 7L>7/7 7S>8/7 end>1/0";
        QTest::newRow("edges of the sheets") << Records{{44, "Zeta", ""}, {45, "", "zeta"}, {1936, "zeta", "Zeta"}}
                                             << "ZETA" << "44L>44/44 45S>46/45 1936L>1936/1936 1936S>1937/1936 end>1/0 44L>44/44";
        QTest::newRow("nothing anywhere") << Records{{10, "Rossi", "06 1234"}} << "Verdi" << "end>1/0 end>1/0";
    }

    void steps()
    {
        QFETCH(Records, records);
        QFETCH(QString, search);
        QFETCH(QString, expected);
        SearchPosition state;
        QCOMPARE(walk(storeWith(records), search, int(expected.count(u' ')) + 1, state), expected);
    }

    // The walk reads the file itself: a short file's missing records are empty, what is left of
    // a record cut short still counts, and a failed read leaves the walk where it was.
    void overTheStoreFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rubri.dat"));
        const QByteArray bytes = EmptyRecord + QByteArray("Zeno Rossi").leftJustified(60, ' ');
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(bytes) == bytes.size());
        file.close();
        SheetStore store;
        QVERIFY(store.open(path));
        SearchPosition state;
        const SearchText rossi(QStringLiteral("rossi"));
        const SearchWalk::Result result = SearchWalk::stepOverStore(state, rossi, store);
        QCOMPARE(std::tuple(result.outcome, result.hit.record, result.hit.shortCell), std::tuple(SearchWalk::Outcome::Found, 2, false));
        QCOMPARE(SearchWalk::stepOverStore(state, rossi, store).outcome, SearchWalk::Outcome::EndOfStore);
        // The range read gives what reading record by record gives, the missing tail included.
        QByteArray range, oneByOne;
        QVERIFY(store.readRange(1, 1936, &range));
        QVERIFY(!store.readRange(1900, 40, &range));
        Record_Riga record;
        for (int n = 1; n <= 1936 && store.read(n, &record); ++n)
            oneByOne += record.bytes();
        QVERIFY(range == oneByOne);
        QCOMPARE(QFile(path).size(), bytes.size()); // reading never grows the file

        store.close();
        state.nextRecord = 7;
        state.lastHit = 6;
        QCOMPARE(SearchWalk::stepOverStore(state, rossi, store).outcome, SearchWalk::Outcome::ReadFailed);
        QCOMPARE(std::pair(state.nextRecord, state.lastHit), std::pair(7, 6));
    }
};

QTEST_GUILESS_MAIN(TestSearchWalk)
#include "tst_searchwalk.moc"
