#include "common/WindowTestSupport.h"

#include "window/Toolbar.h"

#include <QDir>
#include <QLineEdit>

using namespace WindowTest;

namespace {
const QString HelpTitle = QStringLiteral("Help di Tessavo");
constexpr int HelpButton = 11;
constexpr int InSearchBox = 0;

QString helpLine(const QString &directory)
{
#ifdef Q_OS_WIN
    const QString chm = QDir::toNativeSeparators(directory) + QStringLiteral("\\TessavoHlp.chm");
#else
    const QString chm = directory + QStringLiteral("/TessavoHlp.chm");
#endif
    return QStringLiteral("HH.EXE mk:@MSITStore:") + chm + QStringLiteral("::/rubrica.htm");
}

// Clicks a cell, then, for InSearchBox, moves on to the search box with F4, as a user would.
void placeFocus(AgendaFixture &f, int lastCell, int where)
{
    clickAt(f.cell(lastCell));
    if (where == InSearchBox)
        key(Qt::Key_F4);
}

void askForHelp(AgendaFixture &f, int trigger, Qt::KeyboardModifiers modifiers)
{
    if (trigger == HelpButton)
        QTest::mouseClick(f.w().toolbar().Pic(HelpButton), Qt::LeftButton);
    else
        key(Qt::Key_F1, modifiers);
}
} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void guida_data()
    {
        QTest::addColumn<int>("lastCell"); // the cell used last
        QTest::addColumn<int>("where");    // where the focus is when help is asked: that cell, or InSearchBox
        QTest::addColumn<int>("trigger");  // HelpButton, or the F1 key
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("viewerOpen");
        const Qt::KeyboardModifiers none;
        QTest::newRow("F1 in a long cell") << 5 << 5 << 0 << none << false;
        QTest::newRow("Shift+F1 in a short cell") << 130 << 130 << 0 << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+Alt+F1") << 44 << 44 << 0 << (Qt::ControlModifier | Qt::AltModifier) << false;
        QTest::newRow("F1 in the search box") << 3 << InSearchBox << 0 << none << false;
        QTest::newRow("button, short cell 7 last") << 107 << InSearchBox << HelpButton << none << false;
        QTest::newRow("open: F1 in a cell") << 9 << 9 << 0 << none << true;
        QTest::newRow("open: button") << 107 << InSearchBox << HelpButton << none << true;
    }

    // Without a viewer, the last used cell has the focus before the viewer starts, with the
    // exact, unquoted line and the maximised style. An open viewer is left alone, and the focus
    // stays put. Either way F1 then reaches a cell as any other key does.
    void guida()
    {
        QFETCH(int, lastCell);
        QFETCH(int, where);
        QFETCH(int, trigger);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, viewerOpen);
        AgendaFixture f;
        if (viewerOpen)
            f.open.insert(HelpTitle, 1);
        QVERIFY(f.load(true));
        placeFocus(f, lastCell, where);
        QWidget *before = focused();
        f.lookups.clear();

        askForHelp(f, trigger, modifiers);

        QCOMPARE(f.lookups, QStringList{HelpTitle});
        QCOMPARE(f.launched, viewerOpen ? QStringList() : QStringList{helpLine(f.dir.path())});
        QCOMPARE(f.launchStyles, viewerOpen ? QList<int>() : QList<int>{3});
        QCOMPARE(f.focusAtLaunch, viewerOpen ? QList<QWidget *>() : QList<QWidget *>{f.cell(lastCell)});
        QCOMPARE(focused(), viewerOpen ? before : f.cell(lastCell));
        QCOMPARE(f.w().state().Cella_Corrente, lastCell);
        QCOMPARE(f.w().state().Modificato, where != InSearchBox && trigger != HelpButton);
        QVERIFY(f.texts.isEmpty());
    }

    // Blanks in the program directory stay as they are, without quotes.
    void blanksInProgramDirectory()
    {
        QTemporaryDir base;
        const QString blanks = base.filePath(QStringLiteral("Programmi di Tessavo"));
        QVERIFY(QDir().mkpath(blanks));
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(blanks));
        AgendaFixture f;
        qputenv("TMPDIR", tmp);
        QVERIFY(f.dir.path().startsWith(blanks));
        QVERIFY(f.load(true));
        key(Qt::Key_F1);
        QCOMPARE(f.launched, QStringList{helpLine(f.dir.path())});
    }

    // A viewer that cannot be started is reported and the address book goes on; a started one
    // is closed with the address book.
    void viewerLifetime()
    {
        AgendaFixture f;
        f.launchStarts = false;
        QVERIFY(f.load(true));
        clickAt(f.cell(112));
        key(Qt::Key_F1);
        QCOMPARE(f.texts, QStringList{QStringLiteral("  Impossibile aprire la guida in linea: il visualizzatore della guida non si avvia.   \r"
                                                     "  Puoi continuare a usare la Rubrica.   ")});
        QCOMPARE(f.styles, QList<int>{48 | 0x40000});
        QVERIFY(f.w().isVisible() && f.w().isStoreOpen());
        QCOMPARE(focused(), static_cast<QWidget *>(f.cell(112)));

        f.launchStarts = true;
        f.viewerCloses = 2;
        QTest::mouseClick(f.w().toolbar().Pic(HelpButton), Qt::LeftButton);
        QCOMPARE(f.launched.size(), 2);
        QVERIFY(f.open.contains(HelpTitle));
        f.answers << MsgAnswer::No;
        QVERIFY(f.w().close());
        QVERIFY(!f.open.contains(HelpTitle));
        QCOMPARE(f.closeRequests, 2);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
