#include "common/WindowTestSupport.h"

#include "platform/MessageBoxes.h"
#include "window/FolderTabs.h"
#include "window/Toolbar.h"

#include <QDir>
#include <QLineEdit>

using namespace WindowTest;

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void refusedStartTouchesNothing_data();
    void refusedStartTouchesNothing();
    void storeAtStartUp_data();
    void storeAtStartUp();
    void coloursFromSettings_data();
    void coloursFromSettings();
    void unusableStoreIsReported();
    void staticLayout();
    void tabOrderRunsThroughTheCells();
    void showsSheetZero();
};

void TestStartup::refusedStartTouchesNothing_data()
{
    QTest::addColumn<bool>("trayRuns");
    QTest::addColumn<bool>("otherCopy");
    QTest::newRow("tray absent") << false << false;
    QTest::newRow("another copy") << true << true;
}

void TestStartup::refusedStartTouchesNothing()
{
    QFETCH(bool, trayRuns);
    QFETCH(bool, otherCopy);
    AgendaFixture f;
    if (!trayRuns)
        f.windows = FakeWindowDirectory();
    f.instance.otherCopyRuns = otherCopy;
    QVERIFY(!f.load());
    QVERIFY(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    QVERIFY(f.messages.texts.isEmpty());
    QVERIFY(!f.window->isVisible());
    // The single-instance test comes first: a second copy does not even look for the tray.
    QCOMPARE(f.windows.lookups.isEmpty(), otherCopy);
}

void TestStartup::storeAtStartUp_data()
{
    QTest::addColumn<QByteArray>("existing"); // null: no file
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("half a record") << QByteArray("Zeno").leftJustified(73, 'z');
    QTest::newRow("two sheets") << makeRecord("Anna", "0123", "130051") + makeRecord("", "").repeated(87);
}

// A missing store is created empty; any existing file is read, never written, also at a
// close without changes.
void TestStartup::storeAtStartUp()
{
    QFETCH(QByteArray, existing);
    AgendaFixture f;
    if (!existing.isNull())
        QVERIFY(writeAll(f.file("rubri.dat"), existing));
    QVERIFY(f.load());
    const QByteArray expected = existing.isNull() ? emptyStore() : existing;
    QCOMPARE(readAll(f.file("rubri.dat")).size(), expected.size());
    QVERIFY(readAll(f.file("rubri.dat")) == expected);
    QVERIFY(f.window->close());
    QVERIFY(readAll(f.file("rubri.dat")) == expected);
    QVERIFY(f.messages.texts.isEmpty());
}

void TestStartup::coloursFromSettings_data()
{
    QTest::addColumn<QByteArray>("ini"); // null: no settings file
    QTest::addColumn<quint32>("tabs");
    QTest::addColumn<quint32>("page");
    QTest::newRow("no file") << QByteArray() << 0x8000000Fu << 0x8000000Fu;
    QTest::newRow("7 and 3") << QByteArray("[Rubrica]\r\nColTasti=7\r\nColSfondo=3\r\n") << 0x00EAEAEAu << 0x00B7E6FFu;
    QTest::newRow("9 reads as 1") << QByteArray("[Rubrica]\r\nColTasti=9\r\n") << 0x00F8EFEFu << 0x8000000Fu;
}

void TestStartup::coloursFromSettings()
{
    QFETCH(QByteArray, ini);
    QFETCH(quint32, tabs);
    QFETCH(quint32, page);
    AgendaFixture f;
    if (!ini.isNull())
        QVERIFY(writeAll(f.file("Kardel.ini"), ini));
    QVERIFY(f.load());
    QCOMPARE(f.window->tabs().lblFolder(0)->backColour(), page);
    QCOMPARE(f.window->tabs().lblScheda()->backColour(), page);
    for (int i = 1; i < 44; ++i)
        QCOMPARE(f.window->tabs().lblFolder(i)->backColour(), tabs);
}

void TestStartup::unusableStoreIsReported()
{
    AgendaFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("rubri.dat")));
    QVERIFY(!f.load());
    QCOMPARE(f.messages.styles, QList<int>{MsgStyle::Critical | MsgStyle::TopMost});
    QVERIFY2(f.messages.texts.at(0).contains(f.window->storePath()), qPrintable(f.messages.texts.at(0)));
}

