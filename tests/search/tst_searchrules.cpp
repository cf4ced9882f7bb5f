#include "common/StoreImages.h"
#include "common/TestFiles.h"
#include "search/SearchPosition.h"
#include "search/SearchText.h"
#include "search/SearchWalk.h"
#include "storage/AnsiCodec.h"
#include "storage/SheetStore.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The walk reads the store's blank-padded Windows-1252 bytes; they must agree with the text.
QByteArray field(const QByteArray &bytes, int length) { return bytes.leftJustified(length, ' ', true); }

using namespace StoreImage;
using Records = QList<std::tuple<int, QByteArray, QByteArray>>;

QByteArray storeOf(const Records &records)
{
    QList<QPair<int, QByteArray>> filled;
    for (const auto &[n, text1, text2] : records)
        filled.append({n, makeRecord(text1, text2)});
    return storeWith(filled);
}

// Each step's hit ("5L", "5S" or "end") and where the walk stands: ">next/last hit".
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

// What a search finds in a cell, and its walk over the store's records.
class TestSearchRules : public QObject
{
    Q_OBJECT
private slots:
    void containment_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QByteArray>("cell"); // Windows-1252
        QTest::addColumn<bool>("found");
        QTest::newRow("plain digits") << "12.34" << QByteArray("1234") << true;
        QTest::newRow("hyphen in the cell") << "12.34" << QByteArray("12-34") << true;
        QTest::newRow("slash and blank in the cell") << "12.34" << QByteArray("12/3 4") << true;
        QTest::newRow("comma is kept") << "12.34" << QByteArray("12,34") << false;
        QTest::newRow("capitals") << "farmacia" << QByteArray("Farmacia-ERBORISTERIA") << true;
        QTest::newRow("accented capital") << "CITT\u00c0" << QByteArray("citt\xe0") << true;
        QTest::newRow("accent counts") << "perch\u00e9" << QByteArray("PERCHE") << false;
        QTest::newRow("composed in the box") << "CITTA\u0300" << QByteArray("la citt\xe0") << true;
        QTest::newRow("tab is a character") << "ab" << QByteArray("a\tb") << false;
        QTest::newRow("euro sign") << "\u20ac 5" << QByteArray("prezzo \x80" "5") << true;
    }

    void containment()
    {
        QFETCH(QString, search);
        QFETCH(QByteArray, cell);
        QFETCH(bool, found);
        const SearchText text(search);
        QCOMPARE(text.foundIn(AnsiCodec::decode(cell)), found);
        QCOMPARE(text.foundInField(field(cell, 100).constData(), 100), found);
        QCOMPARE(text.foundInField(field(cell, 40).constData(), 40), found);
    }

    // The byte matcher's table and look-out never miss what the decoded text finds; NUL ends a field.
    void bytesAgreeWithText()
    {
        const QByteArray alphabet("aAzZvV .-/\xe0\xc0\xe8\xc8\xff\x9f" "0129\x80\t");
        QRandomGenerator generator(8128);
        const auto pick = [&](int length) {
            QByteArray bytes(length, ' ');
            for (char &b : bytes)
                b = alphabet.at(int(generator.bounded(alphabet.size())));
            return bytes;
        };
        int found = 0;
        for (int i = 0; i < 20000; ++i) {
            QByteArray cell = pick(int(generator.bounded(12)));
            if (!cell.isEmpty() && generator.bounded(8) == 0)
                cell[int(generator.bounded(cell.size()))] = '\0';
            const QByteArray key = pick(1 + int(generator.bounded(3)));
            const SearchText text(AnsiCodec::decode(key));
            const bool expected = text.foundIn(AnsiCodec::decode(QByteArray(cell.constData())));
            found += expected;
            // Padded, and filled to its last byte.
            const QByteArray where = key.toHex() + " in " + cell.toHex();
            QVERIFY2(text.foundInField(field(cell, 40).constData(), 40) == expected, where.constData());
            QVERIFY2(text.foundInField(cell.constData(), int(cell.size())) == expected, where.constData());
        }
        QVERIFY(found > 1000);
    }

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
        QCOMPARE(walk(storeOf(records), search, int(expected.count(u' ')) + 1, state), expected);
    }

    // Missing records are empty, a cut record still counts, a failed read leaves the walk in place.
    void overTheStoreFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rubri.dat"));
        const QByteArray bytes = makeRecord("", "") + QByteArray("Zeno Rossi").leftJustified(60, ' ');
        QVERIFY(writeAll(path, bytes));
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
        RowRecord record;
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

QTEST_GUILESS_MAIN(TestSearchRules)
#include "tst_searchrules.moc"
