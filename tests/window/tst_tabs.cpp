#include "common/WindowTestSupport.h"

#include "window/FolderTabs.h"

#include <QLineEdit>
#include <QRandomGenerator>

using namespace WindowTest;

namespace {
constexpr quint32 TabColour = 0x00EAEAEA;  // ColTasti=7
constexpr quint32 PageColour = 0x00B7E6FF; // ColSfondo=3

// Tab and page colours that differ, and a text in row 1 of sheets 0 and 5.
bool loadWithColours(AgendaFixture &f)
{
    QByteArray store = emptyStore();
    putRecord(store, 1, makeRecord("Mario Rossi", "02 1234"));
    putRecord(store, 5 * 44 + 1, makeRecord("Franca Fabbri", ""));
    return writeAll(f.file("Kardel.ini"), "[Rubrica]\r\nColTasti=7\r\nColSfondo=3\r\n")
        && writeAll(f.file("rubri.dat"), store) && loadActive(f);
}

int yellowCells(frmAgenda &w)
{
    int count = 0;
    for (int row = 1; row <= 44; ++row)
        count += (w.grid().Text1(row)->backColour() == Yellow) + (w.grid().Text2(row)->backColour() == Yellow);
    return count;
}
} // namespace

class TestTabs : public QObject
{
    Q_OBJECT
private slots:
    void firstCellReadyAfterClick_data();
    void firstCellReadyAfterClick();
    void exactlyOneSelectedTab_data();
    void exactlyOneSelectedTab();
    void pageAndWindowClicks();
};

void TestTabs::firstCellReadyAfterClick_data()
{
    QTest::addColumn<int>("focusCell"); // cell clicked before the tab; 0: the search box, -1: none
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("text"); // Text1(1) of the new sheet
    QTest::newRow("row 1 already focused") << -1 << false << 5 << "Franca Fabbri";
    QTest::newRow("row 1 clicked, same tab") << 1 << false << 0 << "Mario Rossi";
    QTest::newRow("short cell, modified") << 110 << true << 5 << "Franca Fabbri";
    QTest::newRow("search box, right page tab") << 0 << false << 7 << "";
}

void TestTabs::firstCellReadyAfterClick()
{
    QFETCH(int, focusCell);
    QFETCH(bool, modified);
    QFETCH(int, tab);
    QFETCH(QString, text);
    AgendaFixture f;
    QVERIFY(loadWithColours(f));
    frmAgenda &w = *f.window;
    QTRY_COMPARE(focused(), static_cast<QWidget *>(w.grid().Text1(1)));
    if (focusCell >= 0) {
        QWidget *start = focusCell ? static_cast<QWidget *>(w.grid().cell(focusCell)) : w.Text4();
        QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(3, start->height() / 2));
        QCOMPARE(focused(), start);
    }
    if (modified)
        QTest::keyClicks(focused(), QStringLiteral("k"));
    w.state().Trovato = true;
    w.state().Prossimo_Record = 300;
    w.state().Ultimo_Trovato = 299;

    QTest::mouseClick(w.tabs().lblFolder(tab), Qt::LeftButton);
    QCOMPARE(f.messages.texts.size(), modified ? 1 : 0);
    CellEdit *first = w.grid().Text1(1);
    QCOMPARE(first->text(), text);
    QCOMPARE(focused(), static_cast<QWidget *>(first));
    QCOMPARE(first->cursorPosition(), int(text.size()));
    QCOMPARE(first->backColour(), Yellow);
    QCOMPARE(yellowCells(w), 1);
    const AgendaState &s = w.state();
    QVERIFY(!s.Trovato);
    QCOMPARE(s.Prossimo_Record, 1);
    QCOMPARE(s.Ultimo_Trovato, 0);
    QCOMPARE(s.Riga_Corrente, 1);
    QCOMPARE(s.Colonna_Corrente, 1);
    QVERIFY(!s.Modo_Cursore);
    QVERIFY(!s.Modificato);
    QCOMPARE(s.Foglio_Corrente, tab);
}

void TestTabs::exactlyOneSelectedTab_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::newRow("same tab twice") << QList<int>{0, 0};
    QTest::newRow("both rows and ends") << QList<int>{43, 0, 7, 28, 42, 21, 20};
    QList<int> random;
    QRandomGenerator generator(20240611);
    for (int i = 0; i < 40; ++i)
        random << int(generator.bounded(44));
    QTest::newRow("seeded random") << random;
}

void TestTabs::exactlyOneSelectedTab()
{
    QFETCH(QList<int>, clicks);
    AgendaFixture f;
    QVERIFY(loadWithColours(f));
    frmAgenda &w = *f.window;
    for (int selected : clicks) {
        QTest::mouseClick(w.tabs().lblFolder(selected), Qt::LeftButton);
        QCOMPARE(w.state().Foglio_Corrente, selected);
        for (int i = 0; i < 44; ++i) {
            QCOMPARE(w.tabs().lblFolder(i)->isBold(), i == selected);
            QCOMPARE(w.tabs().lblFolder(i)->backColour(), i == selected ? PageColour : TabColour);
        }
    }
    QCOMPARE(w.tabs().lblScheda()->backColour(), PageColour);
}

// A click on the page does nothing; a click on the bare window only brings the focus to the
// first cell, caret at the end, even in caret mode and when that cell has the focus already.
void TestTabs::pageAndWindowClicks()
{
    AgendaFixture f;
    QVERIFY(loadWithColours(f));
    frmAgenda &w = *f.window;
    SheetPage *page = w.tabs().lblScheda();
    const QPoint onPage(page->width() / 3, page->height() - 3); // below the last row of cells
    QCOMPARE(w.childAt(page->mapTo(&w, onPage)), static_cast<QWidget *>(page));
    const QPoint bare(w.width() / 2, w.height() - 2);
    QVERIFY(!w.childAt(bare));

    clickCell(w.grid().Text2(10));
    QTest::keyClicks(focused(), QStringLiteral("q"));
    w.state().Prossimo_Record = 17;
    QTest::mouseClick(page, Qt::LeftButton, {}, onPage);
    QCOMPARE(focused(), static_cast<QWidget *>(w.grid().Text2(10)));

    CellEdit *first = w.grid().Text1(1);
    first->setCursorPosition(2);
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(&w, Qt::LeftButton, {}, bare);
        QCOMPARE(focused(), static_cast<QWidget *>(first));
        QCOMPARE(first->cursorPosition(), 11);
        first->setCursorPosition(0);
    }
    QCOMPARE(first->text(), QStringLiteral("Mario Rossi"));
    QCOMPARE(w.grid().Text2(10)->text(), QStringLiteral("q"));
    QVERIFY(f.messages.texts.isEmpty());
    QVERIFY(w.state().Modificato);
    QCOMPARE(w.state().Prossimo_Record, 17);
    QCOMPARE(w.state().Foglio_Corrente, 0);
    QCOMPARE(yellowCells(w), 1);
}

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"
