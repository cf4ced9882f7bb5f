#include "common/WindowTestSupport.h"

#include "platform/ItalianTranslations.h"

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
} // namespace

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
