#include "common/WindowTestSupport.h"

#include "window/FolderTabs.h"
#include "window/SheetPager.h"

#include <QLineEdit>

using namespace WindowTest;

namespace {

constexpr quint32 Green = 0xBEFEBE;
const QString EndPrefix = QStringLiteral("      Fine ricerca del dato:  ");
const QString EndSuffix = QString(10, QLatin1Char(' '));

QLineEdit *box(WindowFixture &f) { return f.w().searchBox(); }
void enter(WindowFixture &f) { QTest::keyClick(box(f), Qt::Key_Return); }

// The box's text, then Enter in it, as the user does it.
void searchFor(WindowFixture &f, const QString &text)
{
    if (box(f)->text() != text)
        box(f)->setText(text);
    box(f)->setFocus();
    enter(f);
}

std::tuple<int, int, bool> walkState(WindowFixture &f)
{
    const SearchPosition &s = f.w().searchPosition();
    return {s.nextRecord, s.lastHit, s.found};
}

// What the window shows after a hit in a record's long or short cell.
void verifyHit(WindowFixture &f, int record, bool shortCell)
{
    const int sheet = (record - 1) / 44, row = record - 44 * sheet;
    const ShownSheet &s = f.w().shownSheet();
    QCOMPARE(s.sheet, sheet);
    QVERIFY(f.w().tabs().folderTab(sheet)->isBold());
    QCOMPARE(QList<int>({s.row, s.column, f.w().searchPosition().lastHit}), QList<int>({row, shortCell ? 2 : 1, record}));
    QVERIFY(f.w().searchPosition().found);
    QCOMPARE(f.cellsIn(Green), QList<int>{row + (shortCell ? 100 : 0)});
    QVERIFY(!f.cell(row + (shortCell ? 100 : 0))->text().isEmpty()); // the hit's folder is loaded
    QCOMPARE(focused(), box(f));
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    // Neither Enter nor the toolbar button asks to save: the typing stays unsaved on screen.
    void emptyBoxAsksNothing()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{1, makeRecord("Anna", "")}})));
        clickAt(f.cell(3));
        QTest::keyClicks(focused(), QStringLiteral("x"));
        key(Qt::Key_F4);
        enter(f);
        f.press(9);
        QCOMPARE(f.texts, QStringList(2, QStringLiteral("  Non hai inserito il testo da cercare    ")));
        QCOMPARE(f.styles, QList<int>(2, MsgStyle::Exclamation | MsgStyle::TopMost));
        QVERIFY(f.w().shownSheet().modified);
        QCOMPARE(f.cell(3)->text(), QStringLiteral("x"));
        QCOMPARE(focused(), box(f));
        COMPARE_STORE(f.store(), storeWith({{1, makeRecord("Anna", "")}}));
    }

    // Hits at the folders' edges, the end message with the text as typed, then a new start.
    void walkToTheEnd()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{44, makeRecord("12/3 4", "")}, {45, makeRecord("", "12-34")}, {1936, makeRecord("", "1234")}})));
        const QString typed = QStringLiteral(" 12.34 ");
        searchFor(f, typed);
        verifyHit(f, 44, false);
        enter(f);
        verifyHit(f, 45, true);
        enter(f);
        verifyHit(f, 1936, true);
        QVERIFY(f.texts.isEmpty());
        enter(f);
        QCOMPARE(f.texts, QStringList{EndPrefix + typed + EndSuffix});
        QCOMPARE(f.styles, QList<int>{MsgStyle::Information | MsgStyle::TopMost});
        QCOMPARE(walkState(f), std::tuple(1, 0, false));
        QCOMPARE(focused(), box(f));
        QCOMPARE(box(f)->selectedText(), typed);
        enter(f);
        verifyHit(f, 44, false);
    }

    // An edit restarts the walk and turns the hit yellow; Shift+Down goes to the first cell.
    void editAfterHitAndDown()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{1, makeRecord("Primo", "")}, {2, makeRecord("Zara", "")}, {50, makeRecord("", "Zanichelli")}})));
        searchFor(f, QStringLiteral("za"));
        enter(f);
        verifyHit(f, 50, true);
        QTest::keyClicks(box(f), QStringLiteral("n"));
        QVERIFY(f.cellsIn(Green).isEmpty());
        QCOMPARE(f.yellowCells(), QList<int>{106});
        QCOMPARE(walkState(f), std::tuple(1, 0, true));
        QTest::keyClick(box(f), Qt::Key_Backspace);
        enter(f);
        verifyHit(f, 2, false);
        QTest::keyClick(box(f), Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(f.focusOn(1));
        QVERIFY(f.cellsIn(Green).isEmpty());
        QCOMPARE(f.yellowCells(), QList<int>{1});
        QVERIFY(f.cell(1)->cursorPosition() == 5);
        QVERIFY(!f.cell(1)->hasSelectedText());
        QCOMPARE(walkState(f), std::tuple(1, 0, false));
    }

    void saveQuestionComesFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("hit"); // 0: none, the search ends
        QTest::newRow("yes: the typed text is found") << int(MsgAnswer::Yes) << "rossi" << 2;
        QTest::newRow("no: the walk sees the store") << int(MsgAnswer::No) << "rossi" << 0;
        QTest::newRow("no: the hit reloads the sheet") << int(MsgAnswer::No) << "bianchi" << 1;
    }

    void saveQuestionComesFirst()
    {
        QFETCH(int, answer);
        QFETCH(QString, search);
        QFETCH(int, hit);
        WindowFixture f;
        const QByteArray stored = storeWith({{1, makeRecord("Bianchi", "")}});
        QVERIFY(f.loadStore(stored));
        clickAt(f.cell(2));
        QTest::keyClicks(focused(), QStringLiteral("Rossi"));
        f.answers << answer;
        searchFor(f, search);
        QStringList expected{QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio A1?  ")};
        if (!hit)
            expected << EndPrefix + search + EndSuffix;
        QCOMPARE(f.texts, expected);
        QVERIFY(!f.w().shownSheet().modified);
        const bool saved = answer == MsgAnswer::Yes;
        COMPARE_STORE(f.store(), (saved ? storeWith({{1, makeRecord("Bianchi", "")}, {2, makeRecord("Rossi", "")}}) : stored));
        if (hit)
            verifyHit(f, hit, false);
        // Declined, the typing is gone from the screen at once: a later save cannot write it.
        QCOMPARE(f.cell(2)->text(), saved ? QStringLiteral("Rossi") : QString());
        f.type(3, QStringLiteral("x"));
        QVERIFY(f.w().sheets().save());
        QCOMPARE(recordOf(f.store(), 2), saved ? makeRecord("Rossi", "") : makeRecord("", ""));
    }

    // The store is searched, not the grid: a hit in the folder shown reloads it.
    void hitInFolderShownReloadsIt()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{1, makeRecord("Alfa", "")}, {2, makeRecord("Beta", "")}})));
        clickAt(f.cell(1));
        f.cell(2)->setText(QStringLiteral("Alfa bis")); // not through the keyboard: nothing is marked changed
        box(f)->setText(QStringLiteral("alfa"));
        f.press(9);
        verifyHit(f, 1, false);
        QCOMPARE(f.cell(2)->text(), QStringLiteral("Beta"));
        enter(f);
        QCOMPARE(f.texts, QStringList{EndPrefix + "alfa" + EndSuffix});
    }

    void clickSelectsWholeText()
    {
        WindowFixture f;
        QVERIFY(f.load(true));
        box(f)->setText(QStringLiteral("Mario Rossi"));
        for (int i = 0; i < 2; ++i) { // the second click lands on selected text
            QTest::mouseClick(box(f), Qt::LeftButton, {}, QPoint(box(f)->width() / 3, box(f)->height() / 2));
            QCOMPARE(focused(), box(f));
            QCOMPARE(box(f)->selectedText(), QStringLiteral("Mario Rossi"));
        }
    }

    // Right after the save question the window may not be active yet; the hit shows all the same.
    void hitShowsInInactiveWindow()
    {
        WindowFixture f;
        QVERIFY(writeAll(f.file("rubri.dat"), storeWith({{90, makeRecord("", "Novanta")}})));
        QVERIFY(f.load(false));
        if (f.w().isActiveWindow())
            QSKIP("the platform activated the window at once");
        box(f)->setText(QStringLiteral("novanta"));
        f.w().findNext();
        QCOMPARE(std::pair(f.w().shownSheet().sheet, f.cellsIn(Green)), std::pair(2, QList<int>{102}));
        QVERIFY(activate(f.w()));
        QTRY_COMPARE(focused(), box(f));
        QCOMPARE(f.cellsIn(Green), QList<int>{102});
    }

    // The box holds what a 16-bit count does; a longer paste is cut there and searched whole.
    void longPasteIsCut()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{7, makeRecord(QByteArray(100, 'q'), "")}})));
        box(f)->setFocus();
        box(f)->insert(QString(40000, QLatin1Char('q'))); // as a paste enters it
        enter(f);
        QCOMPARE(f.texts, QStringList{EndPrefix + QString(32767, QLatin1Char('q')) + EndSuffix});
        box(f)->setText(QString(50, QLatin1Char('q')) + QString(30000, QLatin1Char(' ')) + QString(50, QLatin1Char('q')));
        enter(f);
        verifyHit(f, 7, false);
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
