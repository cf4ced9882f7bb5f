#include "common/WindowTestSupport.h"

#include "platform/QuitOnSignal.h"
#include "window/SheetPager.h"

#include <QDialog>
#include <QDir>

#include <csignal>
#include <utility>

using namespace WindowTest;

namespace {
// A few rows, on sheets 0, 1 and 5.
QByteArray loadWithRows(WindowFixture &f)
{
    const QByteArray store = storeWith({{1, makeRecord("Mario Rossi", "02 1234")}, {46, makeRecord("Orig", "")},
                                        {134, makeRecord("Dora", "")}, {221, makeRecord("Franca Fabbri", "")}});
    return f.loadStore(store) ? store : QByteArray();
}

// Sheet first shown; cell clicked (0: search box, -1: none); answer after typing (0: none); tab.
struct TabCase { int from, start, answer, to; };
const QString CloseQuestion = QStringLiteral("  Vuoi salvare le ultime modifiche effettuate?   ");
enum Via { WindowClose, CloseButton, Signal };
// Cell typed in (0: none); answer; how asked (SIGTERM; e2e has the others); help closes; a
// dialog of the user's open.
struct CloseCase { int cell, answer; Via via; int helpCloses; bool dialogOpen = false; };
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
Q_DECLARE_METATYPE(TabCase)
Q_DECLARE_METATYPE(CloseCase)
Q_DECLARE_METATYPE(HelpCase)

class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp_data()
    {
        QTest::addColumn<QByteArray>("existing"); // null: no store
        QTest::addColumn<int>("refusal");         // 1: no tray window, 2: another copy runs, 3: the store is a folder
        QTest::newRow("tray absent") << QByteArray() << 1;
        QTest::newRow("another copy") << QByteArray("") << 2;
        QTest::newRow("store unusable") << QByteArray() << 3;
        QTest::newRow("missing") << QByteArray() << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
        QTest::newRow("half a record") << QByteArray("Zeno").leftJustified(73, 'z') << 0;
        const QByteArray look = codes(StyleCode::Bold, StyleCode::BoldUnderlined, ColourCode::Magenta, ColourCode::DarkBlue);
        QTest::newRow("two sheets") << makeRecord("Anna", "0123", look) + makeRecord("", "").repeated(87) << 0;
    }

    // Refusals end silently, touching nothing; an unusable store is told; a store is never rewritten.
    void startUp()
    {
        QFETCH(QByteArray, existing);
        QFETCH(int, refusal);
        WindowFixture f;
        f.otherCopy = refusal == 2;
        if (refusal == 1)
            f.open.clear();
        QVERIFY(existing.isNull() || writeAll(f.file("rubri.dat"), existing));
        QVERIFY(refusal != 3 || QDir(f.dir.path()).mkdir(QStringLiteral("rubri.dat")));
        QCOMPARE(f.load(), !refusal);
        // A window is made only once every check has passed.
        QCOMPARE(f.window != nullptr, !refusal);
        QVERIFY(refusal || f.w().isVisible());
        QCOMPARE(f.application->startFailed(), refusal == 3);
        QCOMPARE(f.styles, refusal == 3 ? QList<int>{MsgStyle::Critical | MsgStyle::TopMost} : QList<int>());
        if (refusal == 3) {
            QVERIFY2(f.texts.at(0).contains(f.application->storePath()), qPrintable(f.texts.at(0)));
            return;
        }
        // The single-instance test comes first: a second copy does not even look for the tray.
        QCOMPARE(f.lookups.isEmpty(), refusal == 2);
        const QByteArray expected = existing.isNull() && !refusal ? storeWith() : existing;
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 expected.isNull() ? QStringList() : QStringList{"rubri.dat"});
        QVERIFY(refusal || f.w().close());
        COMPARE_STORE(f.store(), expected);
    }

    void closeRequest_data()
    {
        QTest::addColumn<CloseCase>("c");
        QTest::newRow("unchanged") << CloseCase{0, 0, WindowClose, 1};
        QTest::newRow("yes, help closes at 3") << CloseCase{107, MsgAnswer::Yes, WindowClose, 3};
        QTest::newRow("no, help never closes") << CloseCase{5, MsgAnswer::No, WindowClose, -1};
        QTest::newRow("cancel, long cell") << CloseCase{23, MsgAnswer::Cancel, WindowClose, 1};
        QTest::newRow("button, cancel, short cell") << CloseCase{104, MsgAnswer::Cancel, CloseButton, 1};
#ifdef Q_OS_UNIX
        QTest::newRow("signal, cancel") << CloseCase{6, MsgAnswer::Cancel, Signal, 1};
        QTest::newRow("signal waits for an open dialog") << CloseCase{0, 0, Signal, 1, true};
#endif
    }

    // Annulla keeps window and focus; the help window goes with the address book.
    void closeRequest()
    {
        QFETCH(CloseCase, c);
        const bool closes = c.answer != MsgAnswer::Cancel;
        WindowFixture f;
        f.open.insert(HelpTitle, c.helpCloses);
        QVERIFY(f.load(true));
        if (c.cell) {
            f.type(c.cell, QStringLiteral("x"));
            key(Qt::Key_F4);
        }
        f.answers << c.answer;
        if (c.via == CloseButton)
            f.press(12);
        else if (c.via == WindowClose)
            QCOMPARE(f.w().close(), closes);
#ifdef Q_OS_UNIX
        int signalled = 0;
        QuitOnSignal watcher([&] {
            ++signalled;
            f.w().requestClose();
        });
        // The signal again while the question is open (a modal box) asks nothing more.
        bool repeated = false;
        f.whileShown = [&] {
            if (std::exchange(repeated, true))
                return;
            QDialog box(&f.w());
            box.setWindowModality(Qt::ApplicationModal);
            box.show();
            const int before = signalled;
            ::raise(SIGTERM);
            QTRY_VERIFY(signalled > before);
        };
        // A dialog of the user's (the colour options, say) is not closed under them.
        QDialog dialog(&f.w());
        dialog.setWindowModality(Qt::ApplicationModal);
        if (c.dialogOpen) {
            dialog.show();
            QTRY_COMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(&dialog));
        }
        if (c.via == Signal) {
            ::raise(SIGTERM);
            QTRY_VERIFY(signalled > 0);
            QCoreApplication::processEvents(); // whatever the request left queued
        }
        if (c.dialogOpen) {
            QVERIFY(f.w().isVisible());
            dialog.close();
            QTRY_VERIFY(!f.w().isVisible());
        }