void TestStartup::staticLayout()
{
    // Caption, lower (0) or upper (1) row, left edge in twips.
    struct Tab { const char *caption; bool upper; int left; };
    static const Tab tabs[44] = {
        {"A1", 0, 45}, {"B1", 0, 500}, {"C1", 0, 950}, {"D1", 0, 1395}, {"E1", 0, 1845}, {"F1", 0, 2300},
        {"G1", 0, 2750}, {"HJK", 0, 3200}, {"I1", 0, 3650}, {"L1", 0, 4100}, {"M1", 0, 4550}, {"N1", 0, 5000},
        {"O1", 0, 5450}, {"P1", 0, 5900}, {"Q1", 0, 6350}, {"R1", 0, 6800}, {"S1", 0, 7250}, {"T1", 0, 7700},
        {"U1", 0, 8150}, {"V1", 0, 8600}, {"Z1", 0, 9510}, {"A2", 1, 45}, {"B2", 1, 500}, {"C2", 1, 950},
        {"D2", 1, 1395}, {"E2", 1, 1845}, {"F2", 1, 2300}, {"G2", 1, 2750}, {"WXY", 0, 9040}, {"I2", 1, 3650},
        {"L2", 1, 4100}, {"M2", 1, 4550}, {"N2", 1, 5000}, {"O2", 1, 5450}, {"P2", 1, 5900}, {"Q2", 1, 6350},
        {"R2", 1, 6800}, {"S2", 1, 7250}, {"T2", 1, 7700}, {"U2", 1, 8150}, {"V2", 1, 8600}, {"Z2", 1, 9510},
        {"*", 1, 3200}, {"#", 1, 9040}};
    static const char *const tips[13] = {
        " Salva ", " Taglia ", " Copia ", " Incolla ", " Testo in grassetto ", " Testo sottolineato ",
        " Inserisci riga ", " Togli riga ", " Colore testo ", " Cerca nella Rubrica ", " Opzioni colore ",
        " Guida in linea ", " Chiudi la Rubrica "};
    AgendaFixture f;
    QVERIFY(f.load());
    frmAgenda &w = *f.window;
    QCOMPARE(w.windowTitle(), QStringLiteral(" Rubrica di Tessavo"));
    QCOMPARE(w.size(), QSize(twips(10020, w), twips(6555, w)));
    if (w.logicalDpiX() == 96)
        QCOMPARE(w.size(), QSize(668, 437));
    for (int i = 0; i < 44; ++i) {
        const FolderTab *tab = w.tabs().lblFolder(i);
        QCOMPARE(tab->caption(), QString::fromLatin1(tabs[i].caption));
        QCOMPARE(tab->pos(), QPoint(twips(tabs[i].left, w), twips(tabs[i].upper ? 480 : 740, w)));
    }
    for (int i = 0; i < 13; ++i)
        QCOMPARE(w.toolbar().Pic(i)->toolTip(), QString::fromLatin1(tips[i]));
    QCOMPARE(w.Text4()->toolTip(), QStringLiteral(" Cerca il testo inserito in tutte le cartelle della Rubrica  "));
    // Row r and row r + 22 share a line; the right page starts over at the top.
    for (int row : {1, 22, 23, 44}) {
        QCOMPARE(w.grid().Text1(row)->maxLength(), 100);
        QCOMPARE(w.grid().Text2(row)->maxLength(), 40);
        QCOMPARE(w.grid().Text1(row)->pos(), QPoint(twips(row <= 22 ? 120 : 5040, w), twips(1080 + (row - 1) % 22 * 240, w)));
        QCOMPARE(w.grid().Text2(row)->y(), w.grid().Text1(row)->y());
    }
}

void TestStartup::tabOrderRunsThroughTheCells()
{
    AgendaFixture f;
    QVERIFY(f.load());
    frmAgenda &w = *f.window;
    QList<QWidget *> chain;
    for (QWidget *next = w.nextInFocusChain(); next != &w && chain.size() < 88; next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus)
            chain << next;
    }
    QCOMPARE(chain.size(), 88);
    for (int row = 1; row <= 44; ++row) {
        QCOMPARE(chain.at(2 * row - 2), static_cast<QWidget *>(w.grid().Text1(row)));
        QCOMPARE(chain.at(2 * row - 1), static_cast<QWidget *>(w.grid().Text2(row)));
    }
}

void TestStartup::showsSheetZero()
{
    AgendaFixture f;
    QByteArray store = emptyStore();
    putRecord(store, 1, makeRecord("Primo", "uno"));
    putRecord(store, 45, makeRecord("Secondo foglio", ""));
    QVERIFY(writeAll(f.file("rubri.dat"), store));
    QVERIFY(loadActive(f));
    frmAgenda &w = *f.window;
    QCOMPARE(w.grid().Text1(1)->text(), QStringLiteral("Primo"));
    QCOMPARE(w.grid().Text2(1)->text(), QStringLiteral("uno"));
    for (int i = 0; i < 44; ++i)
        QCOMPARE(w.tabs().lblFolder(i)->isBold(), i == 0);
    QVERIFY(!w.state().Modificato);
    QCOMPARE(w.toolbar().Pulsante_Attivo(), 13);
    // The first cell in tab order takes the focus when the window shows.
    QTRY_COMPARE(focused(), static_cast<QWidget *>(w.grid().Text1(1)));
    QCOMPARE(w.grid().Text1(1)->backColour(), Yellow);
    QCOMPARE(w.state().Cella_Corrente, 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
