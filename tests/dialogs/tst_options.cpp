#include "common/WindowTestSupport.h"

#include "dialogs/OptionSwatch.h"
#include "dialogs/frmOpzioni.h"
#include "window/FolderTabs.h"
#include "window/Toolbar.h"

#include <QAccessible>
#include <QPushButton>
#include <QScreen>
#include <QSet>

using namespace Qt::StringLiterals;
using namespace WindowTest;

namespace {

const QByteArray Stored35 = "[Rubrica]\r\nColTasti=3\r\nColSfondo=5\r\n";
constexpr quint32 Tasti3 = 0x00E6F7FF, Sfondo4 = 0x00C1C1FF, Sfondo5 = 0x00CADBFF;
constexpr quint32 Pressed = 0x00FF8080;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "3/5": the swatches with the thick frame, button colours before the slash.
QString thickFrames(const frmOpzioni &d)
{
    QStringList tasti, sfondo;
    for (int i = 0; i < 8; ++i) {
        if (d.lblColTasti(i)->borderWidth() == 3)
            tasti << QString::number(i);
        if (d.lblColSfondo(i)->borderWidth() == 3)
            sfondo << QString::number(i);
    }
    return tasti.join(u',') + u'/' + sfondo.join(u',');
}

} // namespace

// The colour options dialog over the real address book window and a real settings file.
class TestOptions : public QObject
{
    Q_OBJECT
    std::unique_ptr<AgendaFixture> m_f;

    frmAgenda &w() { return m_f->w(); }
    QString ini() const { return m_f->file(QStringLiteral("Kardel.ini")); }

    bool start(const QByteArray &settings)
    {
        return (settings.isNull() || writeAll(ini(), settings)) && m_f->load(true);
    }

    // Presses button 10 as the pointer does; the dialog opens inside the press.
    frmOpzioni *openOptions()
    {
        ToolBox *box = w().toolbar().Pic(10);
        m_f->pointer = box->mapToGlobal(box->rect().center());
        QTest::mouseMove(box);
        QTest::mousePress(box, Qt::LeftButton);
        frmOpzioni *d = w().optionsDialog();
        return d && QTest::qWaitForWindowActive(d) ? d : nullptr;
    }

    void click(frmOpzioni *d, const QString &swatch)
    {
        const int index = swatch.mid(1).toInt();
        QTest::mouseClick(swatch.front() == u'T' ? d->lblColTasti(index) : d->lblColSfondo(index), Qt::LeftButton);
    }

    // The 44 tabs, then the page.
    QList<quint32> windowColours()
    {
        QList<quint32> colours;
        for (int i = 0; i < 44; ++i)
            colours << w().tabs().lblFolder(i)->backColour();
        return colours << w().tabs().lblScheda()->backColour();
    }

    QList<quint32> expectedColours(int boldTab, quint32 tasti, quint32 sfondo)
    {
        QList<quint32> colours(44, tasti);
        colours[boldTab] = sfondo;
        return colours << sfondo;
    }

private slots:
    void init() { m_f = std::make_unique<AgendaFixture>(); }
    void cleanup() { m_f.reset(); }

    void opening_data()
    {
        QTest::addColumn<QByteArray>("atStart"); // null: no file
        QTest::addColumn<QByteArray>("later");   // written after start-up; null: left alone
        QTest::addColumn<QString>("frames");
        QTest::addColumn<quint32>("tasti");
        QTest::addColumn<quint32>("sfondo");
        QTest::newRow("3 and 5") << Stored35 << QByteArray() << u"3/5"_s << Tasti3 << Sfondo5;
        QTest::newRow("no file") << QByteArray() << QByteArray() << u"0/0"_s << 0x8000000Fu << 0x8000000Fu;
        QTest::newRow("changed by another program")
            << Stored35 << QByteArray("[rubrica]\ncoltasti=7\ncolsfondo=4\n") << u"7/4"_s << 0x00EAEAEAu << Sfondo4;
    }

