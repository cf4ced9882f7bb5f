#include <algorithm>

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "editing/GridRules.h"
#include "editing/KeyCodes.h"
#include "window/AgendaState.h"

using namespace GridRules;

namespace {
constexpr int T1(int row) { return row; }
constexpr int T2(int row) { return row + 100; }
constexpr int Sentinel = 99; // a Cella_Corrente no rule writes
} // namespace

// Pure functions: nothing touches files, but each test still owns a temporary folder.
class TestGridRules : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void readingCycle()
    {
        // What the user sees: line L holds Text1(L), Text2(L), Text1(L + 22), Text2(L + 22).
        QList<int> order;
        for (int line = 1; line <= 22; ++line)
            order << T1(line) << T2(line) << T1(line + 22) << T2(line + 22);
        for (const int key : {int(VK::Right), int(VK::Left)}) {
            if (key == VK::Left)
                std::reverse(order.begin(), order.end());
            AgendaState s;
            for (int i = 0; i < order.size(); ++i) {
                const KeyOutcome out = onKeyDown(s, order.at(i), key, 0);
                QCOMPARE(out.focusCell, order.at((i + 1) % order.size()));
                QCOMPARE(s.Cella_Corrente, out.focusCell);
                QVERIFY(out.caretAtEnd && !out.passToCell && !s.Modificato);
            }
        }
    }

    void keys_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("caretMode");
        QTest::addColumn<int>("target"); // 0: the focus stays
        QTest::addColumn<int>("exit");   // 0: no exit step, the key reaches the text
        const struct { const char *name; int cell, key; bool caret; int target, exit; } rows[] = {
            {"right T2(22)", T2(22), VK::Right, false, T1(44), T1(44)},
            {"left T1(23)", T1(23), VK::Left, false, T2(1), T2(1)},
            {"left T1(1)", T1(1), VK::Left, false, T2(44), T2(44)},
            {"right T2(44)", T2(44), VK::Right, false, T1(1), T1(1)},
            {"left T1(2)", T1(2), VK::Left, false, T2(23), T2(23)},
            {"right T2(23)", T2(23), VK::Right, false, T1(2), T1(2)},
            {"right T2(1)", T2(1), VK::Right, false, T1(23), T1(23)},
            {"caret left T1", T1(1), VK::Left, true, 0, 0},
            {"caret right T2", T2(44), VK::Right, true, 0, 0},
            {"enter T1(44)", T1(44), VK::Return, true, T2(44), T2(44)},
            {"enter T2(44)", T2(44), VK::Return, true, T1(1), T1(1)},
            {"enter T2(22)", T2(22), VK::Return, false, T1(23), T1(23)},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.cell << r.key << r.caret << r.target << r.exit;
        for (const int offset : {0, 100}) {
            const struct { const char *name; int row, key, toRow; } moves[] = {
                {"up 1", 1, VK::Up, 44},        {"up 23", 23, VK::Up, 22},
                {"down 44", 44, VK::Down, 1},   {"down 22", 22, VK::Down, 23},
                {"pgup 30", 30, VK::Prior, 23}, {"pgup 22", 22, VK::Prior, 1},
                {"pgup 1", 1, VK::Prior, 1},    {"pgdn 5", 5, VK::Next, 22},
                {"pgdn 23", 23, VK::Next, 44},  {"pgdn 44", 44, VK::Next, 44},
            };
            for (const auto &m : moves) // in caret mode: these keys end it
                QTest::addRow("T%d %s", offset ? 2 : 1, m.name) << m.row + offset << m.key << true
                    << (m.toRow == m.row ? 0 : m.toRow + offset) << m.toRow + offset;
        }
    }

    void keys()
    {
        QFETCH(int, cell);
        QFETCH(int, key);
        QFETCH(bool, caretMode);
        QFETCH(int, target);
        QFETCH(int, exit);
        AgendaState s;
        s.Modo_Cursore = caretMode;
        s.Cella_Corrente = Sentinel;
        const KeyOutcome out = onKeyDown(s, cell, key, 0);
        QCOMPARE(out.focusCell, target);
        QCOMPARE(out.exitStep, exit != 0);
        QCOMPARE(out.exitCell, exit);
        QCOMPARE(s.Cella_Corrente, exit ? exit : Sentinel);
        QCOMPARE(out.passToCell, exit == 0);
        QCOMPARE(s.Modo_Cursore, exit == 0);
        QCOMPARE(s.Riga_Corrente, cell % 100);
        QVERIFY(!s.Modificato && !out.focusSearchBox);
    }

    void modes_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<bool>("extends");
        QTest::addColumn<bool>("hitKept");
        const struct { const char *name; int cell, key, shift; bool extends, hitKept; } rows[] = {
            {"T1 shift+down", T1(3), VK::Down, 1, true, false},
            {"T2 shift+down", T2(44), VK::Down, 1, true, true},
            {"T1 shift+ctrl+down", T1(3), VK::Down, 3, false, false},
            {"T2 shift+alt+down", T2(3), VK::Down, 5, false, true},
            {"T2 down", T2(3), VK::Down, 0, false, true},
            {"T2 shift+enter", T2(5), VK::Return, 1, true, false},
            {"T2 shift+ctrl+enter", T2(5), VK::Return, 3, false, false},
            {"T1 shift+enter", T1(5), VK::Return, 1, false, false},
            {"T1 shift alone", T1(5), VK::Shift, 1, false, false},
            {"T2 shift alone", T2(5), VK::Shift, 1, false, true},
            {"T2 left", T2(4), VK::Left, 0, false, true},
            {"T1 letter", T1(4), 'X', 1, false, false},
            {"T2 letter", T2(4), 'X', 1, false, true},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.cell << r.key << r.shift << r.extends << r.hitKept;
    }

    // Extend mode and search hit left over from earlier: which keys keep, set or end them.
    void modes()
    {
        QFETCH(int, cell);
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(bool, extends);
        QFETCH(bool, hitKept);
        AgendaState s;
        s.Estendi_Selezione = s.Trovato = true;
        s.Prossimo_Record = 77;
        const KeyOutcome out = onKeyDown(s, cell, key, shift);
        QCOMPARE(s.Estendi_Selezione, extends);
        QCOMPARE(s.Trovato, hitKept);
        QCOMPARE(s.Prossimo_Record, 77); // only the typed character resets the search position
        if (out.focusCell)
            QCOMPARE(onFocusGained(s, out.focusCell).background, hitKept ? 0xBEFEBEu : 0xC0FFFFu);
    }

    // Keys and the focus gains they cause, painted as the widget layer does.
    void extendHighlights()
    {
        AgendaState s;
        QSet<int> yellow{T1(3)};
        auto press = [&](int cell, int key, int shift) {
            const int to = onKeyDown(s, cell, key, shift).focusCell;
            const FocusGainEffect gain = onFocusGained(s, to);
            if (gain.clearAllHighlights)
                yellow.clear();
            yellow.insert(to);
            return to;
        };
        const int cell = press(press(press(T1(3), VK::Down, 1), VK::Down, 1), VK::Down, 1);
        QCOMPARE(yellow, QSet<int>({T1(3), T1(4), T1(5), T1(6)}));
        const int below = press(cell, VK::Down, 0);
        QCOMPARE(yellow, QSet<int>({T1(7)}));
        press(press(below, VK::Right, 0), VK::Return, 1);
        QCOMPARE(yellow, QSet<int>({T2(7), T1(8)}));
    }

    void modifyingKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("modifies");
        for (const int key : {13, 16, 33, 34, 37, 38, 39, 40, 115})
            QTest::addRow("key %d", key) << key << false;
        for (const int key : {0, 8, 9, 17, 18, 27, 32, 35, 36, 45, 46, 48, 81, 112, 114, 116})
            QTest::addRow("key %d", key) << key << true;
    }

    void modifyingKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, modifies);
        for (const int cell : {T1(12), T2(40)}) {
            AgendaState s;
            const KeyOutcome out = onKeyDown(s, cell, key, 0);
            QCOMPARE(s.Modificato, modifies);
            QCOMPARE(out.passToCell, modifies || key == VK::Shift);
        }
    }

    void focusGained_data()
    {
        QTest::addColumn<int>("flags"); // 1 hit, 2 extend mode, 4 caret mode
        QTest::addColumn<bool>("clears");
        QTest::addColumn<bool>("caretAtEnd");
        QTest::newRow("plain") << 0 << true << true;
        QTest::newRow("hit") << 1 << true << true;
        QTest::newRow("extend") << 2 << false << false;
        QTest::newRow("caret") << 4 << true << false;
        QTest::newRow("all") << 7 << false << false;
    }

    void focusGained()
    {
        QFETCH(int, flags);
        QFETCH(bool, clears);
        QFETCH(bool, caretAtEnd);
        AgendaState s;
        s.Trovato = flags & 1;
        s.Estendi_Selezione = flags & 2;
        s.Modo_Cursore = flags & 4;
        const FocusGainEffect e = onFocusGained(s, T2(31));
        QCOMPARE(e.clearAllHighlights, clears);
        QCOMPARE(e.caretAtEnd, caretAtEnd);
        QCOMPARE(e.background, (flags & 1) ? 0xBEFEBEu : 0xC0FFFFu);
        QVERIFY(s.Riga_Corrente == 31 && s.Colonna_Corrente == 2 && s.Cella_Corrente == T2(31));
        QCOMPARE(s.Trovato, bool(flags & 1)); // painting green does not end the hit
    }

    void charactersMouseAndFocusLoss()
    {
        AgendaState s;
        s.Trovato = true;
        s.Prossimo_Record = 9;
        s.Ultimo_Trovato = 8;
        QVERIFY(!onCharacter(s, T2(3), 'a'));
        QVERIFY(!s.Trovato && s.Prossimo_Record == 1 && s.Ultimo_Trovato == 0);
        QCOMPARE(s.Cella_Corrente, T2(3));

        // Enter in Text1(5) moves the focus on; its carriage return then reaches Text1(5).
        s.Prossimo_Record = 9;
        const KeyOutcome out = onKeyDown(s, T1(5), VK::Return, 0);
        onFocusLost(s, T1(5));
        onFocusGained(s, out.focusCell);
        QVERIFY(onCharacter(s, T1(5), 13));
        QVERIFY(s.Cella_Corrente == T2(5) && s.Prossimo_Record == 1 && !s.Modificato);

        onFocusLost(s, T1(17));
        QCOMPARE(s.Cella_Corrente, T2(5));
        onFocusLost(s, T2(17));
        QCOMPARE(s.Cella_Corrente, T2(17));

        for (const int button : {1, 2, 4}) {
            s.Trovato = s.Estendi_Selezione = true;
            s.Prossimo_Record = s.Ultimo_Trovato = 12;
            QCOMPARE(onMousePressed(s, T2(40), button), button == 1);
            QVERIFY(s.Modo_Cursore && !s.Estendi_Selezione && !s.Trovato);
            QVERIFY(s.Prossimo_Record == 1 && s.Ultimo_Trovato == 0 && s.Cella_Corrente == T2(40));
        }
    }

    void searchKey()
    {
        for (const int cell : {T1(44), T2(1)}) {
            AgendaState s;
            s.Modo_Cursore = true;
            const KeyOutcome out = onKeyDown(s, cell, VK::F4, 0);
            QVERIFY(out.focusSearchBox && !out.passToCell && out.focusCell == 0);
            QVERIFY(out.exitCell == cell && s.Modo_Cursore && !s.Modificato);
        }
    }

    void tabOrder()
    {
        QList<int> forward, backward;
        for (int cell = T1(1); cell; cell = tabOrderNext(cell))
            forward << cell;
        for (int cell = T2(44); cell; cell = tabOrderPrevious(cell))
            backward.prepend(cell);
        QCOMPARE(forward.size(), 88);
        for (int row = 1; row <= 44; ++row)
            QVERIFY(forward.at(2 * row - 2) == T1(row) && forward.at(2 * row - 1) == T2(row));
        QCOMPARE(backward, forward);
    }
};

QTEST_GUILESS_MAIN(TestGridRules)
#include "tst_gridrules.moc"
