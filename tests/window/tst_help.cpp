#include "common/WindowTestSupport.h"

#include "window/Toolbar.h"

#include <QDir>
#include <QLineEdit>

using namespace WindowTest;

namespace {
const QString HelpTitle = QStringLiteral("Help di Tessavo");
constexpr int HelpButton = 11;
constexpr int SearchBox = 0;

QString helpLine(const QString &directory)
{
#ifdef Q_OS_WIN
    const QString chm = QDir::toNativeSeparators(directory) + QStringLiteral("\\TessavoHlp.chm");
#else
    const QString chm = directory + QStringLiteral("/TessavoHlp.chm");
#endif
    return QStringLiteral("HH.EXE mk:@MSITStore:") + chm + QStringLiteral("::/rubrica.htm");
}

// Clicks a cell, then, for SearchBox, moves on to the search box with F4, as a user would.
void placeFocus(AgendaFixture &f, int lastCell, int where)
{
    clickAt(f.cell(lastCell));
    if (where == SearchBox)
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
    void opensViewer_data()
    {
        QTest::addColumn<int>("lastCell");  // the cell used last
        QTest::addColumn<int>("where");     // where the focus is when help is asked: that cell, or SearchBox
        QTest::addColumn<int>("trigger");   // HelpButton, or the F1 key
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("F1 in a long cell") << 5 << 5 << 0 << Qt::KeyboardModifiers();
        QTest::newRow("Shift+F1 in a short cell") << 130 << 130 << 0 << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Ctrl+F1") << 44 << 44 << 0 << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Alt+Shift+F1") << 1 << 1 << 0 << (Qt::AltModifier | Qt::ShiftModifier);
        QTest::newRow("F1 in the search box") << 3 << SearchBox << 0 << Qt::KeyboardModifiers();
        QTest::newRow("button, short cell 7 last") << 107 << SearchBox << HelpButton << Qt::KeyboardModifiers();
        QTest::newRow("button from a cell") << 22 << 22 << HelpButton << Qt::KeyboardModifiers();
    }

    // The last used cell has the focus before the viewer starts, with the exact, unquoted line
    // and the maximised style; F1 then still reaches the cell as any other key.
    void opensViewer()
    {
        QFETCH(int, lastCell);
        QFETCH(int, where);
        QFETCH(int, trigger);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        AgendaFixture f;
        QVERIFY(f.load(true));
        placeFocus(f, lastCell, where);
        f.lookups.clear();

        askForHelp(f, trigger, modifiers);

        QCOMPARE(f.lookups, QStringList{HelpTitle});
        QCOMPARE(f.launched, QStringList{helpLine(f.dir.path())});
        QCOMPARE(f.launchStyles, QList<int>{3});
        QCOMPARE(f.focusAtLaunch, QList<QWidget *>{f.cell(lastCell)});
        QCOMPARE(focused(), static_cast<QWidget *>(f.cell(lastCell)));
        QCOMPARE(f.w().state().Cella_Corrente, lastCell);
        QCOMPARE(f.yellowCells(), QList<int>{lastCell});
        QCOMPARE(f.w().state().Modificato, where != SearchBox && trigger != HelpButton);
        QVERIFY(f.texts.isEmpty());
        QVERIFY(f.w().isVisible());
    }

    void openViewerIsLeftAlone_data()
    {
        QTest::addColumn<int>("where");
        QTest::addColumn<int>("trigger");
        QTest::newRow("F1 in a cell") << 9 << 0;
        QTest::newRow("F1 in the search box") << SearchBox << 0;
        QTest::newRow("button") << SearchBox << HelpButton;
    }

    // A viewer started earlier is found by its title: no second one, and the focus stays put.
    void openViewerIsLeftAlone()
    {
        QFETCH(int, where);
        QFETCH(int, trigger);
        AgendaFixture f;
        f.viewerCloses = 1;
        QVERIFY(f.load(true));
        key(Qt::Key_F1);
        QCOMPARE(f.launched.size(), 1);
        placeFocus(f, 109, where);
        QWidget *before = focused();
        const bool modifiedBefore = f.w().state().Modificato;

        askForHelp(f, trigger, {});

        QCOMPARE(f.launched.size(), 1);
        QCOMPARE(f.lookups.last(), HelpTitle);
        QCOMPARE(focused(), before);
        QCOMPARE(f.w().state().Cella_Corrente, 109);
        // The key itself still reaches a cell, and marks the sheet as any other key does.
        QCOMPARE(f.w().state().Modificato, modifiedBefore || (where != SearchBox && trigger != HelpButton));
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
        QVERIFY(!f.launched.first().contains(QLatin1Char('"')));
    }

    // A viewer that cannot be started is reported; the address book goes on, and the next
    // request tries again.
    void viewerThatCannotStart()
    {
        AgendaFixture f;
        f.launchStarts = false;
        QVERIFY(f.load(true));
        clickAt(f.cell(112));
        QTest::mouseClick(f.w().toolbar().Pic(HelpButton), Qt::LeftButton);

        QCOMPARE(f.texts, QStringList{QStringLiteral("  Impossibile aprire la guida in linea: il visualizzatore della guida non si avvia.   \r"
                                                     "  Puoi continuare a usare la Rubrica.   ")});
        QCOMPARE(f.styles, QList<int>{48 | 0x40000});
        QVERIFY(f.w().isVisible());
        QVERIFY(f.w().isStoreOpen());
        QCOMPARE(focused(), static_cast<QWidget *>(f.cell(112)));
        QTest::keyClicks(focused(), QStringLiteral("ok"));
        QCOMPARE(f.cell(112)->text(), QStringLiteral("ok"));

        key(Qt::Key_F1);
        QCOMPARE(f.launched.size(), 2);
        QCOMPARE(f.texts.size(), 2);
    }

    // The viewer opened from the address book goes when the address book closes.
    void viewerClosesWithWindow()
    {
        AgendaFixture f;
        f.viewerCloses = 2;
        QVERIFY(f.load(true));
        key(Qt::Key_F1);
        QVERIFY(f.open.contains(HelpTitle));
        f.answers << MsgAnswer::No;
        QVERIFY(f.w().close());
        QVERIFY(!f.open.contains(HelpTitle));
        QCOMPARE(f.closeRequests, 2);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
