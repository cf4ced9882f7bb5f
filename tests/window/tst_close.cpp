#include "common/WindowTestSupport.h"

#include "platform/MessageBoxes.h"

#include <QLineEdit>

using namespace WindowTest;

namespace {
const QString HelpTitle = QStringLiteral("Help di Tessavo");
} // namespace

class TestClose : public QObject
{
    Q_OBJECT
private slots:
    void closeRequest_data();
    void closeRequest();
    void cancelGivesFocusBack_data();
    void cancelGivesFocusBack();
    void helpWindowIsClosed_data();
    void helpWindowIsClosed();
};

void TestClose::closeRequest_data()
{
    QTest::addColumn<QString>("typed"); // into Text1(3)
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("record3");
    QTest::newRow("unchanged") << "" << 0 << true << makeRecord("", "");
    QTest::newRow("yes") << "Bruno" << int(MsgAnswer::Yes) << true << makeRecord("Bruno", "");
    QTest::newRow("no") << "Bruno" << int(MsgAnswer::No) << true << makeRecord("", "");
    QTest::newRow("cancel") << "Bruno" << int(MsgAnswer::Cancel) << false << makeRecord("", "");
}

void TestClose::closeRequest()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(QByteArray, record3);
    AgendaFixture f;
    f.windows.open(HelpTitle, 1);
    QVERIFY(loadActive(f));
    frmAgenda &w = *f.window;
    clickCell(w.grid().Text1(3));
    if (!typed.isEmpty())
        QTest::keyClicks(focused(), typed);
    f.messages.answers << answer;

    QCOMPARE(w.close(), closes);
    if (typed.isEmpty()) {
        QVERIFY(f.messages.texts.isEmpty());
    } else {
        QCOMPARE(f.messages.texts, QStringList{QStringLiteral("  Vuoi salvare le ultime modifiche effettuate?   ")});
        QCOMPARE(f.messages.styles, QList<int>{262179});
    }
    QCOMPARE(w.isVisible(), !closes);
    QCOMPARE(w.isStoreOpen(), !closes);
    // The help window goes with the address book, the tray stays.
    QCOMPARE(f.windows.isOpen(HelpTitle), !closes);
    QVERIFY(f.windows.isOpen(QStringLiteral("KardelTray")));
    QCOMPARE(recordOf(readAll(f.file("rubri.dat")), 3), record3);
    QCOMPARE(w.grid().Text1(3)->text(), typed);
}

void TestClose::cancelGivesFocusBack_data()
{
    QTest::addColumn<int>("cellCode");
    QTest::newRow("long cell 23") << 23;
    QTest::newRow("short cell 7") << 107;
}

// The focus is in the search box when the close is asked for; Cancel returns it to the cell
// the user last worked in.
void TestClose::cancelGivesFocusBack()
{
    QFETCH(int, cellCode);
    AgendaFixture f;
    QVERIFY(loadActive(f));
    frmAgenda &w = *f.window;
    CellEdit *cell = w.grid().cell(cellCode);
    clickCell(cell);
    QTest::keyClicks(focused(), QStringLiteral("x"));
    key(Qt::Key_F4);
    QCOMPARE(focused(), static_cast<QWidget *>(w.Text4()));

    f.messages.answers << MsgAnswer::Cancel << MsgAnswer::Yes;
    QVERIFY(!w.close());
    QCOMPARE(focused(), static_cast<QWidget *>(cell));
    QCOMPARE(cell->backColour(), Yellow);
    QCOMPARE(w.state().Cella_Corrente, cellCode);
    // A second request asks again and can still save.
    QVERIFY(w.close());
    QCOMPARE(f.messages.texts.size(), 2);
    QCOMPARE(recordOf(readAll(f.file("rubri.dat")), cellCode % 100),
             cellCode > 100 ? makeRecord("", "x") : makeRecord("x", ""));
}

void TestClose::helpWindowIsClosed_data()
{
    QTest::addColumn<int>("closesNeeded"); // close requests the help window needs; -1: never closes
    QTest::newRow("closes at the third request") << 3;
    QTest::newRow("never closes") << -1;
}

void TestClose::helpWindowIsClosed()
{
    QFETCH(int, closesNeeded);
    AgendaFixture f;
    f.windows.open(HelpTitle, closesNeeded);
    QVERIFY(f.load());
    QVERIFY(f.window->close());
    if (closesNeeded > 0) {
        QCOMPARE(f.windows.closeRequests, closesNeeded);
        QVERIFY(!f.windows.isOpen(HelpTitle));
    } else {
        // Given up after a bounded number of requests rather than asking for ever.
        QVERIFY(f.windows.closeRequests > 1);
        QVERIFY(f.windows.closeRequests <= 1000);
    }
}

QTEST_MAIN(TestClose)
#include "tst_close.moc"
