#include "common/WindowTestSupport.h"

#include "platform/MessageBoxes.h"
#include "window/Toolbar.h"

#include <QLineEdit>

#include <memory>

using namespace WindowTest;

// Real key events, sent to whichever widget holds the focus.
class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_f.reset(); }
    void extendMode_data();
    void extendMode();
    void keysThatMarkTheSheet_data();
    void keysThatMarkTheSheet();
    void movesWithoutEditing_data();
    void movesWithoutEditing();
    void hitGreen_data();
    void hitGreen();
    void caretModeAfterClick();
    void tabKeepsTheText();
    void cancelledCloseFindsTheCell_data();
    void cancelledCloseFindsTheCell();
    void typedTextIsSaved();
    void otherWindowInBetween_data();
    void otherWindowInBetween();

private:
    frmAgenda &w() { return *m_f->window; }
    CellEdit *cell(int code) { return w().grid().cell(code); }
    void focusCell(int code)
    {
        cell(code)->setFocus(Qt::OtherFocusReason);
        QCOMPARE(focused(), static_cast<QWidget *>(cell(code)));
    }
    QList<int> yellowCells()
    {
        QList<int> codes;
        for (int code = 1; code <= 144; ++code) {
            if (cell(code) && cell(code)->backColour() == Yellow)
                codes << code;
        }
        return codes;
    }

    std::unique_ptr<AgendaFixture> m_f;
};

void TestKeyboard::init()
{
    m_f = std::make_unique<AgendaFixture>();
    QByteArray store = emptyStore();
    for (int row = 1; row <= 44; ++row)
        putRecord(store, row, makeRecord("Riga " + QByteArray::number(row), "T" + QByteArray::number(row)));
    QVERIFY(writeAll(m_f->file("rubri.dat"), store));
    QVERIFY(loadActive(*m_f));
    QTRY_COMPARE(focused(), static_cast<QWidget *>(cell(1)));
}

void TestKeyboard::extendMode_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QList<int>>("yellow");
    QTest::addColumn<int>("next"); // reached by a plain Down afterwards
    const int shift = int(Qt::ShiftModifier);
    QTest::newRow("shift down") << 3 << int(Qt::Key_Down) << shift << 3 << QList<int>{3, 4, 5, 6} << 7;
    QTest::newRow("shift down, page turn") << 121 << int(Qt::Key_Down) << shift << 3
                                           << QList<int>{121, 122, 123, 124} << 125;
    QTest::newRow("shift down wraps") << 43 << int(Qt::Key_Down) << shift << 3 << QList<int>{1, 2, 43, 44} << 3;
    QTest::newRow("shift ctrl down") << 3 << int(Qt::Key_Down) << (shift | int(Qt::ControlModifier)) << 3
                                     << QList<int>{6} << 7;
    QTest::newRow("shift enter short") << 105 << int(Qt::Key_Return) << shift << 1 << QList<int>{6, 105} << 7;
}

void TestKeyboard::extendMode()
{
    QFETCH(int, start);
    QFETCH(int, keyCode);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    QFETCH(QList<int>, yellow);
    QFETCH(int, next);
    focusCell(start);
    for (int i = 0; i < presses; ++i)
        key(keyCode, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(yellowCells(), yellow);
    QVERIFY(yellow.contains(static_cast<CellEdit *>(focused())->cellCode()));
    key(Qt::Key_Down);
    QCOMPARE(yellowCells(), QList<int>{next});
}

void TestKeyboard::keysThatMarkTheSheet_data()
{
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<bool>("marks");
    QTest::newRow("letter") << int(Qt::Key_A) << true;
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << false;
    QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << true;
    QTest::newRow("Home") << int(Qt::Key_Home) << true;
    QTest::newRow("Down") << int(Qt::Key_Down) << false;
    QTest::newRow("Right") << int(Qt::Key_Right) << false;
    QTest::newRow("Enter") << int(Qt::Key_Return) << false;
}

void TestKeyboard::keysThatMarkTheSheet()
{
    QFETCH(int, keyCode);
    QFETCH(bool, marks);
    for (int code : {3, 103}) {
        w().state().Modificato = false;
        focusCell(code);
        key(keyCode);
        QCOMPARE(w().state().Modificato, marks);
    }
}

void TestKeyboard::movesWithoutEditing_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("reached"); // 0: the search box
    QTest::newRow("enter, long to short") << 2 << int(Qt::Key_Return) << 102;
    QTest::newRow("enter, short to next long") << 122 << int(Qt::Key_Return) << 23;
    QTest::newRow("enter wraps") << 144 << int(Qt::Key_Return) << 1;
    QTest::newRow("tab, long to short") << 1 << int(Qt::Key_Tab) << 101;
    QTest::newRow("tab, short to next long") << 101 << int(Qt::Key_Tab) << 2;
    QTest::newRow("F4") << 108 << int(Qt::Key_F4) << 0;
}

