#include "common/WindowTestSupport.h"

#include "window/SheetPager.h"
#include "window/Toolbar.h"

#include <QLineEdit>

using namespace WindowTest;

namespace {
constexpr int Bold = 4, Underline = 5; // toolbar buttons

// The cell clicked first (0: none has had the focus); whether the user then went on to the
// search box; the toolbar buttons pressed; a text typed afterwards; the cell's look at the end.
struct ToggleCase { int cell; bool searchBox; QList<int> buttons; const char *typed; bool bold, underline; };
} // namespace
Q_DECLARE_METATYPE(ToggleCase)

class TestFormatting : public QObject
{
    Q_OBJECT
private slots:
    void toggle_data()
    {
        QTest::addColumn<ToggleCase>("c");
        QTest::newRow("bold twice is plain again") << ToggleCase{12, false, {Bold, Bold}, "", false, false};
        QTest::newRow("bold then underline") << ToggleCase{12, false, {Bold, Underline}, "", true, true};
        QTest::newRow("underline off, bold stays") << ToggleCase{3, false, {Underline, Bold, Underline}, "", true, false};
        QTest::newRow("short cell of row 30") << ToggleCase{130, false, {Underline}, "", false, true};
        QTest::newRow("empty cell, typed after") << ToggleCase{5, false, {Bold}, "Nuovo", true, false};
        QTest::newRow("back from the search box") << ToggleCase{107, true, {Bold}, "", true, false};
        QTest::newRow("no current cell") << ToggleCase{0, false, {Bold, Underline}, "", false, false};
    }

    // Pressed on the real buttons. Only the current cell changes, the sheet is marked changed
    // even when nothing could change, the cells keep their places and sizes, the focus is on the
    // cell again, and the save writes what the cell shows.
    void toggle()
    {
        QFETCH(ToggleCase, c);
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{3, makeRecord("Tre", "3")}, {7, makeRecord("Sette", "07")},
                                       {12, makeRecord("Dodici", "")}, {30, makeRecord("Trenta", "Breve")}})));
        frmAgenda &w = f.w();
        QTRY_COMPARE(focused(), static_cast<QWidget *>(f.cell(1)));
        if (c.cell)
            clickAt(f.cell(c.cell));
        else
            w.state().Colonna_Corrente = 0;
        if (c.searchBox)
            clickAt(w.Text4());
        QWidget *before = focused();
        QList<QRect> geometry;
        for (int code = 1; code <= 144; ++code)
            geometry << (f.cell(code) ? f.cell(code)->geometry() : QRect());
        w.state().Modificato = false;

        for (int button : c.buttons) {
            QTest::mousePress(w.toolbar().Pic(button), Qt::LeftButton);
            QTest::mouseRelease(w.toolbar().Pic(button), Qt::LeftButton);
        }
        QVERIFY(w.state().Modificato);
        for (int code = 1; code <= 144; ++code) {
            if (!f.cell(code))
                continue;
            const bool target = code == c.cell;
            QCOMPARE(qMakePair(f.cell(code)->isBold(), f.cell(code)->isUnderlined()),
                     qMakePair(target && c.bold, target && c.underline));
            QCOMPARE(f.cell(code)->geometry(), geometry.at(code - 1));
        }
        if (!c.cell) {
            QCOMPARE(focused(), before);
            return;
        }
        QCOMPARE(focused(), static_cast<QWidget *>(f.cell(c.cell)));
        QCOMPARE(f.yellowCells(), QList<int>{c.cell});
        QCOMPARE(w.state().Cella_Corrente, c.cell);
        QTest::keyClicks(focused(), QString::fromLatin1(c.typed));
        QVERIFY(f.cell(c.cell)->isBold() == c.bold && f.cell(c.cell)->isUnderlined() == c.underline);

        QVERIFY(w.sheets().Salva());
        const QByteArray record = recordOf(f.store(), c.cell % 100);
        QCOMPARE(record.at(100 + 40 + (c.cell > 100 ? 1 : 0)), char('0' + (c.bold ? 1 : 0) + (c.underline ? 2 : 0)));
        QVERIFY(record.contains(c.typed));
    }
};

QTEST_MAIN(TestFormatting)
#include "tst_formatting.moc"
