#include "storage/AnsiCodec.h"
#include "storage/Record_Riga.h"
#include "storage/SheetCodec.h"

#include "TestFiles.h"

#include <QTest>

namespace {

QByteArray field(const Record_Riga &record, bool longCell)
{
    return longCell ? record.bytes().left(100) : record.bytes().mid(100, 40);
}

} // namespace

class TestRecord : public QObject
{
    Q_OBJECT

private slots:
    void textFields_data();
    void textFields();
    void storedTextReadsBack_data();
    void storedTextReadsBack();
    void everyByteSurvivesDecoding();
    void codes_data();
    void codes();
    void recordNumbering_data();
    void recordNumbering();
    void encodedSheet_data();
    void encodedSheet();
};

void TestRecord::textFields_data()
{
    QTest::addColumn<bool>("longCell");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");

    const QString hundred(100, QLatin1Char('x'));
    QTest::newRow("100 characters fill the long field") << true << hundred << hundred.toLatin1() << hundred;
    QTest::newRow("101 characters are cut") << true << QString(101, QLatin1Char('y'))
                                            << QByteArray(100, 'y') << QString(100, QLatin1Char('y'));
    QTest::newRow("3 characters and 37 blanks") << false << QStringLiteral("abc")
                                                << QByteArray("abc") + QByteArray(37, ' ') << QStringLiteral("abc");
    QTest::newRow("41 characters in the short field") << false << QString(41, QLatin1Char('z'))
                                                      << QByteArray(40, 'z') << QString(40, QLatin1Char('z'));
    QTest::newRow("trailing blanks go, leading stay") << true << QStringLiteral("  Rossi  ")
                                                      << QByteArray("  Rossi") + QByteArray(93, ' ')
                                                      << QStringLiteral("  Rossi");
    QTest::newRow("Italian letters and euro") << false << QStringLiteral("àèéìòù €")
                                              << QByteArray("\xE0\xE8\xE9\xEC\xF2\xF9 \x80") + QByteArray(32, ' ')
                                              << QStringLiteral("àèéìòù €");
    QTest::newRow("characters outside the page") << true << QStringLiteral("a日b")
                                                 << QByteArray("a?b") + QByteArray(97, ' ')
                                                 << QStringLiteral("a?b");
#ifndef Q_OS_WIN
    // Windows' own conversion gives one '?' per half of the pair.
    QTest::newRow("character beyond 16 bits") << true << QStringLiteral("a😀b")
                                              << QByteArray("a?b") + QByteArray(97, ' ')
                                              << QStringLiteral("a?b");
#endif
}

void TestRecord::textFields()
{
    QFETCH(bool, longCell);
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);

    Record_Riga record;
    if (longCell)
        record.setTesto1(text);
    else
        record.setTesto2(text);

    QCOMPARE(field(record, longCell), stored);
    QCOMPARE(field(record, !longCell), field(Record_Riga(), !longCell));
    QCOMPARE(record.bytes().right(6), QByteArray("000000"));
    QCOMPARE(longCell ? record.Testo1() : record.Testo2(), readBack);
}

void TestRecord::storedTextReadsBack_data()
{
    QTest::addColumn<QByteArray>("longField");
    QTest::addColumn<QString>("text");

    QTest::newRow("NUL ends the text") << QByteArray("ab\0cd", 5) << QStringLiteral("ab");
    QTest::newRow("NUL first") << QByteArray("\0abc", 4) << QString();
    QTest::newRow("blanks before a NUL") << QByteArray("ab  \0zz", 7) << QStringLiteral("ab");
    QTest::newRow("a tab is not a blank") << QByteArray("ab\t") << QStringLiteral("ab\t");
}

void TestRecord::storedTextReadsBack()
{
    QFETCH(QByteArray, longField);
    QFETCH(QString, text);

    QByteArray bytes = EmptyRecord;
    bytes.replace(0, longField.size(), longField);
    const Record_Riga record = Record_Riga::fromBytes(bytes.constData(), bytes.size());
    QCOMPARE(record.Testo1(), text);
    QCOMPARE(record.Testo2(), QString());
}

void TestRecord::everyByteSurvivesDecoding()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString decoded = AnsiCodec::decode(all);
    QCOMPARE(decoded.size(), 256);
    QCOMPARE(AnsiCodec::encode(decoded), all);
    QCOMPARE(decoded.at(0x80), QChar(0x20AC));
    QCOMPARE(decoded.at(0x9F), QChar(0x0178));
}