void TestKeyboard::movesWithoutEditing()
{
    QFETCH(int, start);
    QFETCH(int, keyCode);
    QFETCH(int, reached);
    w().Text4()->setText(QStringLiteral("Rossi"));
    w().Text4()->deselect();
    focusCell(start);
    const QString before = cell(start)->text();
    key(keyCode);
    if (reached == 0) {
        QCOMPARE(focused(), static_cast<QWidget *>(w().Text4()));
        QCOMPARE(w().Text4()->selectedText(), QStringLiteral("Rossi"));
    } else {
        QCOMPARE(focused(), static_cast<QWidget *>(cell(reached)));
        QCOMPARE(yellowCells(), QList<int>{reached});
        QCOMPARE(cell(reached)->cursorPosition(), int(cell(reached)->text().size()));
        QCOMPARE(cell(start)->cursorPosition(), 0);
    }
    QCOMPARE(cell(start)->text(), before);
    QCOMPARE(w().state().Cella_Corrente, reached ? reached : start);
    QVERIFY(!w().state().Modificato);
}

void TestKeyboard::hitGreen_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed"); // into the start cell first
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<quint32>("colour"); // of the two cells the key reaches, one after the other
    QTest::newRow("down through short cells") << 103 << "" << int(Qt::Key_Down) << HitGreen;
    QTest::newRow("tab from short cell") << 103 << "" << int(Qt::Key_Tab) << HitGreen;
    QTest::newRow("down through long cells") << 3 << "" << int(Qt::Key_Down) << Yellow;
    QTest::newRow("short cell after typing") << 103 << "z" << int(Qt::Key_Down) << Yellow;
}

void TestKeyboard::hitGreen()
{
    QFETCH(int, start);
    QFETCH(QString, typed);
    QFETCH(int, keyCode);
    QFETCH(quint32, colour);
    focusCell(start);
    w().state().Trovato = true;
    if (!typed.isEmpty())
        QTest::keyClicks(focused(), typed);
    for (int step = 0; step < 2; ++step) {
        key(keyCode);
        QVERIFY(focused() != static_cast<QWidget *>(cell(start)));
        QCOMPARE(static_cast<CellEdit *>(focused())->backColour(), colour);
    }
    QCOMPARE(w().state().Trovato, colour == HitGreen);
}

