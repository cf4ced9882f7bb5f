#include "sheetops/RowShift.h"

#include <QTest>

using RowShift::SheetRows;

namespace {
constexpr quint32 Palette[6] = {0x000000, 0xC00000, 0x0000C0, 0x0000FF, 0xFF0000, 0xFF00FF};

// Every row differs from its neighbours in text, bold, underline and colour, in both cells, so
// that an item left behind by a shift shows.
SheetRows numberedSheet()
{
    SheetRows rows;
    for (int i = 1; i <= RowsPerSheet; ++i) {
        RowContent &row = rows[size_t(i - 1)];
        row.longCell = {QStringLiteral("Nome %1").arg(i), {i % 2 == 1, i % 4 < 2}, Palette[i % 6]};
        row.shortCell = {QStringLiteral("Tel %1").arg(i), {i % 2 == 0, i % 4 >= 2}, Palette[(i + 3) % 6]};
    }
    return rows;
}

QString describe(const CellContent &cell)
{
    return QStringLiteral("%1 %2%3 %4").arg(cell.text, cell.font.bold ? "B" : "-", cell.font.underline ? "U" : "-")
        .arg(cell.colour, 6, 16, QLatin1Char('0'));
}

QString describe(const RowContent &row) { return describe(row.longCell) + QStringLiteral(" | ") + describe(row.shortCell); }

// "1-21,0,22-43": the old row each new row comes from, in order; 0 is an empty row.
QList<int> sources(const QString &ranges)
{
    QList<int> rows;
    for (const QString &range : ranges.split(QLatin1Char(','))) {
        const int first = range.section(QLatin1Char('-'), 0, 0).toInt();
        const int last = range.contains(QLatin1Char('-')) ? range.section(QLatin1Char('-'), 1, 1).toInt() : first;
        for (int i = first; i <= last; ++i)
            rows << i;
    }
    return rows;
}
} // namespace

class TestRowShift : public QObject
{
    Q_OBJECT
private slots:
    void shift_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("expected");
        QTest::newRow("insert at 1") << true << 1 << "0,1-43";
        QTest::newRow("insert at 22, onto the right page") << true << 22 << "1-21,0,22-43";
        QTest::newRow("insert at 23") << true << 23 << "1-22,0,23-43";
        QTest::newRow("insert at 43") << true << 43 << "1-42,0,43";
        QTest::newRow("insert at 44") << true << 44 << "1-43,0";
        QTest::newRow("remove 1") << false << 1 << "2-44,0";
        QTest::newRow("remove 9") << false << 9 << "1-8,10-44,0";
        QTest::newRow("remove 22, back from the right page") << false << 22 << "1-21,23-44,0";
        QTest::newRow("remove 23") << false << 23 << "1-22,24-44,0";
        QTest::newRow("remove 44") << false << 44 << "1-43,0";
        QTest::newRow("insert at 0") << true << 0 << "1-44";
        QTest::newRow("insert at 45") << true << 45 << "1-44";
        QTest::newRow("remove 0") << false << 0 << "1-44";
        QTest::newRow("remove -1") << false << -1 << "1-44";
    }

    // Every item of both cells travels with the row; the row that opens or is left at the end
    // is plain, black and empty.
    void shift()
    {
        QFETCH(bool, insert);
        QFETCH(int, row);
        QFETCH(QString, expected);
        const SheetRows before = numberedSheet();
        SheetRows after = before;
        if (insert)
            RowShift::insertRow(after, row);
        else
            RowShift::removeRow(after, row);
        const QList<int> from = sources(expected);
        QCOMPARE(from.size(), RowsPerSheet);
        for (int i = 1; i <= RowsPerSheet; ++i) {
            const int source = from.at(i - 1);
            const RowContent want = source ? before[size_t(source - 1)] : RowContent();
            QVERIFY2(describe(after[size_t(i - 1)]) == describe(want),
                     qPrintable(QStringLiteral("row %1: %2, expected %3").arg(i).arg(describe(after[size_t(i - 1)]),
                                                                                      describe(want))));
        }
    }
};

QTEST_GUILESS_MAIN(TestRowShift)
#include "tst_rowshift.moc"
