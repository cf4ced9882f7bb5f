#include "common/WindowTestSupport.h"

#include "window/SheetPager.h"

using namespace WindowTest;

namespace {
constexpr int InsertButton = 6, RemoveButton = 7;
constexpr int Asking = MsgStyle::YesNo | MsgStyle::Exclamation | MsgStyle::TopMost; // first button default
const QString InsertQuestion = QStringLiteral(" Nell' ultima riga del foglio sono presenti dei dati.       \r"
                                              " Inserendo una riga tali dati verranno cancellati...   \r\r"
                                              " Vuoi continuare?  ");
const QString RemoveQuestion = QStringLiteral(" Stai per cancellare i dati della riga...   \r\r vuoi continuare?  ");

// "1-21,0,22-43": the old row each new row of a sheet comes from, in order; 0 is an empty row.
QList<int> rowSources(const QString &ranges)
{
    QList<int> rows;
    for (const QString &range : ranges.split(u',')) {
        const QStringList ends = range.split(u'-');
        for (int row = ends.first().toInt(); row <= ends.last().toInt(); ++row)
            rows << row;
    }
    return rows;
}

// Every row of sheet 0 formatted unlike its neighbours, blank ones too; sheet B1 must stay.
QByteArray sheetStore(const QList<int> &blank, const QList<int> &shortOnly)
{
    QList<QPair<int, QByteArray>> records{{45, makeRecord("Foglio B1", "")}};
    for (int row = 1; row <= 44; ++row) {
        const QByteArray codes = QByteArray() + char('0' + row % 4) + char('0' + (row + 1) % 4) + "00"
            + char('0' + row % 6) + char('0' + (row + 5) % 6);
        const bool longText = !blank.contains(row) && !shortOnly.contains(row), shortText = !blank.contains(row);
        records.append({row, makeRecord(longText ? "Nome " + QByteArray::number(row) : "",
                                        shortText ? "Tel " + QByteArray::number(row) : "", codes)});
    }
    return storeWith(records);
}

// Button, cell; rows blank and with short text only; answer; whether asked; old rows in order.
struct RowCase { int button, cell; QList<int> blank, shortOnly; int answer; bool asks; const char *expected; };

} // namespace
Q_DECLARE_METATYPE(RowCase)

// The toolbar's row operations on the sheet shown.
class TestSheetOps : public QObject
{
    Q_OBJECT

private slots:
    void shift_data()
    {
        QTest::addColumn<RowCase>("c");
        const int I = InsertButton, R = RemoveButton, Yes = MsgAnswer::Yes, No = MsgAnswer::No;
        QTest::newRow("insert at 1, full, yes") << RowCase{I, 1, {}, {}, Yes, true, "0,1-43"};
        QTest::newRow("insert at 22 from its short cell, yes") << RowCase{I, 122, {}, {}, Yes, true, "1-21,0,22-43"};
        QTest::newRow("insert at 44 from its short cell, yes") << RowCase{I, 144, {}, {}, Yes, true, "1-43,0"};
        QTest::newRow("insert, row 44 only formatted") << RowCase{I, 5, {44}, {}, No, false, "1-4,0,5-43"};
        QTest::newRow("insert, row 44 short text only") << RowCase{I, 44, {}, {44}, Yes, true, "1-43,0"};
        QTest::newRow("insert at an empty row, row 44 full") << RowCase{I, 10, {10}, {}, No, true, "1-44"};
        QTest::newRow("remove 9, yes") << RowCase{R, 9, {}, {}, Yes, true, "1-8,10-44,0"};
        QTest::newRow("remove 22 from its short cell, yes") << RowCase{R, 122, {}, {}, Yes, true, "1-21,23-44,0"};
        QTest::newRow("remove an empty row, row 44 full") << RowCase{R, 9, {9}, {}, No, false, "1-8,10-44,0"};
        QTest::newRow("remove a short text only, no") << RowCase{R, 130, {}, {30}, No, true, "1-44"};
    }

    // Every item of both cells moves with the text, down to the bytes a save writes.
    void shift()
    {
        QFETCH(RowCase, c);
        const int r = c.cell % 100;
        WindowFixture f;
        const QByteArray before = sheetStore(c.blank, c.shortOnly);
        QVERIFY(f.loadStore(before));
        ShownSheet &s = f.w().shownSheet();
        f.focusCell(c.cell);
        QTRY_VERIFY(f.focusOn(c.cell));
        f.cell(c.cell)->setCursorPosition(f.cell(c.cell)->text().isEmpty() ? 0 : 1);
        bool markedFirst = false;
        f.whileShown = [&] { markedFirst = s.modified; };
        f.answers << c.answer;
        f.press(c.button);

        QCOMPARE(f.texts, c.asks ? QStringList{c.button == InsertButton ? InsertQuestion : RemoveQuestion} : QStringList());
        QCOMPARE(f.styles, c.asks ? QList<int>{Asking} : QList<int>());
        // Changed before the question, whatever the answer.
        QVERIFY(s.modified);
        QVERIFY(markedFirst == c.asks);

        // The row's long cell, caret at its end; a moved text shows from its start.
        CellEdit *target = f.cell(r);
        QVERIFY(f.focusOn(r));
        QCOMPARE(target->cursorPosition(), int(target->text().size()));
        QCOMPARE(f.yellowCells(), QList<int>{r});
        QCOMPARE(qMakePair(s.row, s.column), qMakePair(r, 1));
        if (c.answer == MsgAnswer::Yes && r < 44)
            QCOMPARE(f.cell(r + 1)->cursorPosition(), 0);

        const QList<int> sources = rowSources(QString::fromLatin1(c.expected));
        QByteArray expected = before;
        for (int row = 1; row <= 44; ++row)
            expected.replace((row - 1) * RecordBytes, RecordBytes,
                             sources[row - 1] ? recordOf(before, sources[row - 1]) : makeRecord("", ""));
        QVERIFY(f.w().sheets().save());
        COMPARE_STORE(f.store(), expected);
    }
};

QTEST_MAIN(TestSheetOps)
#include "tst_sheetops.moc"
