#include "common/WindowTestSupport.h"

#include <QDir>

using namespace WindowTest;

namespace {
const QString HelpTitle = QStringLiteral("Help di Tessavo");
constexpr int HelpButton = 11;

// Unquoted: the viewer reads the rest of the line as the address, blanks and all.
QString helpLine(const QString &directory)
{
    return "HH.EXE mk:@MSITStore:" + QDir::toNativeSeparators(directory + "/TessavoHlp.chm") + "::/rubrica.htm";
}

// Cell used last; F4 to the search box; the button, else F1 with modifiers; viewer open already.
struct HelpCase { int lastCell; bool inSearchBox, button; Qt::KeyboardModifiers modifiers; bool viewerOpen; };
} // namespace
Q_DECLARE_METATYPE(HelpCase)

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void guida_data()
    {
        QTest::addColumn<HelpCase>("c");
        QTest::newRow("F1 in a long cell") << HelpCase{5, false, false, {}, false};
        QTest::newRow("Ctrl+Alt+F1 in a short cell") << HelpCase{130, false, false, Qt::ControlModifier | Qt::AltModifier, false};
        QTest::newRow("F1 in the search box") << HelpCase{3, true, false, {}, false};
        QTest::newRow("button, short cell 7 last") << HelpCase{107, true, true, {}, false};
        QTest::newRow("open: F1 in a cell") << HelpCase{9, false, false, {}, true};
        QTest::newRow("open: button") << HelpCase{107, true, true, {}, true};
    }

    // The last cell has the focus when the viewer starts; an open viewer is left alone, focus put.
    void guida()
    {
        QFETCH(HelpCase, c);
        const auto f = std::make_unique<WindowFixture>();
        if (c.viewerOpen)
            f->open.insert(HelpTitle, 1);
        QVERIFY(f->load(true));
        clickAt(f->cell(c.lastCell));
        if (c.inSearchBox)
            key(Qt::Key_F4);
        QWidget *before = focused();
        f->lookups.clear();

        if (c.button)
            f->press(HelpButton);
        else
            key(Qt::Key_F1, c.modifiers);

        QCOMPARE(f->lookups, QStringList{HelpTitle});
        QCOMPARE(f->launched, c.viewerOpen ? QStringList() : QStringList{helpLine(f->dir.path())});
        QCOMPARE(f->launchStyles, c.viewerOpen ? QList<int>() : QList<int>{ShowStyle::Maximised});
        QCOMPARE(f->focusAtLaunch, c.viewerOpen ? QList<QWidget *>() : QList<QWidget *>{f->cell(c.lastCell)});
        QCOMPARE(focused(), c.viewerOpen ? before : f->cell(c.lastCell));
        QCOMPARE(f->w().shownSheet().lastCell, c.lastCell);
        QCOMPARE(f->w().shownSheet().modified, !c.inSearchBox && !c.button);
        QVERIFY(f->texts.isEmpty());
    }

    // A started viewer closing with the address book is tst_window's closeRequest.
    void viewerThatCannotStart()
    {
        WindowFixture f;
        f.launchStarts = false;
        QVERIFY(f.load(true));
        clickAt(f.cell(112));
        key(Qt::Key_F1);
        QCOMPARE(f.texts, QStringList{QStringLiteral("  Impossibile aprire la guida in linea: il visualizzatore della guida non si avvia.   \r"
                                                     "  Puoi continuare a usare la Rubrica.   ")});
        QCOMPARE(f.styles, QList<int>{MsgStyle::Exclamation | MsgStyle::TopMost});
        QVERIFY(f.w().isStoreOpen());
        QVERIFY(f.focusOn(112));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
