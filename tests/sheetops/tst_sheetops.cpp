#include "common/WindowTestSupport.h"

#include "window/SheetPager.h"
#include "window/Toolbar.h"

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

// The cell clicked (0: none), then the search box; buttons (4 bold, 5 underline); typed; the look.
struct ToggleCase { int cell; bool searchBox; QList<int> buttons; const char *typed; bool bold, underline; };
} // namespace
Q_DECLARE_METATYPE(RowCase)
Q_DECLARE_METATYPE(ToggleCase)

// The toolbar's operations on the sheet shown: inserting and removing rows, bold and underline.
class TestSheetOps : public QObject
{
    Q_OBJECT

    // From the bare window onto the button, so that only the operation can reset the highlight.
    static void press(WindowFixture &f, int button)
    {
        QTest::mouseMove(&f.w(), QPoint(f.w().width() / 2, f.w().height() - 2));
        f.moveOnto(button);
        QCOMPARE(f.w().toolbar().activeButton(), button);
        QTest::mouseClick(f.w().toolbar().toolBox(button), Qt::LeftButton);
    }

private slots:
    void shift_data()
    {
        QTest::addColumn<RowCase>("c");
        const int I = InsertButton, R = RemoveButton, Yes = MsgAnswer::Yes, No = MsgAnswer::No;
        QTest::newRow("insert at 1, full, yes") << RowCase{I, 1, {}, {}, Yes, true, "0,1-43"};
        QTest::newRow("insert at 22 from its short cell, yes") << RowCase{I, 122, {}, {}, Yes, true, "1-21,0,22-43"};
        QTest::newRow("insert at 44 from its short cell, yes") << RowCase{I, 144, {}, {}, Yes, true, "1-43,0"};
        QTest::newRow("insert at 1, no") << RowCase{I, 1, {}, {}, No, true, "1-44"};
        QTest::newRow("insert, row 44 only formatted") << RowCase{I, 5, {44}, {}, No, false, "1-4,0,5-43"};
        QTest::newRow("insert, row 44 short text only") << RowCase{I, 44, {}, {44}, Yes, true, "1-43,0"};
        QTest::newRow("insert at an empty row, row 44 full") << RowCase{I, 10, {10}, {}, No, true, "1-44"};
        QTest::newRow("remove 9, yes") << RowCase{R, 9, {}, {}, Yes, true, "1-8,10-44,0"};
        QTest::newRow("remove 22 from its short cell, yes") << RowCase{R, 122, {}, {}, Yes, true, "1-21,23-44,0"};
        QTest::newRow("remove 9, no") << RowCase{R, 9, {}, {}, No, true, "1-44"};
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
        int highlighted = -1;
        f.whileShown = [&] {
            markedFirst = s.modified;
            highlighted = f.w().toolbar().activeButton();
        };
        f.answers << c.answer;
        press(f, c.button);

        QCOMPARE(f.texts, c.asks ? QStringList{c.button == InsertButton ? InsertQuestion : RemoveQuestion} : QStringList());
        QCOMPARE(f.styles, c.asks ? QList<int>{Asking} : QList<int>());
        // Changed before the question, whatever the answer; the toolbar goes idle once the box closes.
        QVERIFY(s.modified);
        QVERIFY(markedFirst == c.asks);
        QCOMPARE(highlighted, c.asks ? c.button : -1);
        QCOMPARE(f.w().toolbar().activeButton(), c.asks ? Toolbar::None : c.button);

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

    void toggle_data()
    {
        QTest::addColumn<ToggleCase>("c");
        QTest::newRow("bold twice is plain again") << ToggleCase{12, false, {4, 4}, "", false, false};
        QTest::newRow("bold then underline") << ToggleCase{12, false, {4, 5}, "", true, true};
        QTest::newRow("underline off, bold stays") << ToggleCase{3, false, {5, 4, 5}, "", true, false};
        QTest::newRow("short cell of row 30") << ToggleCase{130, false, {5}, "", false, true};
        QTest::newRow("empty cell, typed after") << ToggleCase{5, false, {4}, "Nuovo", true, false};
        QTest::newRow("back from the search box") << ToggleCase{107, true, {4}, "", true, false};
        QTest::newRow("no current cell") << ToggleCase{0, false, {4, 5}, "", false, false};
    }

    // Only the current cell changes, in place and size; the sheet is marked even when nothing changed.
    void toggle()
    {
        QFETCH(ToggleCase, c);
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{3, makeRecord("Tre", "3")}, {12, makeRecord("Dodici", "")},
                                       {30, makeRecord("Trenta", "Breve")}})));
        if (c.cell)
            clickAt(f.cell(c.cell));
        else
            f.w().shownSheet().column = 0;
        if (c.searchBox)
            clickAt(f.w().searchBox());
        QWidget *before = focused();
        const QRect geometry = c.cell ? f.cell(c.cell)->geometry() : QRect();
        f.w().shownSheet().modified = false;
        for (int button : c.buttons)
            f.press(button);
        QVERIFY(f.w().shownSheet().modified);
        QTest::keyClicks(focused(), QString::fromLatin1(c.typed));
        for (int code = 1; code <= 144; ++code) {
            if (f.cell(code))
                QCOMPARE(qMakePair(f.cell(code)->isBold(), f.cell(code)->isUnderlined()),
                         qMakePair(code == c.cell && c.bold, code == c.cell && c.underline));
        }
        if (!c.cell) {
            QCOMPARE(focused(), before);
            return;
        }
        QCOMPARE(f.cell(c.cell)->geometry(), geometry);
        QVERIFY(f.focusOn(c.cell));
        QVERIFY(f.w().sheets().save());
        const QByteArray record = recordOf(f.store(), c.cell % 100);
        QCOMPARE(record.at(c.cell > 100 ? 141 : 140), char('0' + (c.bold ? 1 : 0) + (c.underline ? 2 : 0)));
        QVERIFY(record.contains(c.typed));
    }
};

QTEST_MAIN(TestSheetOps)
#include "tst_sheetops.moc"
