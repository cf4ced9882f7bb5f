#include "search/SearchText.h"
#include "storage/AnsiCodec.h"

#include <QRandomGenerator>
#include <QTest>

// Cells are handed over both as text and as the store's bytes (Windows-1252, blank-padded),
// since the walk reads the bytes and both must agree.
namespace {
QByteArray field(const QByteArray &bytes, int length) { return bytes.leftJustified(length, ' ', true); }
QString decoded(const QByteArray &bytes) { return AnsiCodec::decode(bytes); }
} // namespace

class TestSearchText : public QObject
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
        QTest::newRow("other digits") << "12.34" << QByteArray("12 35") << false;
        QTest::newRow("comma is kept") << "12.34" << QByteArray("12,34") << false;
        QTest::newRow("capitals") << "farmacia" << QByteArray("FARMACIA Centrale") << true;
        QTest::newRow("hyphenated") << "farmacia" << QByteArray("Farmacia-Erboristeria") << true;
        QTest::newRow("accented capital") << "CITT\u00c0" << QByteArray("citt\xe0") << true;
        QTest::newRow("accented small") << "perch\u00e9" << QByteArray("PERCH\xc9") << true;
        QTest::newRow("accent counts") << "perch\u00e9" << QByteArray("PERCHE") << false;
        QTest::newRow("grave is not acute") << "perch\u00e8" << QByteArray("perch\xe9") << false;
        QTest::newRow("composed in the box") << "CITTA\u0300" << QByteArray("la citt\xe0") << true;
        QTest::newRow("trimmed") << "   rossi   " << QByteArray("Rossi Mario") << true;
        QTest::newRow("longer than the cell") << "Rossi Mario Luigi" << QByteArray("Rossi Mario") << false;
        QTest::newRow("only blanks and hyphens") << " - -- " << QByteArray("x") << true;
        QTest::newRow("empty cell") << "a" << QByteArray("") << false;
        QTest::newRow("cell of punctuation only") << "-" << QByteArray(" ./- ") << false;
        QTest::newRow("tab is a character") << "ab" << QByteArray("a\tb") << false;
        QTest::newRow("euro sign") << "\u20ac 5" << QByteArray("prezzo \x80" "5") << true;
    }

    void containment()
    {
        QFETCH(QString, search);
        QFETCH(QByteArray, cell);
        QFETCH(bool, found);
        const SearchText text(search);
        QCOMPARE(text.foundIn(decoded(cell)), found);
        QCOMPARE(text.foundInField(field(cell, 100).constData(), 100), found);
        QCOMPARE(text.foundInField(field(cell, 40).constData(), 40), found);
    }

    // The store's bytes are compared through a table and a quick look-out for the key's rarest
    // characters; neither may ever miss what comparing the decoded text finds.
    void bytesAgreeWithText()
    {
        const QByteArray alphabet("aAzZvV .-/\xe0\xc0\xe8\xc8\xff\x9f" "0129\x80\t");
        QRandomGenerator generator(8128);
        const auto pick = [&](int length) {
            QByteArray bytes;
            for (int i = 0; i < length; ++i)
                bytes += alphabet.at(int(generator.bounded(alphabet.size())));
            return bytes;
        };
        int found = 0;
        for (int i = 0; i < 20000; ++i) {
            QByteArray cell = pick(int(generator.bounded(12)));
            if (!cell.isEmpty() && generator.bounded(8) == 0)
                cell[int(generator.bounded(cell.size()))] = '\0';
            const qsizetype nul = cell.indexOf('\0');
            const QByteArray key = pick(1 + int(generator.bounded(3)));
            const SearchText text(AnsiCodec::decode(key));
            const bool expected = text.foundIn(decoded(cell.left(nul < 0 ? cell.size() : nul)));
            found += expected;
            QVERIFY2(text.foundInField(field(cell, 40).constData(), 40) == expected,
                     qPrintable(QString::fromLatin1(key.toHex() + " in " + cell.toHex())));
        }
        QVERIFY(found > 1000);
    }

    void fieldEndsAtNul()
    {
        const QByteArray bytes = field(QByteArray("Bianchi\0Rossi", 13), 40);
        QVERIFY(SearchText("bianchi").foundInField(bytes.constData(), 40));
        QVERIFY(!SearchText("rossi").foundInField(bytes.constData(), 40));
        QVERIFY(!SearchText("-").foundInField(QByteArray(40, '\0').constData(), 40));
    }

    // The box holds at most 32,767 characters, but the comparison has no limit of its own:
    // blanks count for nothing however many there are, and a key longer than any cell finds none.
    void textsBeyondSixteenBits()
    {
        const QString padded = QString(20000, QLatin1Char(' ')) + QStringLiteral("Rossi") + QString(20000, QLatin1Char('-'));
        const SearchText found(padded);
        QCOMPARE(found.key(), QStringLiteral("ROSSI"));
        QVERIFY(found.foundInField(field("Via Rossi 4", 100).constData(), 100));
        const SearchText huge(QString(40000, QLatin1Char('x')));
        QCOMPARE(huge.key().size(), 40000);
        QVERIFY(!huge.foundInField(QByteArray(100, 'x').constData(), 100));
        QVERIFY(SearchText(QStringLiteral("xx")).foundInField(QByteArray(100, 'x').constData(), 100));
    }
};

QTEST_GUILESS_MAIN(TestSearchText)
#include "tst_searchtext.moc"
