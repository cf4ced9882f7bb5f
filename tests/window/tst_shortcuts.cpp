// The keys of the window, and the toolbar's buttons, as a user presses them.
#include "common/WindowTestSupport.h"

#include "window/FolderOrder.h"
#include "window/KeyboardShortcuts.h"
#include "window/Toolbar.h"

#include <QDialog>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>

using namespace WindowTest;

class TestShortcuts : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_f;

    AddressBookWindow &w() { return m_f->w(); }
    KeyboardShortcuts *keys() { return w().findChild<KeyboardShortcuts *>(); }
    void press(const QKeySequence &key) { QTest::keyClick(focused(), key[0].key(), key[0].keyboardModifiers()); }

private slots:
    void init()
    {
        m_f = std::make_unique<WindowFixture>();
        QVERIFY(m_f->loadStore(storeWith({{5, makeRecord("Anna", "12")}})));
        m_f->focusCell(5);
        QTRY_VERIFY(m_f->focusOn(5));
    }

    void everyActionHasItsKey_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("inSearchBox");
        for (int i = 0; i < ToolbarActionCount; ++i) {
            if (toolbarAction(i) == ToolbarAction::Help) // the cells' and the search box's own F1
                continue;
            const QString key = KeyboardShortcuts::keysFor(toolbarAction(i)).first().toString();
            QTest::addRow("%s in a cell", qPrintable(key)) << i << false;
            QTest::addRow("%s in the search box", qPrintable(key)) << i << true;
        }
    }

    // Once, and from a cell too, whose own editing would take Ctrl+U and Ctrl+Ins; its text stays.
    void everyActionHasItsKey()
    {
        QFETCH(int, action);
        QFETCH(bool, inSearchBox);
        if (inSearchBox) {
            w().searchBox()->setFocus(Qt::OtherFocusReason);
            QTRY_COMPARE(focused(), static_cast<QWidget *>(w().searchBox()));
        }
        QSignalSpy requests(keys(), &KeyboardShortcuts::actionRequested);
        const ToolbarAction expected = toolbarAction(action);
        // The action itself must not get in the way: no row to move, no column to cut.
        if (expected == ToolbarAction::InsertRow || expected == ToolbarAction::RemoveRow || expected == ToolbarAction::Cut
            || expected == ToolbarAction::Paste)
            disconnect(keys(), &KeyboardShortcuts::actionRequested, &w(), nullptr);
        press(KeyboardShortcuts::keysFor(expected).first());
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0).at(0).value<ToolbarAction>(), expected);
        QCOMPARE(m_f->cell(5)->text(), QStringLiteral("Anna"));
    }

    // A key held down inserts one row, not one a repeat; the folder keys do repeat. A dialog's
    // keys are the dialog's.
    void heldKeysAndDialogs()
    {
        QSignalSpy requests(keys(), &KeyboardShortcuts::actionRequested);
        disconnect(keys(), &KeyboardShortcuts::actionRequested, &w(), nullptr);
        const auto repeat = [](int key) {
            QKeyEvent held(QEvent::KeyPress, key, Qt::ControlModifier, QString(), true);
            QApplication::sendEvent(focused(), &held);
        };
        repeat(Qt::Key_Insert);
        QCOMPARE(requests.count(), 0);
        QCOMPARE(m_f->cell(5)->text(), QStringLiteral("Anna"));
        repeat(Qt::Key_PageDown);
        QCOMPARE(w().shownSheet().sheet, folderAfter(0, 1));

        QDialog dialog(&w());
        auto *box = new QLineEdit(&dialog);
        dialog.show();
        box->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(requests.count(), 0);
        QCOMPARE(w().shownSheet().sheet, folderAfter(0, 1));
    }

    // As a tab click does (its save question is tst_window's); holding Ctrl changes nothing.
    // Ctrl+PgDn and PgUp walk the book: every folder once, back where they started, each step
    // undone by the other key.
    void bookOrderVisitsEveryFolder()
    {
        QSet<int> seen;
        int folder = 0;
        for (int step = 0; step < 44; ++step) {
            seen.insert(folder);
            QCOMPARE(folderAfter(folderAfter(folder, 1), -1), folder);
            folder = folderAfter(folder, 1);
        }
        QCOMPARE(seen.size(), 44);
        QCOMPARE(folder, 0);
    }

    void keyboardFolderSwitch()
    {
        press(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
        QCOMPARE(w().shownSheet().sheet, 43);
        QVERIFY(m_f->texts.isEmpty());
        QTest::keyClicks(focused(), QStringLiteral("x"));
        m_f->answers = {MsgAnswer::Yes};
        press(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
        QCOMPARE(m_f->texts.size(), 1);
        QCOMPARE(w().shownSheet().sheet, 0);
        QVERIFY(w().tabs().folderTab(0)->isBold());
        QVERIFY(m_f->focusOn(1));
    }

    // Real keys reach the movement rules (tst_gridrules): Tab, F4, the caret, Ctrl marks.
    void keysInCells()
    {
        key(Qt::Key_Tab);
        QVERIFY(m_f->focusOn(105));
        QCOMPARE(m_f->yellowCells(), QList<int>{105});
        key(Qt::Key_F4);
        QCOMPARE(focused(), w().searchBox());
        clickAt(m_f->cell(5));
        m_f->cell(5)->setCursorPosition(1);
        key(Qt::Key_Right);
        QCOMPARE(m_f->cell(5)->cursorPosition(), 2);
        QVERIFY(!w().shownSheet().modified);
        key(Qt::Key_Up);
        QVERIFY(m_f->focusOn(4));
        key(Qt::Key_Control);
        QVERIFY(w().shownSheet().modified);
    }

    // Without a mouse: Tab and F6 go round the three areas, arrows move within the tabs and the
    // toolbar, Space opens a folder and Return presses a button.
    void focusAreas()
    {
        const auto name = [] { return focused() ? focused()->objectName() : QStringLiteral("none"); };
        w().searchBox()->setFocus(Qt::OtherFocusReason);
        QStringList walked;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            walked << name();
        }
        for (Qt::KeyboardModifiers shift : {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier}) {
            QTest::keyClick(focused(), Qt::Key_F6, shift);
            walked << name();
        }
        const QStringList areas{"Pic_0", "lblFolder_0", "Text1_1"};
        QCOMPARE(walked, areas + areas + QStringList{"lblFolder_0"});
        QTest::keyClick(focused(), Qt::Key_Right); // A2, the next in the book
        QTest::keyClick(focused(), Qt::Key_Space);
        QCOMPARE(w().shownSheet().sheet, 21);
        QVERIFY(m_f->focusOn(1));
        QTest::keyClick(focused(), Qt::Key_F6);
        QTest::keyClick(focused(), Qt::Key_End);
        QTest::keyClick(focused(), Qt::Key_Right); // round from the last button to the first
        QSignalSpy pressed(&w().toolbar(), &Toolbar::actionRequested);
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(0).toInt(), 0);
    }

    // A double click on a toolbar button is one press: a row operation must not run twice.
    void doubleClickActsOnce()
    {
        QSignalSpy actions(&w().toolbar(), &Toolbar::actionRequested);
        m_f->moveOnto(6);
        QTest::mouseDClick(w().toolbar().toolBox(6), Qt::LeftButton);
        QCOMPARE(actions.count(), 1);
    }

    // Any button presses a toolbar button, and the cell keeps the focus it had.
    void rightButtonPresses()
    {
        QTest::mouseClick(w().toolbar().toolBox(toolbarIndex(ToolbarAction::Bold)), Qt::RightButton);
        QVERIFY(m_f->cell(5)->isBold());
        QTRY_VERIFY(m_f->focusOn(5));
    }
};

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
