#include "common/WindowTestSupport.h"

#include "platform/MessageBoxes.h"
#include "window/FolderTabs.h"
#include "window/SheetPager.h"
#include "window/Toolbar.h"

#include <QLineEdit>

using namespace WindowTest;

namespace {
void clickTab(frmAgenda &w, int index)
{
    QTest::mouseClick(w.tabs().lblFolder(index), Qt::LeftButton);
}

void pressSave(frmAgenda &w)
{
    QTest::mouseClick(w.toolbar().Pic(0), Qt::LeftButton);
}
} // namespace

class TestSheets : public QObject
{
    Q_OBJECT
private slots:
    void cellRoundTrip_data();
    void cellRoundTrip();
    void switchingSheets_data();
    void switchingSheets();
    void toolbarSaveGivesFocusBack_data();
    void toolbarSaveGivesFocusBack();
    void unknownCodesKeepEarlierLook_data();
    void unknownCodesKeepEarlierLook();
};

void TestSheets::cellRoundTrip_data()
{
    QTest::addColumn<int>("cellCode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style"); // 1 bold, 2 underline
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<QByteArray>("record5");
    const QString longText(100, QLatin1Char('w'));
    const QString shortText(40, QLatin1Char('m'));
    QTest::newRow("long trailing blanks") << 5 << "Anna  " << 0 << 0u << "Anna" << makeRecord("Anna", "");
    QTest::newRow("long leading blanks") << 5 << "  Anna" << 0 << 0u << "  Anna" << makeRecord("  Anna", "");
    QTest::newRow("long bold dark blue") << 5 << "Bice" << 1 << 0xC00000u << "Bice" << makeRecord("Bice", "", "100010");
    QTest::newRow("long underline dark red") << 5 << "Cleo" << 2 << 0x0000C0u << "Cleo" << makeRecord("Cleo", "", "200020");
    QTest::newRow("long both red") << 5 << "Dino" << 3 << 0x0000FFu << "Dino" << makeRecord("Dino", "", "300030");
    QTest::newRow("long full blue") << 5 << longText << 0 << 0xFF0000u << longText
                                    << makeRecord(longText.toLatin1(), "", "000040");
    QTest::newRow("long bold magenta") << 5 << "Ezio" << 1 << 0xFF00FFu << "Ezio" << makeRecord("Ezio", "", "100050");
    QTest::newRow("short blanks both ends") << 105 << " 06 " << 0 << 0u << " 06" << makeRecord("", " 06");
    QTest::newRow("short bold dark blue") << 105 << "a" << 1 << 0xC00000u << "a" << makeRecord("", "a", "010001");
    QTest::newRow("short underline dark red") << 105 << "b" << 2 << 0x0000C0u << "b" << makeRecord("", "b", "020002");
    QTest::newRow("short both red") << 105 << "c" << 3 << 0x0000FFu << "c" << makeRecord("", "c", "030003");
    QTest::newRow("short blue") << 105 << "d" << 0 << 0xFF0000u << "d" << makeRecord("", "d", "000004");
    QTest::newRow("short full magenta") << 105 << shortText << 2 << 0xFF00FFu << shortText
                                        << makeRecord("", shortText.toLatin1(), "020005");
}

// Saved from one window, read back by the next one on the same program directory.
void TestSheets::cellRoundTrip()
{
    QFETCH(int, cellCode);
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(quint32, colour);
    QFETCH(QString, readBack);
    QFETCH(QByteArray, record5);
    AgendaFixture f;
    QVERIFY(f.load());
    CellEdit *cell = f.window->grid().cell(cellCode);
    cell->setText(text);
    cell->setBold(style & 1);
    cell->setUnderlined(style & 2);
    cell->setForeColour(colour);
    f.window->state().Modificato = true;
    QVERIFY(f.window->sheets().Salva());
    QVERIFY(!f.window->state().Modificato);
    QCOMPARE(recordOf(readAll(f.file("rubri.dat")), 5), record5);

    QVERIFY(f.window->close());
    QVERIFY(f.load());
    cell = f.window->grid().cell(cellCode);
    QCOMPARE(cell->text(), readBack);
    QCOMPARE(cell->isBold(), bool(style & 1));
    QCOMPARE(cell->isUnderlined(), bool(style & 2));
    QCOMPARE(cell->foreColour(), colour);
}

void TestSheets::switchingSheets_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("leave B1, yes") << 1 << 3 << int(MsgAnswer::Yes) << "B1";
    QTest::newRow("leave B1, no") << 1 << 3 << int(MsgAnswer::No) << "B1";
    QTest::newRow("same tab, no reloads") << 0 << 0 << int(MsgAnswer::No) << "A1";
    QTest::newRow("same tab, yes keeps") << 0 << 0 << int(MsgAnswer::Yes) << "A1";
}

