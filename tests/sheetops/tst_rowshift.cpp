#include "RowSources.h"
#include "sheetops/RowShift.h"

#include <QTest>

using RowShift::SheetRows;

namespace {
// Every row differs from its neighbours in text, bold, underline and colour, in both cells, so
// that an item left behind by a shift shows.
SheetRows numberedSheet()
{
    SheetRows rows;
    for (int i = 1; i <= RowsPerSheet; ++i)
        rows[size_t(i - 1)] = {{QStringLiteral("Nome %1").arg(i), {i % 2 == 1, i % 4 < 2}, quint32(i % 6) << 16},
                               {QStringLiteral("Tel %1").arg(i), {i % 2 == 0, i % 4 >= 2}, quint32((i + 3) % 6)}};
    return rows;
}

QStringList describe(const SheetRows &rows)
{
    QStringList lines;
    for (const RowContent &r : rows)
        for (const CellContent &c : {r.longCell, r.shortCell})
            lines << QStringLiteral("%1 %2%3 %4").arg(c.text).arg(c.font.bold).arg(c.font.underline).arg(c.colour, 0, 16);
    return lines;
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
        QTest::addColumn<QString>("expected"); // rowSources()
        QTest::newRow("insert at 1") << true << 1 << "0,1-43";
        QTest::newRow("insert at 22, onto the right page") << true << 22 << "1-21,0,22-43";
        QTest::newRow("insert at 44") << true << 44 << "1-43,0";
        QTest::newRow("remove 1") << false << 1 << "2-44,0";
        QTest::newRow("remove 22, back from the right page") << false << 22 << "1-21,23-44,0";
        QTest::newRow("remove 44") << false << 44 << "1-43,0";
        QTest::newRow("insert at 0") << true << 0 << "1-44";
        QTest::newRow("insert at 45") << true << 45 << "1-44";
        QTest::newRow("remove 0") << false << 0 << "1-44";
        QTest::newRow("remove 45") << false << 45 << "1-44";
    }

    // Every item of both cells travels with the row; the row that opens or is left at the end
    // is plain, black and empty.
    void shift()
    {
        QFETCH(bool, insert);
        QFETCH(int, row);
        QFETCH(QString, expected);
        const SheetRows before = numberedSheet();
        SheetRows after = before, want;
        (insert ? RowShift::insertRow : RowShift::removeRow)(after, row);
        const QList<int> sources = rowSources(expected);
        QCOMPARE(sources.size(), RowsPerSheet);
        for (int i = 0; i < RowsPerSheet; ++i)
            want[size_t(i)] = sources[i] ? before[size_t(sources[i] - 1)] : RowContent();
        QCOMPARE(describe(after), describe(want));
    }
};

QTEST_GUILESS_MAIN(TestRowShift)
#include "tst_rowshift.moc"
