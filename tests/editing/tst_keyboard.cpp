#include "common/WindowTestSupport.h"

#include <QLineEdit>

using namespace WindowTest;

namespace {
// A key in the start cell, the cell that holds the focus then, and whether the key marks the sheet.
struct KeyCase { int start, key, holder; bool marks; };
} // namespace
Q_DECLARE_METATYPE(KeyCase)

// Real key events, sent to whichever widget holds the focus; the rules themselves are
// checked as pure functions in tst_gridrules.
class TestKeyboard : public QObject
{
    Q_OBJECT
    std::unique_ptr<AgendaFixture> m_f;

private slots:
    void init()
    {
        QList<QPair<int, QByteArray>> rows;
        for (int row = 1; row <= 44; ++row)
            rows.append({row, makeRecord("Riga " + QByteArray::number(row), "T" + QByteArray::number(row))});
        m_f = std::make_unique<AgendaFixture>();
        QVERIFY(m_f->loadStore(storeWith(rows)));
        QTRY_VERIFY(m_f->focusOn(1));
    }

    void keys_data()
    {
        QTest::addColumn<KeyCase>("c");
        QTest::newRow("enter, long to short") << KeyCase{2, Qt::Key_Return, 102, false};
        QTest::newRow("tab, long to short") << KeyCase{1, Qt::Key_Tab, 101, false};
        QTest::newRow("tab, short to next long") << KeyCase{101, Qt::Key_Tab, 2, false};
        QTest::newRow("shift alone") << KeyCase{3, Qt::Key_Shift, 3, false};
        QTest::newRow("ctrl alone") << KeyCase{103, Qt::Key_Control, 103, true};
        QTest::newRow("end") << KeyCase{3, Qt::Key_End, 3, true};
        QTest::newRow("letter") << KeyCase{103, Qt::Key_A, 103, true};
    }

    // Then F4 takes the focus to the search box, whole text selected.
    void keys()
    {
        QFETCH(KeyCase, c);
        m_f->w().Text4()->setText(QStringLiteral("Rossi"));
        m_f->focusCell(c.start);
        key(c.key);
        QVERIFY(m_f->focusOn(c.holder));
        QCOMPARE(m_f->yellowCells(), QList<int>{c.holder});
        QCOMPARE(m_f->cell(c.holder)->cursorPosition(), int(m_f->cell(c.holder)->text().size()));
        if (c.start != c.holder)
            QCOMPARE(m_f->cell(c.start)->cursorPosition(), 0);
        QCOMPARE(qMakePair(m_f->shownSheet().lastCell, m_f->shownSheet().modified), qMakePair(c.holder, c.marks));
        key(Qt::Key_F4);
        QCOMPARE(focused(), static_cast<QWidget *>(m_f->w().Text4()));
        QCOMPARE(m_f->w().Text4()->selectedText(), QStringLiteral("Rossi"));
    }

    // A click ends extend mode before its focus gain, and starts caret mode: Left and Right stay
    // in the cell, Tab keeps the next cell's text and caret, Up ends caret mode.
    void caretModeAfterClick()
    {
        m_f->focusCell(106); // its caret goes back to the start when it loses the focus
        m_f->focusCell(3);
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_f->yellowCells(), (QList<int>{3, 4}));
        clickAt(m_f->cell(6));
        QCOMPARE(m_f->yellowCells(), QList<int>{6});
        m_f->cell(6)->setCursorPosition(3);
        for (int k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right})
            key(k);
        QVERIFY(m_f->cell(6)->cursorPosition() == 4);
        QVERIFY(!m_f->shownSheet().modified);
        key(Qt::Key_Tab);
        QTest::keyClicks(focused(), QStringLiteral("x"));
        QCOMPARE(m_f->cell(106)->text(), QStringLiteral("xT6"));
        key(Qt::Key_Up);
        key(Qt::Key_Right);
        QVERIFY(m_f->focusOn(27));
        QCOMPARE(m_f->yellowCells(), QList<int>{27});
    }

    // The user looks at another program and comes back: the cell never lost the focus inside
    // the window, so its caret, the extended selection and the last used cell are as they were.
    void otherWindowInBetween()
    {
        m_f->focusCell(109);
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        clickAt(m_f->cell(111)); // caret mode, caret at the start
        key(Qt::Key_Right);
        key(Qt::Key_Right);
        QWidget other;
        QVERIFY(activate(other));
        QVERIFY(activate(m_f->w()));
        QVERIFY(m_f->focusOn(111));
        QVERIFY(m_f->cell(111)->cursorPosition() == 2);
        QVERIFY(m_f->shownSheet().lastCell == 111);
        QCOMPARE(m_f->yellowCells(), (QList<int>{109, 110, 111}));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
