#include "editing/GridModes.h"
#include "editing/GridRules.h"
#include "editing/KeyCodes.h"
#include "model/ShownSheet.h"
#include "search/SearchPosition.h"

#include <QTest>

#include <algorithm>
#include <tuple>

using namespace GridRules;

namespace {
constexpr int T1(int row) { return row; }
constexpr int T2(int row) { return row + 100; }

// What the rules read and write, fresh as at start-up.
struct Rules
{
    ShownSheet sheet;
    GridModes modes;
    SearchPosition search;
    operator Context() { return {sheet, modes, search}; }
};

// The cell that gets the focus (0: it stays); the exit step's cell (0: the key reaches the text).
struct KeyCase { int cell, key; bool caretMode; int target, exit; };
// A key with a shift state (1 Shift, 2 Ctrl, 4 Alt) in extend mode after a search hit.
struct ModeCase { int cell, key, shift; bool extends, hitKept; };
} // namespace
Q_DECLARE_METATYPE(KeyCase)
Q_DECLARE_METATYPE(ModeCase)

class TestGridRules : public QObject
{
    Q_OBJECT

private slots:
    // Right walks the cells in reading order, four to a line over two halves, and round; Left back.
    void readingCycle()
    {
        QList<int> order;
        for (int line = 1; line <= 22; ++line)
            order << T1(line) << T2(line) << T1(line + 22) << T2(line + 22);
        for (const int key : {int(VK::Right), int(VK::Left)}) {
            if (key == VK::Left)
                std::reverse(order.begin(), order.end());
            Rules s;
            for (int i = 0; i < order.size(); ++i) {
                const KeyOutcome out = onKeyDown(s, order.at(i), key, 0);
                QCOMPARE(out.focusCell, order.at((i + 1) % order.size()));
                QVERIFY(s.sheet.lastCell == out.focusCell);
                QVERIFY(out.caretAtEnd);
            }
        }
    }

    void keys_data()
    {
        QTest::addColumn<KeyCase>("c");
        QTest::newRow("enter T1(44)") << KeyCase{T1(44), VK::Return, true, T2(44), T2(44)};
        QTest::newRow("enter T2(22)") << KeyCase{T2(22), VK::Return, false, T1(23), T1(23)};
        QTest::newRow("enter T2(44) wraps") << KeyCase{T2(44), VK::Return, false, T1(1), T1(1)};
        const struct { const char *name; int row, key, toRow; } moves[] = {
            {"up 1", 1, VK::Up, 44},        {"up 23", 23, VK::Up, 22},      {"down 44", 44, VK::Down, 1},
            {"down 22", 22, VK::Down, 23},  {"pgup 30", 30, VK::Prior, 23}, {"pgup 22", 22, VK::Prior, 1},
            {"pgup 1", 1, VK::Prior, 1},    {"pgdn 5", 5, VK::Next, 22},    {"pgdn 23", 23, VK::Next, 44},
            {"pgdn 44", 44, VK::Next, 44},
        };
        for (const int offset : {0, 100}) {
            for (const auto &m : moves) // in caret mode: these keys end it
                QTest::addRow("T%d %s", offset ? 2 : 1, m.name)
                    << KeyCase{m.row + offset, m.key, true, m.toRow == m.row ? 0 : m.toRow + offset, m.toRow + offset};
        }
    }

    void keys()
    {
        QFETCH(KeyCase, c);
        Rules s;
        s.modes.caretMode = c.caretMode;
        s.sheet.lastCell = 99; // no rule writes it
        const KeyOutcome out = onKeyDown(s, c.cell, c.key, 0);
        QCOMPARE(std::tuple(out.focusCell, out.exitStep, out.exitCell, s.sheet.lastCell, out.passToCell, s.modes.caretMode),
                 std::tuple(c.target, c.exit != 0, c.exit, c.exit ? c.exit : 99, c.exit == 0, c.exit == 0));
        QCOMPARE(s.sheet.row, c.cell % 100);
        QVERIFY(!s.sheet.modified);
        QVERIFY(!out.focusSearchBox);
    }

    void modes_data()
    {
        QTest::addColumn<ModeCase>("c");
        QTest::newRow("T2 shift+down") << ModeCase{T2(44), VK::Down, 1, true, true};
        QTest::newRow("T2 shift+alt+down") << ModeCase{T2(3), VK::Down, 5, false, true};
        QTest::newRow("T2 shift+ctrl+enter") << ModeCase{T2(5), VK::Return, 3, false, false};
        QTest::newRow("T1 shift+enter") << ModeCase{T1(5), VK::Return, 1, false, false};
        QTest::newRow("T2 shift alone") << ModeCase{T2(5), VK::Shift, 1, false, true};
        QTest::newRow("T2 letter") << ModeCase{T2(4), 'X', 1, false, true};
    }

    // Which keys keep, set or end extend mode and the hit; the next focus gain paints the hit.
    void modes()
    {
        QFETCH(ModeCase, c);
        Rules s;
        s.modes.extendSelection = s.search.found = true;
        const KeyOutcome out = onKeyDown(s, c.cell, c.key, c.shift);
        QCOMPARE(qMakePair(s.modes.extendSelection, s.search.found), qMakePair(c.extends, c.hitKept));
        if (out.focusCell)
            QCOMPARE(onFocusGained(s, out.focusCell).highlight, c.hitKept ? SheetModel::Highlight::Found : SheetModel::Highlight::Selected);
    }

    // Every key but Enter, Shift, Page Up/Down, the arrows and F4 marks the sheet, changed text or not.
    void modifyingKeys()
    {
        for (const int key : {0, 9, 13, 16, 17, 18, 27, 32, 33, 34, 35, 36, 37, 38, 39, 40, 45, 46, 81, 112, 115, 116}) {
            const bool modifies = !QList<int>{13, 16, 33, 34, 37, 38, 39, 40, 115}.contains(key);
            for (const int cell : {T1(12), T2(40)}) {
                Rules s;
                const KeyOutcome out = onKeyDown(s, cell, key, 0);
                const QByteArray where = QByteArray("key ") + QByteArray::number(key) + " in cell " + QByteArray::number(cell);
                QVERIFY2(s.sheet.modified == modifies, where.constData());
                QVERIFY2(out.passToCell == (modifies || key == VK::Shift), where.constData());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestGridRules)
#include "tst_gridrules.moc"
