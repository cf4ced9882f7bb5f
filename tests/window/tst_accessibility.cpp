#include "common/WindowTestSupport.h"

#include "platform/ItalianTranslations.h"
#include "platform/ScreenReader.h"
#include "window/Toolbar.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>

using namespace WindowTest;

Q_DECLARE_METATYPE(CellFont)

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

// The events a screen reader got of this kind from this control.
int eventsOf(QAccessible::Event type, QObject *source) { return int(told.count({type, source})); }
} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installItalianTranslations(*QCoreApplication::instance()); }

    // Each control has a name a screen reader can say; the cells say where they are.
    void everyControlHasAName()
    {
        WindowFixture f;
        QVERIFY(f.load(true));
        QStringList nameless;
        collectNameless(QAccessible::queryAccessibleInterface(&f.w()), &nameless);
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
        QCOMPARE(QAccessible::queryAccessibleInterface(f.w().searchBox())->text(QAccessible::Name), QStringLiteral("Testo da cercare"));
    }

    // A row inserted above a cell takes its look one row down and leaves the old place plain.
    void cellsTellWhereAndHow_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<CellFont>("font");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<bool>("rowInserted");
        QTest::addColumn<int>("shownIn");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("plain") << 23 << CellFont{} << 0u << false << 23 << "Riga 23, testo lungo" << "";
        QTest::newRow("bold") << 144 << CellFont{true, false} << 0u << false << 144 << "Riga 44, testo breve"
                              << "Grassetto";
        QTest::newRow("underlined, dark blue") << 3 << CellFont{false, true} << 0xC00000u << false << 3
                                               << "Riga 3, testo lungo" << "Sottolineato, colore Blu scuro";
        QTest::newRow("a colour of no square") << 7 << CellFont{} << 0x123456u << false << 7
                                               << "Riga 7, testo lungo" << "Colore fuori tavolozza";
        QTest::newRow("row inserted above") << 105 << CellFont{true, true} << 0x0000FFu << true << 106
                                            << "Riga 6, testo breve" << "Grassetto, sottolineato, colore Rosso";
    }
    void cellsTellWhereAndHow()
    {
        QFETCH(int, code);
        QFETCH(CellFont, font);
        QFETCH(quint32, colour);
        QFETCH(bool, rowInserted);
        QFETCH(int, shownIn);
        WindowFixture f;
        QVERIFY(f.load(true));
        f.format(code, font, colour);
        if (rowInserted) {
            f.focusCell(code);
            f.w().insertRow();
            QVERIFY(f.cell(code)->accessibleDescription().isEmpty());
        }
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(f.cell(shownIn));
        QTEST(cell->text(QAccessible::Name), "name");
        QTEST(cell->text(QAccessible::Description), "description");
    }

    // Roles and keys are read over AT-SPI from the real program (e2e_screen_reader).
    void pressedButtonActs()
    {
        WindowFixture f;
        QVERIFY(f.load(true));
        f.focusCell(1);
        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(f.w().toolbar().strip());
        strip->child(4)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(f.cell(1)->isBold());
    }

    // A switch tells the new folder, a hit is said by the search box; the first selection is no news.
    void announcements()
    {
        ScreenReader::setSink(record);
        told.clear();
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{recordNumber(10, 5), makeRecord("", "Rossi")}})));
        QCOMPARE(eventsOf(QAccessible::Alert, f.w().tabs().folderTab(0)), 0);
        f.clickTab(2);
        FolderTab *c1 = f.w().tabs().folderTab(2);
        QCOMPARE(eventsOf(QAccessible::StateChanged, c1), 1);
        QCOMPARE(eventsOf(QAccessible::StateChanged, f.w().tabs().folderTab(0)), 1);
        QCOMPARE(eventsOf(QAccessible::Alert, c1), 1);
        QCOMPARE(c1->accessibleDescription(), QStringLiteral("Cartella C1"));
        QLineEdit *box = f.w().searchBox();
        box->setText(QStringLiteral("ross"));
        f.w().findNext();
        QCOMPARE(eventsOf(QAccessible::Alert, box), 1);
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
