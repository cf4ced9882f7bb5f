#include "common/WindowTestSupport.h"

#include "window/SheetPager.h"
#include "window/Toolbar.h"

using namespace WindowTest;

namespace {
constexpr int InsertButton = 6;
constexpr int RemoveButton = 7;
constexpr int Asking = MsgStyle::YesNo | MsgStyle::Exclamation | MsgStyle::TopMost; // first button default
const QString InsertQuestion = QStringLiteral(" Nell' ultima riga del foglio sono presenti dei dati.       \r"
                                              " Inserendo una riga tali dati verranno cancellati...   \r\r"
                                              " Vuoi continuare?  ");
const QString RemoveQuestion = QStringLiteral(" Stai per cancellare i dati della riga...   \r\r vuoi continuare?  ");

// Sheet 0 with every row formatted and each one differently from its neighbours (style and
// colour codes vary in both cells); the short cell of row 22, at the page edge, is bold,
// underlined and red. Blank rows keep their formatting without any text.
QByteArray sheetRecord(int row, bool longText, bool shortText)
{
    const QByteArray codes = QByteArray() + char('0' + row % 4) + char('0' + (row + 1) % 4) + "00"
        + char('0' + row % 6) + char('0' + (row + 5) % 6);
    return makeRecord(longText ? "Nome " + QByteArray::number(row) : "", shortText ? "Tel " + QByteArray::number(row) : "",
                      codes);
}

QByteArray sheetStore(const QList<int> &blank, const QList<int> &shortOnly)
{
    QList<QPair<int, QByteArray>> records;
    for (int row = 1; row <= 44; ++row)
        records.append({row, sheetRecord(row, !blank.contains(row) && !shortOnly.contains(row), !blank.contains(row))});
    records.append({45, makeRecord("Foglio B1", "")}); // the next sheet stays as it was
    return storeWith(records);
}

// "1-21,0,22-43": the old record each new row of sheet 0 comes from, in order; 0 is an empty row.
QByteArray shiftedStore(const QByteArray &store, const QString &ranges)
{
    QByteArray shifted = store;
    int row = 1;
    for (const QString &range : ranges.split(QLatin1Char(','))) {
        const int first = range.section(QLatin1Char('-'), 0, 0).toInt();
        const int last = range.contains(QLatin1Char('-')) ? range.section(QLatin1Char('-'), 1, 1).toInt() : first;
        for (int source = first; source <= last; ++source, ++row)
            shifted.replace((row - 1) * RecordBytes, RecordBytes, source ? recordOf(store, source) : makeRecord("", ""));
    }
    return row == 45 ? shifted : QByteArray();
}

// The operation and the cell the user was in; rows with no text, rows with text only in the
// short cell; the answer given if asked; whether the question comes; the rows after it.
struct RowCase
{
    int button, cell;
    QList<int> blank, shortOnly;
    int answer;
    bool asks;
    const char *expected;
};
} // namespace
Q_DECLARE_METATYPE(RowCase)

class TestRows : public QObject
{
    Q_OBJECT

    // As a user does: from the bare window onto the button, then a click. The leave test's
    // pointer goes along, so only the operation itself can reset the highlight.
    static void press(AgendaFixture &f, int button)
    {
        QTest::mouseMove(&f.w(), QPoint(f.w().width() / 2, f.w().height() - 2));
        ToolBox *box = f.w().toolbar().Pic(button);
        f.pointer = box->mapToGlobal(box->rect().center());
        QTest::mouseMove(box, box->rect().center());
        QCOMPARE(f.w().toolbar().Pulsante_Attivo(), button);
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    }