    // Each opening reads the file again and puts its colours in effect, without repainting.
    void opening()
    {
        QFETCH(QByteArray, atStart);
        QFETCH(QByteArray, later);
        QFETCH(quint32, tasti);
        QFETCH(quint32, sfondo);
        QVERIFY(start(atStart));
        const QList<quint32> before = windowColours();
        if (!later.isNull())
            QVERIFY(writeAll(ini(), later));

        frmOpzioni *d = openOptions();
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), u"  Opzioni Colore Rubrica"_s);
        QCOMPARE(QApplication::activeModalWidget(), d);
        QTEST(thickFrames(*d), "frames");
        QVERIFY(!d->cmdApplica()->isEnabled());
        QCOMPARE(w().colours().Colore_Tasti, tasti);
        QCOMPARE(w().colours().Colore_Sfondo, sfondo);
        QCOMPARE(windowColours(), before);
        QCOMPARE(d->lblColTasti(7)->fill(), 0x00EAEAEAu);
        QCOMPARE(d->lblColSfondo(4)->fill(), Sfondo4);

        // The folder switch after it paints with the colours read.
        QTest::mouseClick(w().tabs().lblFolder(2), Qt::LeftButton); // blocked: the dialog is modal
        QCOMPARE(w().state().Foglio_Corrente, 0);
        d->cmdAnnulla()->click();
        QTRY_VERIFY(!w().optionsDialog());
        w().lblFolder_Click(2);
        QCOMPARE(windowColours().mid(0, 3), (QList<quint32>{tasti, before[1], sfondo}));
    }

    // Screen readers announce every swatch by an Italian name of its own.
    void accessibleNames()
    {
        QVERIFY(start(Stored35));
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        QSet<QString> names;
        for (int i = 0; i < 8; ++i) {
            for (OptionSwatch *swatch : {d->lblColTasti(i), d->lblColSfondo(i)}) {
                QAccessibleInterface *face = QAccessible::queryAccessibleInterface(swatch);
                QVERIFY(face);
                names << face->text(QAccessible::Name);
                QCOMPARE(face->state().checked, swatch->borderWidth() == 3);
            }
        }
        QCOMPARE(names.size(), 15); // swatch 0 reads the same in both frames
        QVERIFY(names.contains(u"Nessun riempimento (colore finestra)"_s));
        QVERIFY(!names.contains(QString()));
        for (QPushButton *button : {d->cmdOk(), d->cmdAnnulla(), d->cmdApplica()})
            QVERIFY(!QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty());
    }

    void choices_data()
    {
        QTest::addColumn<QStringList>("clicks"); // T: button colours, S: background colours
        QTest::addColumn<QString>("frames");
        QTest::newRow("button 6, then 2") << QStringList{u"T6"_s, u"T2"_s} << u"2/5"_s;
        QTest::newRow("button 7, then 1") << QStringList{u"T7"_s, u"T1"_s} << u"1/5"_s;
        QTest::newRow("both frames, no fill") << QStringList{u"S7"_s, u"T0"_s, u"S0"_s} << u"0/0"_s;
        QTest::newRow("the stored one again") << QStringList{u"S5"_s} << u"3/5"_s;
    }

    // A choice moves the thick frame and enables "Applica"; nothing is written or repainted yet.
    void choices()
    {
        QFETCH(QStringList, clicks);
        QVERIFY(start(Stored35));
        const QList<quint32> before = windowColours();
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        for (const QString &swatch : clicks)
            click(d, swatch);
        QTEST(thickFrames(*d), "frames");
        QCOMPARE(QString::number(d->Scelta_Tasti()) + u'/' + QString::number(d->Scelta_Sfondo()), thickFrames(*d));
        QVERIFY(d->cmdApplica()->isEnabled());
        QCOMPARE(contentsOf(ini()), Stored35);
        QCOMPARE(windowColours(), before);
        QCOMPARE(w().colours().Colore_Sfondo, Sfondo5);
    }

    // Tab stops once per frame, on the chosen swatch; the arrows choose, Space chooses, Return is "Ok".
    void keyboard()
    {
        QVERIFY(start(Stored35));
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        QCOMPARE(focused(), d->cmdOk());
        key(Qt::Key_Tab);
        key(Qt::Key_Tab); // "Applica" is disabled and skipped
        QCOMPARE(focused(), d->lblColTasti(3));
        key(Qt::Key_Right);
        key(Qt::Key_Right);
        QCOMPARE(focused(), d->lblColTasti(5));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), d->lblColSfondo(5));
        key(Qt::Key_Left);
        key(Qt::Key_Space);
        QCOMPARE(thickFrames(*d), u"5/4"_s);
        QVERIFY(d->cmdApplica()->isEnabled());
        key(Qt::Key_Tab);
        QCOMPARE(focused(), d->cmdOk());
        key(Qt::Key_Return);
        QTRY_VERIFY(!w().optionsDialog());
        QCOMPARE(contentsOf(ini()), QByteArray("[Rubrica]\r\nColTasti=5\r\nColSfondo=4\r\n"));
    }

    void apply_data()
    {
        QTest::addColumn<QByteArray>("ending");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR alone") << QByteArray("\r");
    }

    // Only the changed key's line changes; the bold tab and the page take the new background,
    // every other tab the button colour, and later folder switches paint with them too.
    void apply()
    {
        QFETCH(QByteArray, ending);
        const QByteArray file = QByteArray("; Tessavo\n[Kardel]\nLingua = it\n\n[Rubrica]\n ColTasti = 3 \n"
                                           "ColSfondo=5\n\n; fine\n[Altro]\nColSfondo=1")
                                    .replace("\n", ending);
        QVERIFY(start(file));
        w().lblFolder_Click(5);
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        click(d, u"S4"_s);
        d->cmdApplica()->click();

        QCOMPARE(contentsOf(ini()), QByteArray(file).replace("ColSfondo=5", "ColSfondo=4"));
        QCOMPARE(windowColours(), expectedColours(5, Tasti3, Sfondo4));
        QVERIFY(!d->cmdApplica()->isEnabled());
        QCOMPARE(w().optionsDialog(), d);
        // Cancelling after an apply undoes nothing.
        d->cmdAnnulla()->click();
        QTRY_VERIFY(!w().optionsDialog());
        w().lblFolder_Click(7);
        QCOMPARE(windowColours(), expectedColours(7, Tasti3, Sfondo4));
    }

    void ok_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<quint32>("tasti");
        QTest::addColumn<quint32>("sfondo");
        QTest::newRow("values that read as 3 and 5")
            << QByteArray("[Rubrica]\nColTasti=35\nColSfondo=5x\n") << QByteArray("[Rubrica]\nColTasti=3\nColSfondo=5\n")
            << Tasti3 << Sfondo5;
        QTest::newRow("no file") << QByteArray() << QByteArray("[Rubrica]\r\nColSfondo=0\r\nColTasti=0\r\n")
                                 << 0x8000000Fu << 0x8000000Fu;
    }

    // "Ok" applies what the dialog shows even without a choice, then closes it.
    void ok()
    {
        QFETCH(QByteArray, before);
        QFETCH(quint32, tasti);
        QFETCH(quint32, sfondo);
        QVERIFY(start(before));
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        d->cmdOk()->click();
        QTRY_VERIFY(!w().optionsDialog());
        QTEST(contentsOf(ini()), "after");
        QCOMPARE(windowColours(), expectedColours(0, tasti, sfondo));
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Annulla") << u"Annulla"_s;
        QTest::newRow("Esc") << u"Esc"_s;
        QTest::newRow("title bar") << u"close"_s;
    }

    // Leaving without applying keeps the file, the window and the colours in effect; the next
    // opening starts from the file again. The options button is pressed while the dialog is open.
    void leaving()
    {
        QFETCH(QString, how);
        QVERIFY(start(Stored35));
        QVERIFY(w().findChildren<frmOpzioni *>().isEmpty()); // built on demand only
        const QList<quint32> before = windowColours();
        Toolbar &bar = w().toolbar();
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        QCOMPARE(bar.Pic(10)->backColour(), Pressed);
        QTest::mouseRelease(bar.Pic(10), Qt::LeftButton);
        m_f->pointer = d->mapToGlobal(QPoint(5, 5));
        bar.Timer1_Timer();
        QCOMPARE(bar.Pic(10)->backColour(), Pressed);

        click(d, u"T6"_s);
        click(d, u"S1"_s);
        if (how == u"Annulla")
            QTest::mouseClick(d->cmdAnnulla(), Qt::LeftButton);
        else if (how == u"Esc")
            key(Qt::Key_Escape);
        else
            d->close();
        QTRY_VERIFY(!w().optionsDialog());
        QCOMPARE(contentsOf(ini()), Stored35);
        QCOMPARE(windowColours(), before);
        QCOMPARE(w().colours().Colore_Tasti, Tasti3);
        QCOMPARE(w().colours().Colore_Sfondo, Sfondo5);
        bar.Timer1_Timer();
        QCOMPARE(bar.Pic(10)->backColour(), bar.Pic(0)->backColour()); // idle once the pointer is away

        d = openOptions();
        QVERIFY(d);
        QCOMPARE(thickFrames(*d), u"3/5"_s);
    }

    void placement_data()
    {
        QTest::addColumn<int>("ownerTop"); // pixels above the screen's bottom edge
        QTest::addColumn<bool>("lifted");
        QTest::newRow("room below") << 600 << false;
        QTest::newRow("near the bottom") << 250 << true;
    }

    // 1600 twips below and 6000 right of the window's corner, lifted to end 400 twips above the
    // screen's bottom edge when it would reach past it.
    void placement()
    {
        QFETCH(int, ownerTop);
        QFETCH(bool, lifted);
        QVERIFY(start(Stored35));
        const QRect screen = w().screen()->geometry();
        const QPoint corner(screen.left() + 30, screen.bottom() + 1 - ownerTop);
        w().move(corner);
        QTRY_COMPARE(w().frameGeometry().topLeft(), corner);
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        const QRect frame = d->frameGeometry();
        QCOMPARE(frame.left(), corner.x() + twips(6000, w()));
        if (lifted)
            QCOMPARE(frame.bottom() + 1, screen.bottom() + 1 - twips(400, w()));
        else
            QCOMPARE(frame.top(), corner.y() + twips(1600, w()));
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