// Row 2 of sheet `from` is edited, then the tab of sheet `to` is clicked.
void TestSheets::switchingSheets()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, answer);
    QFETCH(QString, caption);
    AgendaFixture f;
    QByteArray store = emptyStore();
    putRecord(store, 2, makeRecord("Orig", ""));
    putRecord(store, 3 * 44 + 2, makeRecord("Dora", ""));
    QVERIFY(writeAll(f.file("rubri.dat"), store));
    QVERIFY(loadActive(f));
    frmAgenda &w = *f.window;
    clickTab(w, from);
    QVERIFY(f.messages.texts.isEmpty());
    const QByteArray before = recordOf(store, from * 44 + 2).left(100).trimmed();
    clickCell(w.grid().Text1(2));
    QTest::keyClicks(focused(), QStringLiteral("Carla"));

    // The tabs have changed before the question comes.
    bool tabsFirst = false;
    f.messages.whileShown = [&] {
        tabsFirst = w.tabs().lblFolder(to)->isBold() && (from == to || !w.tabs().lblFolder(from)->isBold());
    };
    f.messages.answers << answer;
    clickTab(w, to);
    const QString question = QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio %1?  ").arg(caption);
    QCOMPARE(f.messages.texts, QStringList{question});
    QCOMPARE(f.messages.styles, QList<int>{262180});
    QVERIFY(tabsFirst);
    if (answer == MsgAnswer::Yes)
        putRecord(store, from * 44 + 2, makeRecord("Carla" + before, ""));
    QVERIFY(readAll(f.file("rubri.dat")) == store);
    QCOMPARE(w.state().Foglio_Corrente, to);
    QCOMPARE(w.grid().Text1(2)->text().toLatin1(), recordOf(store, to * 44 + 2).left(100).trimmed());
    QVERIFY(!w.state().Modificato);
}

void TestSheets::toolbarSaveGivesFocusBack_data()
{
    QTest::addColumn<int>("cellCode");
    QTest::newRow("short cell 30") << 130;
    QTest::newRow("long cell 12") << 12;
}

// The user moved on to the search box before pressing save.
void TestSheets::toolbarSaveGivesFocusBack()
{
    QFETCH(int, cellCode);
    AgendaFixture f;
    QVERIFY(loadActive(f));
    frmAgenda &w = *f.window;
    CellEdit *cell = w.grid().cell(cellCode);
    clickCell(cell);
    QTest::keyClicks(focused(), QStringLiteral("z"));
    QTest::mouseClick(w.Text4(), Qt::LeftButton);
    QCOMPARE(focused(), static_cast<QWidget *>(w.Text4()));
    pressSave(w);
    QCOMPARE(focused(), static_cast<QWidget *>(cell));
    QVERIFY(!w.state().Modificato);
    QVERIFY(!w.state().Modo_Cursore);
    QCOMPARE(recordOf(readAll(f.file("rubri.dat")), cellCode % 100),
             cellCode > 100 ? makeRecord("", "z") : makeRecord("z", ""));
}

void TestSheets::unknownCodesKeepEarlierLook_data()
{
    QTest::addColumn<QByteArray>("codes"); // of sheet 1, row 1
    QTest::addColumn<bool>("fontKept");
    QTest::addColumn<bool>("colourKept");
    QTest::newRow("unknown style") << QByteArray("x70011") << true << false;
    QTest::newRow("unknown colour") << QByteArray("00009 ") << false << true;
    QTest::newRow("NUL codes") << QByteArray("\0\0" "00" "\0\0", 6) << true << true;
}

void TestSheets::unknownCodesKeepEarlierLook()
{
    QFETCH(QByteArray, codes);
    QFETCH(bool, fontKept);
    QFETCH(bool, colourKept);
    AgendaFixture f;
    QByteArray store = emptyStore();
    putRecord(store, 1, makeRecord("Zero", "zero", "330044"));
    putRecord(store, 45, makeRecord("Uno", "uno", codes));
    QVERIFY(writeAll(f.file("rubri.dat"), store));
    QVERIFY(loadActive(f));
    frmAgenda &w = *f.window;
    clickTab(w, 1);
    for (CellEdit *cell : {w.grid().Text1(1), w.grid().Text2(1)}) {
        QCOMPARE(cell->text().toLower(), QStringLiteral("uno"));
        QCOMPARE(cell->isBold(), fontKept);
        QCOMPARE(cell->isUnderlined(), fontKept);
        QCOMPARE(cell->foreColour(), colourKept ? 0xFF0000u : 0xC00000u);
    }
    QVERIFY(!w.state().Modificato);
    QVERIFY(readAll(f.file("rubri.dat")) == store);
}

QTEST_MAIN(TestSheets)
#include "tst_sheets.moc"
