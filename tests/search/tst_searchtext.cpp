#include "search/SearchText.h"
#include "storage/AnsiCodec.h"

#include <QRandomGenerator>
#include <QTest>

// Cells are handed over both as text and as the store's bytes (Windows-1252, blank-padded),
// since the walk reads the bytes and both must agree.
namespace {
QByteArray field(const QByteArray &bytes, int length) { return bytes.leftJustified(length, ' ', true); }
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

    // The store's bytes are compared through a table and a quick look-out for the key's rarest
    // characters; neither may ever miss what comparing the decoded text finds. A field ends at
    // its first NUL.
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
};

QTEST_GUILESS_MAIN(TestSearchText)
#include "tst_searchtext.moc"
