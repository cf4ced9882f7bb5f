#include "common/WindowTestSupport.h"

#include "platform/ItalianTranslations.h"
#include "platform/ScreenReader.h"
#include "window/Toolbar.h"

#include <QAccessible>
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
QAccessibleActionInterface *actions(QAccessibleInterface *node) { return node->actionInterface(); }

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
        AgendaFixture f;
        QVERIFY(f.load(true));
        QStringList nameless;
        collectNameless(QAccessible::queryAccessibleInterface(&f.w()), &nameless);
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
        const auto nameOf = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(nameOf(f.cell(23)), QStringLiteral("Riga 23, cella lunga"));
        QCOMPARE(nameOf(f.cell(144)), QStringLiteral("Riga 44, cella corta"));
        QCOMPARE(nameOf(f.w().Text4()), QStringLiteral("Testo da cercare"));
    }

    // The tabs are a tab list with the folder shown selected, the toolbar's boxes buttons that
    // tell their keys; a screen reader presses either as a click does.
    void tabsAndButtons()
    {
        AgendaFixture f;
        QVERIFY(f.load(true));
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&f.w());
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(f.w().tabs().tabList());
        QVERIFY(window->indexOfChild(list) >= 0);
        QCOMPARE(list->role(), QAccessible::PageTabList);
        QCOMPARE(list->childCount(), 44);
        QStringList selected, faults;
        for (int i = 0; i < list->childCount(); ++i) {
            QAccessibleInterface *tab = list->child(i);
            if (tab->role() != QAccessible::PageTab || !tab->state().focusable
                || !actions(tab)->actionNames().contains(QAccessibleActionInterface::pressAction()))
                faults << tab->text(QAccessible::Name);
            if (tab->state().selected)
                selected << tab->text(QAccessible::Name);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char(' '))));
        QCOMPARE(selected, QStringList{QStringLiteral("A1")});
        QAccessibleInterface *b1 = QAccessible::queryAccessibleInterface(f.w().tabs().lblFolder(1));
        actions(b1)->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.state().Foglio_Corrente, 1);
        QVERIFY(b1->state().selected);
        QVERIFY(f.focusOn(1));

        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(f.w().toolbar().Frame1());
        QCOMPARE(strip->role(), QAccessible::ToolBar);
        QCOMPARE(strip->childCount(), 13);
        for (int i = 0; i < strip->childCount(); ++i) {
            QAccessibleInterface *button = strip->child(i);
            const QStringList keys = actions(button)->keyBindingsForAction(QAccessibleActionInterface::pressAction());
            if (button->role() != QAccessible::Button || !button->state().focusable || button->childCount() != 0
                || keys.isEmpty() || button->text(QAccessible::Accelerator) != keys.join(QStringLiteral(", ")))
                faults << button->text(QAccessible::Name);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char(' '))));
        QCOMPARE(strip->child(0)->text(QAccessible::Accelerator), QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText));
        actions(strip->child(4))->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(f.cell(1)->isBold());
    }

    // A folder switch tells the selection's move and names the folder; a search hit is said in
    // words. The first selection, at start, is no news.
    void announcements()
    {
        ScreenReader::setSink(record);
        AgendaFixture f;
        QVERIFY(f.load(true));
        QCOMPARE(eventsOf(QAccessible::Alert, f.w().tabs().lblFolder(0)), 0);
        f.clickTab(2);
        FolderTab *c1 = f.w().tabs().lblFolder(2);
        QCOMPARE(eventsOf(QAccessible::StateChanged, c1), 1);
        QCOMPARE(eventsOf(QAccessible::StateChanged, f.w().tabs().lblFolder(0)), 1);
        QCOMPARE(eventsOf(QAccessible::Alert, c1), 1);
        QCOMPARE(c1->accessibleDescription(), QStringLiteral("Cartella C1"));
        ScreenReader::announce(f.w().Text4(), ScreenReader::searchHitText(QStringLiteral("M1"), 105, QStringLiteral("Rossi")));
        QCOMPARE(eventsOf(QAccessible::Alert, f.w().Text4()), 1);
        QCOMPARE(f.w().Text4()->accessibleDescription(), QStringLiteral("Trovato in M1, riga 5, cella corta: Rossi"));
        ScreenReader::setSink(nullptr);
    }

    // Qt's own words are Italian whatever the system's language: the test runs under C.UTF-8.
    void cellContextMenuIsItalian()
    {
        AgendaFixture f;
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