void TestRecord::codes_data()
{
    QTest::addColumn<char>("code");
    QTest::addColumn<int>("font");    // bold + 2 * underline, -1 none
    QTest::addColumn<qint64>("colour"); // -1 none

    QTest::newRow("0") << '0' << 0 << qint64(0x000000);
    QTest::newRow("3") << '3' << 3 << qint64(0x0000FF);
    QTest::newRow("4") << '4' << -1 << qint64(0xFF0000);
    QTest::newRow("5") << '5' << -1 << qint64(0xFF00FF);
    QTest::newRow("6") << '6' << -1 << qint64(-1);
    QTest::newRow("blank") << ' ' << -1 << qint64(-1);
    QTest::newRow("slash") << '/' << -1 << qint64(-1);
}

void TestRecord::codes()
{
    QFETCH(char, code);
    QFETCH(int, font);
    QFETCH(qint64, colour);

    Record_Riga record;
    record.setStile2(code);
    record.setColore1(code);
    const DecodedRow row = decodeRow(record);

    QCOMPARE(row.shortCell.font.has_value(), font >= 0);
    QCOMPARE(row.longCell.colour.has_value(), colour >= 0);
    if (font >= 0) {
        QCOMPARE(row.shortCell.font->bold, (font & 1) != 0);
        QCOMPARE(row.shortCell.font->underline, (font & 2) != 0);
        QCOMPARE(styleCodeFromFont(*row.shortCell.font), code);
    }
    if (colour >= 0) {
        QCOMPARE(qint64(*row.longCell.colour), colour);
        QCOMPARE(codeFromColour(quint32(colour)), std::optional<char>(code));
    }
    // The untouched cells of the empty record stay plain and black.
    QVERIFY(row.longCell.font.has_value() && !row.longCell.font->bold && !row.longCell.font->underline);
    QCOMPARE(row.shortCell.colour, std::optional<quint32>(0));
}

void TestRecord::recordNumbering_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("record");

    QTest::newRow("first") << 0 << 1 << 1;
    QTest::newRow("last of sheet 0") << 0 << 44 << 44;
    QTest::newRow("first of sheet 1") << 1 << 1 << 45;
    QTest::newRow("last") << 43 << 44 << 1936;
}

void TestRecord::recordNumbering()
{
    QFETCH(int, sheet);
    QFETCH(int, row);
    QFETCH(int, record);
    QCOMPARE(recordNumber(sheet, row), record);
    QCOMPARE(sheetOfRecord(record), sheet);
    QCOMPARE(rowOfRecord(record), row);
}

void TestRecord::encodedSheet_data()
{
    QTest::addColumn<QList<quint32>>("longColours");
    QTest::addColumn<QByteArray>("codes");

    // A colour outside the six takes the code of the row above in the same column.
    const quint32 odd = 0x123456;
    QTest::newRow("first row unknown") << QList<quint32>{odd, 0xFF0000} << QByteArray(" 4");
    QTest::newRow("reuses previous") << QList<quint32>{0x0000FF, odd, odd} << QByteArray("333");
    QTest::newRow("follows changes") << QList<quint32>{0xFF0000, odd, 0x000000, 0x80000005} << QByteArray("4400");
    QTest::newRow("blank carries on") << QList<quint32>{odd, odd, 0xC00000} << QByteArray("  1");
}

void TestRecord::encodedSheet()
{
    QFETCH(QList<quint32>, longColours);
    QFETCH(QByteArray, codes);

    std::array<RowContent, 44> rows;
    for (int r = 0; r < 44; ++r) {
        rows[r].longCell = {QStringLiteral(" riga %1 ").arg(r + 1), {r % 2 == 0, r % 3 == 0},
                            r < longColours.size() ? longColours[r] : 0xFF00FF};
        rows[r].shortCell.text = QStringLiteral("tel. %1").arg(r + 1);
    }
    rows[1].shortCell.colour = 0x0000C0;
    const QByteArray sheet = encodeSheet(rows);
    QCOMPARE(sheet.size(), 44 * 146);

    for (int r = 0; r < 44; ++r) {
        const Record_Riga record = Record_Riga::fromBytes(sheet.constData() + r * 146, 146);
        QCOMPARE(record.Testo1(), QStringLiteral(" riga %1").arg(r + 1));
        QCOMPARE(record.Testo2(), rows[r].shortCell.text);
        QCOMPARE(record.Stile1(), char('0' + (r % 2 == 0 ? 1 : 0) + (r % 3 == 0 ? 2 : 0)));
        QCOMPARE(record.Stile2(), '0');
        QCOMPARE(record.Riserva1(), '0');
        QCOMPARE(record.Riserva2(), '0');
        QCOMPARE(record.Colore1(), r < codes.size() ? codes.at(r) : '5');
        // The short column keeps its own previous code.
        QCOMPARE(record.Colore2(), r == 1 ? '2' : '0');
    }
}

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
