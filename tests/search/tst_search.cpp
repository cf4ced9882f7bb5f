#include "common/WindowTestSupport.h"

#include "window/FolderTabs.h"
#include "window/SheetPager.h"

#include <QLineEdit>

using namespace WindowTest;

namespace {

constexpr quint32 Green = 0xBEFEBE;
const QString EndPrefix = QStringLiteral("      Fine ricerca del dato:  ");
const QString EndSuffix = QString(10, QLatin1Char(' '));

QLineEdit *box(WindowFixture &f) { return f.w().searchBox(); }
void enter(WindowFixture &f) { QTest::keyClick(box(f), Qt::Key_Return); }

// The box's text, then Enter in it, as the user does it.
void searchFor(WindowFixture &f, const QString &text)
{
    box(f)->setText(text);
    box(f)->setFocus();
    enter(f);
}

std::tuple<int, int, bool> walkState(WindowFixture &f)
{
    const SearchPosition &s = f.w().searchPosition();
    return {s.nextRecord, s.lastHit, s.found};
}

// What the window shows after a hit in a record's long or short cell.
void verifyHit(WindowFixture &f, int record, bool shortCell)
{
    const int sheet = (record - 1) / 44, row = record - 44 * sheet;
    const ShownSheet &s = f.w().shownSheet();
    QCOMPARE(s.sheet, sheet);
    QVERIFY(f.w().tabs().folderTab(sheet)->isBold());
    QCOMPARE(QList<int>({s.row, s.column, f.w().searchPosition().lastHit}), QList<int>({row, shortCell ? 2 : 1, record}));
    QCOMPARE(f.cellsIn(Green), QList<int>{row + (shortCell ? 100 : 0)});
    QVERIFY(!f.cell(row + (shortCell ? 100 : 0))->text().isEmpty()); // the hit's folder is loaded
    QCOMPARE(focused(), box(f));
}

} // namespace

// The search box over the real window; what a search matches and its walk are in tst_searchrules.
class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    // Hits across folders, the end message with the text as typed, a new start; an edit restarts.
    void walkToTheEnd()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{44, makeRecord("12/3 4", "")}, {1936, makeRecord("", "1234")}})));
        const QString typed = QStringLiteral(" 12.34 ");
        searchFor(f, typed);
        verifyHit(f, 44, false);
        enter(f);
        verifyHit(f, 1936, true);
        QVERIFY(f.texts.isEmpty());
        enter(f);
        QCOMPARE(f.texts, QStringList{EndPrefix + typed + EndSuffix});
        QCOMPARE(walkState(f), std::tuple(1, 0, false));
        QCOMPARE(box(f)->selectedText(), typed);
        enter(f);
        verifyHit(f, 44, false);
        QTest::keyClicks(box(f), QStringLiteral("5"));
        QVERIFY(f.cellsIn(Green).isEmpty());
        QCOMPARE(f.yellowCells(), QList<int>{44});
        QCOMPARE(walkState(f), std::tuple(1, 0, true));
    }

    void saveQuestionComesFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("hit"); // 0: none, the search ends
        QTest::newRow("yes: the typed text is found") << int(MsgAnswer::Yes) << "rossi" << 2;
        QTest::newRow("no: the walk sees the store") << int(MsgAnswer::No) << "rossi" << 0;
        QTest::newRow("no: a hit in the folder shown reloads it") << int(MsgAnswer::No) << "bianchi" << 1;
    }

    void saveQuestionComesFirst()
    {
        QFETCH(int, answer);
        QFETCH(QString, search);
        QFETCH(int, hit);
        WindowFixture f;
        const QByteArray stored = storeWith({{1, makeRecord("Bianchi", "")}});
        QVERIFY(f.loadStore(stored));
        f.type(2, QStringLiteral("Rossi"));
        f.answers << answer;
        searchFor(f, search);
        QStringList expected{QStringLiteral("  Vuoi salvare le modifiche effettuate al foglio A1?  ")};
        if (!hit)
            expected << EndPrefix + search + EndSuffix;
        QCOMPARE(f.texts, expected);
        QVERIFY(!f.w().shownSheet().modified);
        const bool saved = answer == MsgAnswer::Yes;
        COMPARE_STORE(f.store(), (saved ? storeWith({{1, makeRecord("Bianchi", "")}, {2, makeRecord("Rossi", "")}}) : stored));
        if (hit)
            verifyHit(f, hit, false);
        // Declined, the typing is gone from the screen at once: a later save cannot write it.
        QCOMPARE(f.cell(2)->text(), saved ? QStringLiteral("Rossi") : QString());
        f.type(3, QStringLiteral("x"));
        QVERIFY(f.w().sheets().save());
        QCOMPARE(recordOf(f.store(), 2), saved ? makeRecord("Rossi", "") : makeRecord("", ""));
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
