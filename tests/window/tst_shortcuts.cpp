#include "common/WindowTestSupport.h"

#include "dialogs/PaletteDialog.h"
#include "window/FolderOrder.h"
#include "window/KeyboardShortcuts.h"
#include "window/LayoutTables.h"
#include "window/Toolbar.h"

#include <QSignalSpy>

using namespace WindowTest;

namespace {
int folderNamed(const char *caption)
{
    for (int i = 0; i < FolderTabCount; ++i) {
        if (qstrcmp(folderTabLayouts().at(size_t(i)).caption, caption) == 0)
            return i;
    }
    return -1;
}
QString nameOf(QWidget *widget) { return widget ? widget->objectName() : QStringLiteral("none"); }
} // namespace

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

    void bookOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("previous");
        QTest::newRow("first, wrapping back") << "A1" << "A2" << "#";
        QTest::newRow("into the three-letter folder") << "G2" << "HJK" << "G1";
        QTest::newRow("out of it") << "HJK" << "I1" << "G2";
        QTest::newRow("WXY, in the front row") << "WXY" << "Z1" << "V2";
        QTest::newRow("the signs last") << "Z2" << "*" << "Z1";
        QTest::newRow("last, wrapping on") << "#" << "A1" << "*";
    }

    // A book's order, not the tabs' own: the front row is not walked before the back row.
    void bookOrder()
    {
        QFETCH(QString, from);
        QFETCH(QString, next);
        QFETCH(QString, previous);
        const int index = folderNamed(qPrintable(from));
        QCOMPARE(folderAfter(index, 1), folderNamed(qPrintable(next)));
        QCOMPARE(folderAfter(index, -1), folderNamed(qPrintable(previous)));
        QList<int> seen;
        for (int at = index; !seen.contains(at); at = folderAfter(at, 1))
            seen << at;
        QCOMPARE(seen.size(), FolderTabCount);
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

    // What the keys do is what the buttons do; Ctrl+C stays the cell's own copy of its text.
    void keysAct()
    {
        press(QKeySequence::Bold);
        QVERIFY(m_f->cell(5)->isBold());
        QVERIFY(m_f->focusOn(5));
        press(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
        QCOMPARE(m_f->clipboard.held, QStringLiteral("Anna\n"));
        press(QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(m_f->clipboard.writes, 1);
        press(QKeySequence(Qt::CTRL | Qt::Key_Insert));
        QCOMPARE(m_f->cell(6)->text(), QStringLiteral("Anna"));
        QVERIFY(m_f->cell(5)->text().isEmpty());
        press(QKeySequence::Save);
        QCOMPARE(recordOf(m_f->store(), 6), makeRecord("Anna", "12", codes(StyleCode::Bold, StyleCode::Plain)));
        QVERIFY(!w().shownSheet().modified);
        press(QKeySequence(Qt::CTRL | Qt::Key_T));
        QTRY_VERIFY(w().textPalette());
    }

    // As a tab click does (its save question is tst_window's); holding Ctrl changes nothing.
    void keyboardFolderSwitch()
    {
        press(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
        QCOMPARE(w().shownSheet().sheet, folderNamed("#"));
        QVERIFY(m_f->texts.isEmpty());
        QTest::keyClicks(focused(), QStringLiteral("x"));
        m_f->answers = {MsgAnswer::Yes};
        press(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
        QCOMPARE(m_f->texts.size(), 1);
        QCOMPARE(w().shownSheet().sheet, folderNamed("A1"));
        QVERIFY(w().tabs().folderTab(folderNamed("A1"))->isBold());
        QVERIFY(m_f->focusOn(1));
    }

    // Real keys reach the movement rules (tst_gridrules): focus, caret, F4, caret mode, Ctrl marks.
    void keysInCells()
    {
        w().searchBox()->setText(QStringLiteral("Rossi"));
        key(Qt::Key_Return);
        QVERIFY(m_f->focusOn(105));
        QCOMPARE(m_f->cell(105)->cursorPosition(), 2);
        QCOMPARE(m_f->cell(5)->cursorPosition(), 0);
        key(Qt::Key_Tab);
        QVERIFY(m_f->focusOn(6));
        QCOMPARE(m_f->yellowCells(), QList<int>{6});
        key(Qt::Key_F4);
        QCOMPARE(focused(), w().searchBox());
        QCOMPARE(w().searchBox()->selectedText(), QStringLiteral("Rossi"));
        clickAt(m_f->cell(5));
        m_f->cell(5)->setCursorPosition(1);
        key(Qt::Key_Right);
        QWidget other;
        QVERIFY(activate(other));
        QVERIFY(activate(w()));
        QVERIFY(m_f->focusOn(5));
        QCOMPARE(m_f->cell(5)->cursorPosition(), 2);
        QVERIFY(!w().shownSheet().modified);
        key(Qt::Key_Up);
        QVERIFY(m_f->focusOn(4));
        QCOMPARE(m_f->yellowCells(), QList<int>{4});
        key(Qt::Key_Control);
        QVERIFY(w().shownSheet().modified);
    }

    // Tab and F6 between the areas, arrows along a row, Space presses, F1 still opens the help.
    void focusAreas()
    {
        w().searchBox()->setFocus(Qt::OtherFocusReason);
        QStringList walked;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            walked << nameOf(focused());
        }
        QCOMPARE(walked, (QStringList{"Pic_0", "lblFolder_0", "Text1_1"}));
        m_f->focusCell(5);
        walked.clear();
        for (Qt::KeyboardModifiers shift : {Qt::NoModifier, Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier}) {
            QTest::keyClick(focused(), Qt::Key_F6, shift);
            walked << nameOf(focused());
        }
        QCOMPARE(walked, (QStringList{"Pic_0", "lblFolder_0", "Text1_5", "lblFolder_0"}));
        QTest::keyClick(focused(), Qt::Key_Right); // A2, the next in the book
        QCOMPARE(nameOf(focused()), QStringLiteral("lblFolder_21"));
        QTest::keyClick(focused(), Qt::Key_Space);
        QCOMPARE(w().shownSheet().sheet, 21);
        QVERIFY(m_f->focusOn(1));
        QTest::keyClick(focused(), Qt::Key_F6, Qt::ShiftModifier); // the selected tab
        QCOMPARE(nameOf(focused()), QStringLiteral("lblFolder_21"));
        QTest::keyClick(focused(), Qt::Key_F1);
        QCOMPARE(m_f->launched.size(), 1);

        QTest::keyClick(focused(), Qt::Key_F6);
        QTest::keyClick(focused(), Qt::Key_End);
        QCOMPARE(nameOf(focused()), QStringLiteral("Pic_12"));
        QTest::keyClick(focused(), Qt::Key_Right);
        QTest::keyClick(focused(), Qt::Key_Right);
        QSignalSpy pressed(&w().toolbar(), &Toolbar::actionRequested);
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(0).toInt(), 1);
        QCOMPARE(w().toolbar().toolBox(1)->look(), ToolBox::Idle); // the pointer's looks are the pointer's
    }
};

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