// A click ends extend mode before its focus gain, and starts caret mode: Left and Right stay
// in the cell until Up leaves it.
void TestKeyboard::caretModeAfterClick()
{
    focusCell(3);
    key(Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(yellowCells(), (QList<int>{3, 4}));
    CellEdit *target = cell(6);
    target->setText(QStringLiteral("Agnese Bianchi"));
    clickCell(target);
    QCOMPARE(yellowCells(), QList<int>{6});
    target->setCursorPosition(3);
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    QCOMPARE(focused(), static_cast<QWidget *>(target));
    QCOMPARE(target->cursorPosition(), 4);
    QVERIFY(!w().state().Modificato);

    key(Qt::Key_Up);
    QCOMPARE(focused(), static_cast<QWidget *>(cell(5)));
    key(Qt::Key_Right);
    QCOMPARE(focused(), static_cast<QWidget *>(cell(105)));
    QCOMPARE(yellowCells(), QList<int>{105});
}

// A cell reached by Tab in caret mode keeps its text: the next key types, it replaces nothing.
void TestKeyboard::tabKeepsTheText()
{
    clickCell(cell(2));
    QVERIFY(w().state().Modo_Cursore);
    QTest::keyClick(focused(), Qt::Key_Tab);
    QCOMPARE(focused(), static_cast<QWidget *>(cell(102)));
    QTest::keyClicks(focused(), QStringLiteral("x"));
    QCOMPARE(cell(102)->text(), QStringLiteral("T2x"));
}

void TestKeyboard::cancelledCloseFindsTheCell_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("holder");
    QTest::newRow("enter from short cell") << 105 << int(Qt::Key_Return) << 6;
    QTest::newRow("enter from long cell") << 5 << int(Qt::Key_Return) << 105;
    QTest::newRow("down in short cell") << 120 << int(Qt::Key_Down) << 121;
    QTest::newRow("left wraps") << 1 << int(Qt::Key_Left) << 144;
}

// The keys moved the focus on, then F4 took it to the search box.
void TestKeyboard::cancelledCloseFindsTheCell()
{
    QFETCH(int, start);
    QFETCH(int, keyCode);
    QFETCH(int, holder);
    focusCell(start);
    QTest::keyClicks(focused(), QStringLiteral("x"));
    key(keyCode);
    QCOMPARE(focused(), static_cast<QWidget *>(cell(holder)));
    key(Qt::Key_F4);
    m_f->messages.answers << MsgAnswer::Cancel;
    QVERIFY(!w().close());
    QCOMPARE(focused(), static_cast<QWidget *>(cell(holder)));
}

void TestKeyboard::typedTextIsSaved()
{
    focusCell(4);
    cell(4)->clear();
    QTest::keyClicks(focused(), QStringLiteral("Agnese"));
    QTest::mouseClick(w().toolbar().Pic(0), Qt::LeftButton);
    QVERIFY(!w().state().Modificato);
    QCOMPARE(recordOf(readAll(m_f->file("rubri.dat")), 4), makeRecord("Agnese", "T4"));
}

void TestKeyboard::otherWindowInBetween_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("click");
    QTest::addColumn<QList<int>>("keys"); // Shift+Down for Qt::Key_Down
    QTest::newRow("extended selection") << 109 << false << QList<int>{Qt::Key_Down, Qt::Key_Down};
    QTest::newRow("caret mode") << 12 << true << QList<int>{Qt::Key_Right, Qt::Key_Right};
    QTest::newRow("caret moved by Home") << 20 << false << QList<int>{Qt::Key_Home};
}

// The user looks at another program and comes back: the cell never lost the focus inside
// the window, so the caret, the highlighted cells and the last used cell are as they were.
void TestKeyboard::otherWindowInBetween()
{
    QFETCH(int, start);
    QFETCH(bool, click);
    QFETCH(QList<int>, keys);
    focusCell(start);
    if (click)
        clickCell(cell(start));
    for (int k : keys)
        key(k, k == Qt::Key_Down ? Qt::ShiftModifier : Qt::NoModifier);
    CellEdit *current = static_cast<CellEdit *>(focused());
    const int caret = current->cursorPosition();
    const QList<int> yellow = yellowCells();
    const int lastUsed = w().state().Cella_Corrente;

    QWidget other;
    other.resize(50, 50);
    QVERIFY(activate(other));
    QVERIFY(activate(w()));
    QCOMPARE(focused(), static_cast<QWidget *>(current));
    QCOMPARE(current->cursorPosition(), caret);
    QCOMPARE(yellowCells(), yellow);
    QCOMPARE(w().state().Cella_Corrente, lastUsed);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