    static void focusCell(AgendaFixture &f, int code)
    {
        f.cell(code)->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(focused(), static_cast<QWidget *>(f.cell(code)));
    }

private slots:
    void shift_data()
    {
        QTest::addColumn<RowCase>("c");
        const int I = InsertButton, R = RemoveButton, Yes = MsgAnswer::Yes, No = MsgAnswer::No;
        QTest::newRow("insert at 1, full, yes") << RowCase{I, 1, {}, {}, Yes, true, "0,1-43"};
        QTest::newRow("insert at 22 from its short cell, yes") << RowCase{I, 122, {}, {}, Yes, true, "1-21,0,22-43"};
        QTest::newRow("insert at 23, yes") << RowCase{I, 23, {}, {}, Yes, true, "1-22,0,23-43"};
        QTest::newRow("insert at 44, yes") << RowCase{I, 44, {}, {}, Yes, true, "1-43,0"};
        QTest::newRow("insert at 1, no") << RowCase{I, 1, {}, {}, No, true, "1-44"};
        QTest::newRow("insert at 44 from its short cell, no") << RowCase{I, 144, {}, {}, No, true, "1-44"};
        QTest::newRow("insert, row 44 only formatted") << RowCase{I, 5, {44}, {}, No, false, "1-4,0,5-43"};
        QTest::newRow("insert, row 44 short text only") << RowCase{I, 44, {}, {44}, Yes, true, "1-43,0"};
        QTest::newRow("insert at an empty row, row 44 full") << RowCase{I, 10, {10}, {}, No, true, "1-44"};
        QTest::newRow("remove 9, yes") << RowCase{R, 9, {}, {}, Yes, true, "1-8,10-44,0"};
        QTest::newRow("remove 22 from its short cell, yes") << RowCase{R, 122, {}, {}, Yes, true, "1-21,23-44,0"};
        QTest::newRow("remove 23, yes") << RowCase{R, 23, {}, {}, Yes, true, "1-22,24-44,0"};
        QTest::newRow("remove 44, yes") << RowCase{R, 44, {}, {}, Yes, true, "1-43,0"};
        QTest::newRow("remove 9, no") << RowCase{R, 9, {}, {}, No, true, "1-44"};
        QTest::newRow("remove an empty row, row 44 full") << RowCase{R, 9, {9}, {}, No, false, "1-8,10-44,0"};
        QTest::newRow("remove a short text only, no") << RowCase{R, 130, {}, {30}, No, true, "1-44"};
        QTest::newRow("remove an empty row 44") << RowCase{R, 44, {44}, {}, No, false, "1-43,0"};
    }

    // Every item of both cells moves with the text, and what the cells show is what reaches
    // the store: the records are compared byte by byte after a save.
    void shift()
    {
        QFETCH(RowCase, c);
        const int r = c.cell % 100;
        AgendaFixture f;
        const QByteArray before = sheetStore(c.blank, c.shortOnly);
        QVERIFY(f.loadStore(before));
        frmAgenda &w = f.w();
        AgendaState &s = w.state();
        focusCell(f, c.cell);
        f.cell(c.cell)->setCursorPosition(f.cell(c.cell)->text().isEmpty() ? 0 : 1);
        bool markedFirst = false;
        int highlighted = -1;
        f.whileShown = [&] {
            markedFirst = s.Modificato;
            highlighted = w.toolbar().Pulsante_Attivo();
        };
        f.answers << c.answer;
        press(f, c.button);

        const QString question = c.button == InsertButton ? InsertQuestion : RemoveQuestion;
        QCOMPARE(f.texts, c.asks ? QStringList{question} : QStringList());
        QCOMPARE(f.styles, c.asks ? QList<int>{Asking} : QList<int>());
        // The sheet counts as changed before the question, whatever the answer; the toolbar goes
        // idle only once the box has closed.
        QCOMPARE(markedFirst, c.asks);
        QVERIFY(s.Modificato);
        QCOMPARE(highlighted, c.asks ? c.button : -1);
        QCOMPARE(w.toolbar().Pulsante_Attivo(), c.asks ? Toolbar::None : c.button);
        if (c.asks)
            QCOMPARE(s.Risposta, c.answer);

        // The long cell of the row, caret at the end of whatever it now holds.
        CellEdit *target = f.cell(r);
        QCOMPARE(focused(), static_cast<QWidget *>(target));
        QCOMPARE(target->cursorPosition(), int(target->text().size()));
        QCOMPARE(f.yellowCells(), QList<int>{r});
        QCOMPARE(qMakePair(s.Riga_Corrente, s.Colonna_Corrente), qMakePair(r, 1));
        // A moved text shows from its beginning, as any cell the user is not in.
        const int moved = r + 1;
        if (c.answer == MsgAnswer::Yes && moved <= 44)
            QCOMPARE(f.cell(moved)->cursorPosition(), 0);

        const QByteArray expected = shiftedStore(before, QString::fromLatin1(c.expected));
        QVERIFY(!expected.isEmpty());
        QVERIFY(w.sheets().Salva());
        for (int row = 1; row <= 45; ++row)
            QCOMPARE(recordOf(f.store(), row), recordOf(expected, row));
        QVERIFY(f.store() == expected);
    }
};

QTEST_MAIN(TestRows)
#include "tst_rows.moc"
