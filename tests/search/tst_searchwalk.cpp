#include "editing/AgendaState.h"
#include "search/SearchText.h"
#include "search/SearchWalk.h"
#include "storage/SheetStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Store images are built byte by byte, independently of the program's own record code.
namespace {

constexpr int RecordBytes = 146;

QByteArray makeRecord(const QByteArray &text1, const QByteArray &text2)
{
    return text1.leftJustified(100, ' ', true) + text2.leftJustified(40, ' ', true) + "000000";
}

using Records = QList<std::tuple<int, QByteArray, QByteArray>>;

QByteArray storeWith(const Records &records)
{
    QByteArray store = makeRecord("", "").repeated(1936);
    for (const auto &[n, text1, text2] : records)
        store.replace(qsizetype(n - 1) * RecordBytes, RecordBytes, makeRecord(text1, text2));
    return store;
}

// The hits of successive steps, "5L" for the long cell of record 5, "5S" for its short cell,
// "end" for a step that reached the end of the store.
QString walk(const QByteArray &store, const QString &search, int steps, AgendaState &state)
{
    const SearchText text(search);
    QStringList seen;
    for (int i = 0; i < steps; ++i) {
        const QByteArrayView rest = QByteArrayView(store).sliced(qsizetype(state.Prossimo_Record - 1) * RecordBytes);
        const std::optional<SearchWalk::Hit> hit = SearchWalk::step(state, text, rest);
        seen << (hit ? QString::number(hit->record) + (hit->shortCell ? u'S' : u'L') : QStringLiteral("end"));
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
                                                         << "farmacia" << "5L 5S 9L end 5L";
        QTest::newRow("short cell alone") << Records{{3, "Bianchi", "12/3 4"}, {4, "", "12-34"}} << "12.34"
                                          << "3S 4S end 3S";
        QTest::newRow("only blanks and hyphens") << Records{{1, "a", ""}, {2, "", " -./ "}, {3, "", "b"}, {7, "c", "d"}}
                                                 << " - " << "1L 3S 7L 7S end 1L";
        QTest::newRow("edges of the sheets") << Records{{44, "Zeta", ""}, {45, "", "zeta"}, {1936, "zeta", "Zeta"}}
                                             << "ZETA" << "44L 45S 1936L 1936S end 44L";
        QTest::newRow("nothing anywhere") << Records{{10, "Rossi", "06 1234"}} << "Verdi" << "end end";
    }

    void steps()
    {
        QFETCH(Records, records);
        QFETCH(QString, search);
        QFETCH(QString, expected);
        AgendaState state;
        QCOMPARE(walk(storeWith(records), search, int(expected.count(u' ')) + 1, state), expected);
    }

    // Where a step leaves the walk decides where the next one starts.
    void stateAfterSteps()
    {
        const QByteArray store = storeWith({{5, "Rossi", "rossi"}, {1936, "", "Rossi"}});
        AgendaState state;
        QCOMPARE(walk(store, "rossi", 1, state), QStringLiteral("5L"));
        QCOMPARE(std::tuple(state.Prossimo_Record, state.Ultimo_Trovato, state.Trovato), std::tuple(5, 5, true));
        QCOMPARE(walk(store, "rossi", 1, state), QStringLiteral("5S"));
        QCOMPARE(std::tuple(state.Prossimo_Record, state.Ultimo_Trovato, state.Trovato), std::tuple(6, 5, true));
        QCOMPARE(walk(store, "rossi", 1, state), QStringLiteral("1936S"));
        QCOMPARE(std::tuple(state.Prossimo_Record, state.Ultimo_Trovato, state.Trovato), std::tuple(1937, 1936, true));
        QCOMPARE(walk(store, "rossi", 1, state), QStringLiteral("end"));
        QCOMPARE(std::tuple(state.Prossimo_Record, state.Ultimo_Trovato, state.Trovato), std::tuple(1, 0, false));
        // An edit of the search text puts the walk back at the start.
        state.Prossimo_Record = 1;
        state.Ultimo_Trovato = 0;
        QCOMPARE(walk(store, "rossi", 1, state), QStringLiteral("5L"));
    }

    // The walk reads the file itself: a short file's missing records are empty, and what is
    // left of a record cut short still counts.
    void overTheStoreFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rubri.dat"));
        const QByteArray bytes = makeRecord("", "") + QByteArray("Zeno Rossi").leftJustified(60, ' ');
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();

        SheetStore store;
        QVERIFY(store.open(path));
        AgendaState state;
        const SearchText rossi(QStringLiteral("rossi"));
        SearchWalk::Result result = SearchWalk::stepOverStore(state, rossi, store);
        QCOMPARE(result.outcome, SearchWalk::Outcome::Found);
        QCOMPARE(std::pair(result.hit.record, result.hit.shortCell), std::pair(2, false));
        QCOMPARE(SearchWalk::stepOverStore(state, rossi, store).outcome, SearchWalk::Outcome::EndOfStore);

        // The range read gives what reading record by record gives.
        QByteArray range;
        QVERIFY(store.readRange(1, 1936, &range));
        QByteArray oneByOne;
        Record_Riga record;
        for (int n = 1; n <= 1936; ++n) {
            QVERIFY(store.read(n, &record));
            oneByOne += record.bytes();
        }
        QVERIFY(range == oneByOne);
        QVERIFY(!store.readRange(1900, 40, &range));
        QCOMPARE(QFile(path).size(), bytes.size()); // reading never grows the file

        store.close();
        state.Prossimo_Record = 7;
        state.Ultimo_Trovato = 6;
        QCOMPARE(SearchWalk::stepOverStore(state, rossi, store).outcome, SearchWalk::Outcome::ReadFailed);
        QCOMPARE(std::pair(state.Prossimo_Record, state.Ultimo_Trovato), std::pair(7, 6));
    }
};

QTEST_GUILESS_MAIN(TestSearchWalk)
#include "tst_searchwalk.moc"
