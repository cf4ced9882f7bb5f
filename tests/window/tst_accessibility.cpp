#include "common/WindowTestSupport.h"

#include "platform/ItalianTranslations.h"
#include "platform/ScreenReader.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>

using namespace WindowTest;

namespace {
// Every control a screen reader reaches, described by object name and role, when it has no name.
void collectNameless(QAccessibleInterface *node, QStringList *nameless, int depth = 0)
{
    if (!node || depth > 8)
        return;
    if (node->text(QAccessible::Name).trimmed().isEmpty())
        nameless->append(QStringLiteral("%1 (role %2)")
                             .arg(node->object() ? node->object()->objectName() : "?")
                             .arg(int(node->role())));
    for (int i = 0; i < node->childCount(); ++i)
        collectNameless(node->child(i), nameless, depth + 1);
}

QList<QPair<QAccessible::Event, QObject *>> told;
void record(QAccessibleEvent *event) { told.append({event->type(), event->object()}); }
int alertsFrom(QObject *source) { return int(told.count({QAccessible::Alert, source})); }
} // namespace

Q_DECLARE_METATYPE(CellFont)

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installItalianTranslations(*QCoreApplication::instance()); }

    // Each control has a name a screen reader can say; a running reader makes every cell a line edit.
    void everyControlHasAName()
    {
        WindowFixture f;
        QVERIFY(f.load(true));
        QVERIFY(!f.w().grid().madeCell(120));
        QAccessible::setActive(true);
        QAccessible::setActive(false);
        for (int row = 1; row <= 44; ++row) {
            QVERIFY(f.w().grid().madeCell(row));
            QVERIFY(f.w().grid().madeCell(row + 100));
        }
        QStringList nameless;
        collectNameless(QAccessible::queryAccessibleInterface(&f.w()), &nameless);
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
    }

    // What the screen cannot say to a blind user, the cell's description does; a row inserted
    // above takes it one row down and leaves the old place plain.
    void cellsTellHowTheyLook_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<CellFont>("font");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<bool>("rowInserted");
        QTest::addColumn<QString>("description");
        QTest::newRow("underlined, dark blue") << 3 << CellFont{false, true} << 0xC00000u << false
                                               << "Sottolineato, colore Blu scuro";
        QTest::newRow("a colour of no square") << 7 << CellFont{} << 0x123456u << false << "Colore fuori tavolozza";
        QTest::newRow("row inserted above") << 105 << CellFont{true, true} << 0x0000FFu << true
                                            << "Grassetto, sottolineato, colore Rosso";
    }

    void cellsTellHowTheyLook()
    {
        QFETCH(int, code);
        QFETCH(CellFont, font);
        QFETCH(quint32, colour);
        QFETCH(bool, rowInserted);
        WindowFixture f;
        QVERIFY(f.load(true));
        f.format(code, font, colour);
        if (rowInserted) {
            f.focusCell(code);
            f.w().insertRow();
            QVERIFY(f.cell(code)->accessibleDescription().isEmpty());
            ++code;
        }
        QTEST(QAccessible::queryAccessibleInterface(f.cell(code))->text(QAccessible::Description), "description");
    }

    // A switch tells the new folder, a hit is said by the search box and forgotten at the end.
    void announcements()
    {
        ScreenReader::setSink(record);
        told.clear();
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{recordNumber(10, 5), makeRecord("", "Rossi")}})));
        f.clickTab(2);
        QCOMPARE(alertsFrom(f.w().tabs().folderTab(2)), 1);
        QLineEdit *box = f.w().searchBox();
        box->setText(QStringLiteral("ross"));
        f.w().findNext();
        QCOMPARE(alertsFrom(box), 1);
        QCOMPARE(box->accessibleDescription(), QStringLiteral("Trovato in M1, riga 5, testo breve: Rossi"));
        // The end of the search is a message box; the last hit's words must not outlive it.
        f.w().findNext();
        QCOMPARE(f.texts.size(), 1);
        QVERIFY(box->accessibleDescription().isEmpty());
        ScreenReader::setSink(nullptr);
    }

    // Qt's own words are Italian whatever the system's language: the test runs under C.UTF-8.
    void cellContextMenuIsItalian()
    {
        WindowFixture f;
        QVERIFY(f.load(true));
        f.cell(1)->setText(QStringLiteral("Anna"));
        std::unique_ptr<QMenu> menu(f.cell(1)->createStandardContextMenu());
        QStringList texts;
        for (const QAction *action : menu->actions())
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        for (const char *expected : {"Annulla", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"})
            QVERIFY2(texts.contains(QLatin1String(expected)), qPrintable(texts.join(QStringLiteral(" | "))));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
