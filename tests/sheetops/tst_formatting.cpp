#include "common/WindowTestSupport.h"

#include "window/SheetPager.h"
#include "window/Toolbar.h"

using namespace WindowTest;

// The cell clicked first (0: none has had the focus), whether the user then went on to the
// search box, the toolbar buttons pressed (4 bold, 5 underline), a text typed afterwards, and
// the cell's look at the end.
struct ToggleCase { int cell; bool searchBox; QList<int> buttons; const char *typed; bool bold, underline; };
Q_DECLARE_METATYPE(ToggleCase)

class TestFormatting : public QObject
{
    Q_OBJECT
private slots:
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

    // Only the current cell changes, in its place and size; the sheet is marked changed even
    // when nothing could change; the cell has the focus again and the save writes its look.
    void toggle()
    {
        QFETCH(ToggleCase, c);
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{3, makeRecord("Tre", "3")}, {12, makeRecord("Dodici", "")},
                                       {30, makeRecord("Trenta", "Breve")}})));
        if (c.cell)
            clickAt(f.cell(c.cell));
        else
            f.w().shownSheet().column = 0;
        if (c.searchBox)
            clickAt(f.w().Text4());
        QWidget *before = focused();
        const QRect geometry = c.cell ? f.cell(c.cell)->geometry() : QRect();
        f.w().shownSheet().modified = false;
        for (int button : c.buttons)
            QTest::mouseClick(f.w().toolbar().Pic(button), Qt::LeftButton);
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
        QCOMPARE(focused(), static_cast<QWidget *>(f.cell(c.cell)));
        QCOMPARE(f.yellowCells(), QList<int>{c.cell});
        QVERIFY(f.w().sheets().Salva());
        const QByteArray record = recordOf(f.store(), c.cell % 100);
        QCOMPARE(record.at(c.cell > 100 ? 141 : 140), char('0' + (c.bold ? 1 : 0) + (c.underline ? 2 : 0)));
        QVERIFY(record.contains(c.typed));
    }
};

QTEST_MAIN(TestFormatting)
#include "tst_formatting.moc"