#endif

        QCOMPARE(f.texts, c.cell ? QStringList{CloseQuestion} : QStringList());
        QCOMPARE(f.styles, c.cell ? QList<int>{MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::TopMost} : QList<int>());
        QCOMPARE(qMakePair(f.w().isVisible(), f.w().isStoreOpen()), qMakePair(!closes, !closes));
        const QByteArray x = c.cell > 100 ? makeRecord("", "x") : makeRecord("x", "");
        COMPARE_STORE(f.store(), (c.answer == MsgAnswer::Yes ? storeWith({{c.cell % 100, x}}) : storeWith()));
        QCOMPARE(f.open.contains(HelpTitle), !closes || c.helpCloses < 0);
        if (c.helpCloses < 0) // asked again and again, but not for ever
            QVERIFY(f.closeRequests > 1);
        else
            QCOMPARE(f.closeRequests, closes ? c.helpCloses : 0);
        // A box of the test may leave the window inactive; its own focus widget still counts.
        if (!closes)
            QCOMPARE(c.via == Signal ? f.w().focusWidget() : focused(), static_cast<QWidget *>(f.cell(c.cell)));
    }

    void tabClick_data()
    {
        QTest::addColumn<TabCase>("c");
        QTest::newRow("row 1 focused") << TabCase{0, -1, 0, 5};
        QTest::newRow("row 1 clicked, same tab") << TabCase{0, 1, 0, 0};
        QTest::newRow("search box, right page tab") << TabCase{0, 0, 0, 7};
        QTest::newRow("leave B1, yes") << TabCase{1, 2, MsgAnswer::Yes, 3};
        QTest::newRow("short cell, leave B1, no") << TabCase{1, 110, MsgAnswer::No, 3};
        QTest::newRow("same tab, no reloads") << TabCase{0, 2, MsgAnswer::No, 0};
    }

    void tabClick()
    {
        QFETCH(TabCase, c);
        WindowFixture f;
        QByteArray store = loadWithRows(f);
        QVERIFY(!store.isEmpty());
        AddressBookWindow &w = f.w();
        if (c.from)
            f.clickTab(c.from);
        if (c.start >= 0)
            clickAt(c.start ? static_cast<QWidget *>(f.cell(c.start)) : w.searchBox());
        if (c.answer)
            QTest::keyClicks(focused(), QStringLiteral("Carla"));
        bool tabsFirst = false; // the tabs change before the question comes
        f.whileShown = [&] {
            tabsFirst = w.tabs().folderTab(c.to)->isBold() && (c.from == c.to || !w.tabs().folderTab(c.from)->isBold());
        };
        f.answers << c.answer;
        f.clickTab(c.to);

        const QString question = QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio %1?  ");
        QCOMPARE(f.texts, c.answer ? QStringList{question.arg(c.from ? "B1" : "A1")} : QStringList());
        QCOMPARE(f.styles, c.answer ? QList<int>{MsgStyle::YesNo | MsgStyle::Question | MsgStyle::TopMost} : QList<int>());
        QCOMPARE(tabsFirst, c.answer != 0);
        if (c.answer == MsgAnswer::Yes)
            store.replace((c.from * 44 + 1) * RecordBytes, RecordBytes, makeRecord("CarlaOrig", ""));
        COMPARE_STORE(f.store(), store);
        for (int row : {1, 2})
            QCOMPARE(f.cell(row)->text().toLatin1(), recordOf(store, c.to * 44 + row).left(100).trimmed());
        QVERIFY(f.focusOn(1));
        QCOMPARE(f.cell(1)->cursorPosition(), int(f.cell(1)->text().size()));
        QCOMPARE(f.yellowCells(), QList<int>{1});
        QVERIFY(!w.shownSheet().modified);
        QCOMPARE(w.shownSheet().sheet, c.to);
    }

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

    // A started viewer closing with the address book is closeRequest's.
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

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
