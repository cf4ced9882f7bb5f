#include "common/WindowTestSupport.h"

#include "window/FolderTabs.h"
#include "window/Toolbar.h"

#include <QClipboard>
#include <QLineEdit>

using namespace WindowTest;

namespace {

constexpr quint32 Green = 0xBEFEBE;
const QString EndPrefix = QStringLiteral("      Fine ricerca del dato:  ");
const QString EndSuffix = QString(10, QLatin1Char(' '));
constexpr int ExclamationTop = 48 | 0x40000;
constexpr int InformationTop = 64 | 0x40000;

QList<int> greenCells(AgendaFixture &f)
{
    QList<int> codes;
    for (int code = 1; code <= 144; ++code) {
        if (f.cell(code) && f.cell(code)->backColour() == Green)
            codes << code;
    }
    return codes;
}

// The box's text, then Enter in it, as the user does it.
void searchFor(AgendaFixture &f, const QString &text)
{
    QLineEdit *box = f.w().Text4();
    if (box->text() != text)
        box->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
}

void enter(AgendaFixture &f) { QTest::keyClick(f.w().Text4(), Qt::Key_Return); }

QWidget *box(AgendaFixture &f) { return f.w().Text4(); }

// What the window shows after a hit in a record's long or short cell.
void verifyHit(AgendaFixture &f, int record, bool shortCell)
{
    const int sheet = (record - 1) / 44, row = record - 44 * sheet;
    const int code = row + (shortCell ? 100 : 0);
    const AgendaState &s = f.w().state();
    QCOMPARE(s.Foglio_Corrente, sheet);
    QVERIFY(f.w().tabs().lblFolder(sheet)->isBold());
    QCOMPARE(QList<int>({s.Riga_Corrente, s.Colonna_Corrente, s.Ultimo_Trovato}), QList<int>({row, shortCell ? 2 : 1, record}));
    QVERIFY(s.Trovato);
    QCOMPARE(greenCells(f), QList<int>{code});
    QCOMPARE(focused(), box(f));
}

struct SaveCase { int answer; QString search; int hitCell; bool ends; };

} // namespace
Q_DECLARE_METATYPE(SaveCase)

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    void emptyBoxAsksNothing_data()
    {
        QTest::addColumn<bool>("fromToolbar");
        QTest::newRow("enter") << false;
        QTest::newRow("toolbar") << true;
    }

    void emptyBoxAsksNothing()
    {
        QFETCH(bool, fromToolbar);
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{1, makeRecord("Anna", "")}})));
        clickAt(f.cell(3));
        QTest::keyClicks(focused(), QStringLiteral("x"));
        key(Qt::Key_F4);
        QCOMPARE(focused(), box(f));
        if (fromToolbar)
            QTest::mouseClick(f.w().toolbar().Pic(9), Qt::LeftButton);
        else
            enter(f);
        QCOMPARE(f.texts, QStringList{"  Non hai inserito il testo da cercare    "});
        QCOMPARE(f.styles, QList<int>{ExclamationTop});
        QVERIFY(f.w().state().Modificato);
        QCOMPARE(f.cell(3)->text(), QStringLiteral("x"));
        QCOMPARE(focused(), box(f));
        QVERIFY(f.store() == storeWith({{1, makeRecord("Anna", "")}}));
    }

    void hitOpensFolderAndRow_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<bool>("shortCell");
        QTest::newRow("record 44, last row of folder 0") << 44 << false;
        QTest::newRow("record 45, first row of folder 1") << 45 << true;
        QTest::newRow("record 1936, long") << 1936 << false;
        QTest::newRow("record 1936, short") << 1936 << true;
        QTest::newRow("record 1") << 1 << false;
    }

    void hitOpensFolderAndRow()
    {
        QFETCH(int, record);
        QFETCH(bool, shortCell);
        AgendaFixture f;
        const QByteArray hit = shortCell ? makeRecord("", "Zanzibar") : makeRecord("Viaggi Zanzibar", "");
        QVERIFY(f.loadStore(storeWith({{record, hit}})));
        searchFor(f, QStringLiteral("zanzi"));
        QVERIFY(f.texts.isEmpty());
        verifyHit(f, record, shortCell);
        QCOMPARE(f.w().state().Prossimo_Record, shortCell ? record + 1 : record);
        const int row = record - 44 * ((record - 1) / 44);
        QCOMPARE(f.cell(row + (shortCell ? 100 : 0))->text().right(8), QStringLiteral("Zanzibar"));
    }

    // The box's text as typed, blanks and all, between the fixed pieces; then the next step
    // starts at the first record again.
    void endOfSearch()
    {
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{3, makeRecord("12/3 4", "")}, {200, makeRecord("", "12-34")}})));
        const QString typed = QStringLiteral(" 12.34 ");
        searchFor(f, typed);
        verifyHit(f, 3, false);
        enter(f);
        verifyHit(f, 200, true);
        enter(f);
        QCOMPARE(f.texts, QStringList{EndPrefix + typed + EndSuffix});
        QCOMPARE(f.styles, QList<int>{InformationTop});
        const AgendaState &s = f.w().state();
        QCOMPARE(std::tuple(s.Prossimo_Record, s.Ultimo_Trovato, s.Trovato), std::tuple(1, 0, false));
        QCOMPARE(focused(), box(f));
        QCOMPARE(f.w().Text4()->selectedText(), typed);
        enter(f);
        verifyHit(f, 3, false);
    }

    void editAfterHitTurnsCellYellow()
    {
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{2, makeRecord("Zara", "")}, {50, makeRecord("", "Zanichelli")}})));
        searchFor(f, QStringLiteral("za"));
        enter(f);
        verifyHit(f, 50, true);
        QTest::keyClicks(box(f), QStringLiteral("n"));
        QVERIFY(greenCells(f).isEmpty());
        QCOMPARE(f.yellowCells(), QList<int>{106});
        const AgendaState &s = f.w().state();
        QCOMPARE(std::tuple(s.Prossimo_Record, s.Ultimo_Trovato, s.Trovato), std::tuple(1, 0, true));
        QTest::keyClick(box(f), Qt::Key_Backspace);
        enter(f);
        verifyHit(f, 2, false);
    }

    void saveQuestionComesFirst_data()
    {
        QTest::addColumn<SaveCase>("c");
        QTest::newRow("yes: the typed text is found") << SaveCase{MsgAnswer::Yes, "rossi", 2, false};
        QTest::newRow("no: the walk sees the store") << SaveCase{MsgAnswer::No, "rossi", 0, true};
        QTest::newRow("no: the hit reloads the sheet") << SaveCase{MsgAnswer::No, "bianchi", 1, false};
    }

    void saveQuestionComesFirst()
    {
        QFETCH(SaveCase, c);
        AgendaFixture f;
        const QByteArray stored = storeWith({{1, makeRecord("Bianchi", "")}});
        QVERIFY(f.loadStore(stored));
        clickAt(f.cell(2));
        QTest::keyClicks(focused(), QStringLiteral("Rossi"));
        f.answers << c.answer;
        searchFor(f, c.search);

        QStringList expected{QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio A1?  ")};
        if (c.ends)
            expected << EndPrefix + c.search + EndSuffix;
        QCOMPARE(f.texts, expected);
        QVERIFY(!f.w().state().Modificato);
        const bool saved = c.answer == MsgAnswer::Yes;
        QVERIFY(f.store() == (saved ? storeWith({{1, makeRecord("Bianchi", "")}, {2, makeRecord("Rossi", "")}}) : stored));
        if (c.hitCell)
            verifyHit(f, c.hitCell, false);
        // Declined and not reloaded, the grid still shows the typing until the next switch.
        QCOMPARE(f.cell(2)->text(), saved || c.ends ? QStringLiteral("Rossi") : QString());
    }

    // The grid is never searched, and a hit in the folder shown shows it as the store holds it.
    void hitInFolderShownReloadsIt()
    {
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{1, makeRecord("Alfa", "")}, {2, makeRecord("Beta", "")}})));
        // The cell of the hit holds the focus, and the step comes from the toolbar.
        clickAt(f.cell(1));
        f.cell(2)->setText(QStringLiteral("Alfa bis")); // not through the keyboard: nothing is marked changed
        f.w().Text4()->setText(QStringLiteral("alfa"));
        QTest::mouseClick(f.w().toolbar().Pic(9), Qt::LeftButton);
        verifyHit(f, 1, false);
        QCOMPARE(f.cell(2)->text(), QStringLiteral("Beta"));
        enter(f);
        QCOMPARE(f.texts, QStringList{EndPrefix + "alfa" + EndSuffix});
    }

    void downLeavesForFirstCell()
    {
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{1, makeRecord("Primo", "")}, {30, makeRecord("Trenta", "")}})));
        searchFor(f, QStringLiteral("trenta"));
        verifyHit(f, 30, false);
        QTest::keyClick(box(f), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(focused(), static_cast<QWidget *>(f.cell(1)));
        QVERIFY(greenCells(f).isEmpty());
        QCOMPARE(f.yellowCells(), QList<int>{1});
        QCOMPARE(f.cell(1)->cursorPosition(), 5);
        QVERIFY(!f.cell(1)->hasSelectedText());
        const AgendaState &s = f.w().state();
        QCOMPARE(std::tuple(s.Prossimo_Record, s.Ultimo_Trovato, s.Trovato), std::tuple(1, 0, false));
        QCOMPARE(f.w().Text4()->text(), QStringLiteral("trenta"));
    }

    void clickSelectsWholeText()
    {
        AgendaFixture f;
        QVERIFY(f.load(true));
        QLineEdit *text4 = f.w().Text4();
        text4->setText(QStringLiteral("Mario Rossi"));
        for (int i = 0; i < 2; ++i) { // the second click lands on selected text
            QTest::mouseClick(text4, Qt::LeftButton, {}, QPoint(text4->width() / 3, text4->height() / 2));
            QCOMPARE(focused(), static_cast<QWidget *>(text4));
            QCOMPARE(text4->selectedText(), QStringLiteral("Mario Rossi"));
        }
    }

    // Right after the save question the window may not be active yet; the hit shows all the same.
    void hitShowsInInactiveWindow()
    {
        AgendaFixture f;
        QVERIFY(writeAll(f.file("rubri.dat"), storeWith({{90, makeRecord("", "Novanta")}})));
        QVERIFY(f.load(false));
        if (f.w().isActiveWindow())
            QSKIP("the platform activated the window at once");
        f.w().Text4()->setText(QStringLiteral("novanta"));
        f.w().Cerca();
        QCOMPARE(f.w().state().Foglio_Corrente, 2);
        QCOMPARE(greenCells(f), QList<int>{102});
        QCOMPARE(f.w().state().Colonna_Corrente, 2);
        QVERIFY(activate(f.w()));
        QTRY_COMPARE(focused(), box(f));
        QCOMPARE(greenCells(f), QList<int>{102});
    }

    // The box holds what a 16-bit count does; a longer paste is cut there and searched whole.
    void longPasteIsCut()
    {
        AgendaFixture f;
        QVERIFY(f.loadStore(storeWith({{7, makeRecord(QByteArray(100, 'q'), "")}})));
        QApplication::clipboard()->setText(QString(40000, QLatin1Char('q')));
        QLineEdit *text4 = f.w().Text4();
        text4->setFocus();
        QTest::keyClick(text4, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text4->text().size(), 32767);
        enter(f);
        QCOMPARE(f.texts, QStringList{EndPrefix + QString(32767, QLatin1Char('q')) + EndSuffix});
        text4->setText(QString(50, QLatin1Char('q')) + QString(30000, QLatin1Char(' ')) + QString(50, QLatin1Char('q')));
        enter(f);
        verifyHit(f, 7, false);
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
