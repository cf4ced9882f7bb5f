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
constexpr quint32 Face = 0x8000000F, Tasti3 = 0x00E6F7FF, Sfondo4 = 0x00C1C1FF, Sfondo5 = 0x00CADBFF;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "3/5": the swatches with the thick frame, button colours first.
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

// The colour options over the real address book window and a real settings file.
class TestOptions : public QObject
{
    Q_OBJECT
    std::unique_ptr<AgendaFixture> m_f;

    frmAgenda &w() { return m_f->w(); }
    QString ini() const { return m_f->file(u"Kardel.ini"_s); }
    bool start(const QByteArray &settings) { return (settings.isNull() || writeAll(ini(), settings)) && m_f->load(true); }

    // Presses button 10 as the pointer does; the dialog opens inside the press.
    frmOpzioni *openOptions()
    {
        ToolBox *box = w().toolbar().Pic(10);
        m_f->pointer = box->mapToGlobal(box->rect().center());
        QTest::mouseMove(box);
        w().toolbar().hover(10); // the pointer may have rested there already, so no move arrived
        QTest::mousePress(box, Qt::LeftButton);
        frmOpzioni *d = w().optionsDialog();
        return d && QTest::qWaitForWindowActive(d) ? d : nullptr;
    }

    // "T6": button colour swatch 6, "S1": background swatch 1.
    static void click(frmOpzioni *d, const QStringList &swatches)
    {
        for (const QString &s : swatches)
            QTest::mouseClick(s[0] == u'T' ? d->lblColTasti(s.mid(1).toInt()) : d->lblColSfondo(s.mid(1).toInt()), Qt::LeftButton);
    }

    // The 44 tabs, then the page.
    QList<quint32> windowColours()
    {
        QList<quint32> colours;
        for (int i = 0; i < 44; ++i)
            colours << w().tabs().lblFolder(i)->backColour();
        return colours << w().tabs().lblScheda()->backColour();
    }
    static QList<quint32> painted(int boldTab, quint32 tasti, quint32 sfondo)
    {
        QList<quint32> colours(44, tasti);
        colours[boldTab] = sfondo;
        return colours << sfondo;
    }

private slots:
    void init() { m_f = std::make_unique<AgendaFixture>(); }

    void opening_data()
    {
        QTest::addColumn<QByteArray>("atStart"); // null: no file
        QTest::addColumn<QByteArray>("later");   // written by another program after start-up
        QTest::addColumn<int>("ownerTop");       // pixels above the screen's bottom edge
        QTest::addColumn<bool>("lifted");        // the dialog would reach past that edge
        QTest::addColumn<QString>("frames");
        QTest::addColumn<quint32>("tasti");
        QTest::addColumn<quint32>("sfondo");
        QTest::newRow("3 and 5") << Stored35 << QByteArray() << 600 << false << u"3/5"_s << Tasti3 << Sfondo5;
        QTest::newRow("no file, near the bottom") << QByteArray() << QByteArray() << 250 << true << u"0/0"_s << Face << Face;
        QTest::newRow("changed since start-up") << Stored35 << QByteArray("[rubrica]\rcoltasti=7\rcolsfondo=4\r")
                                                << 500 << false << u"7/4"_s << 0x00EAEAEAu << Sfondo4;
    }

    // Each opening reads the file and puts its colours in effect without repainting; the window
    // takes no input meanwhile, and the next folder switch paints with them. The dialog stands
    // 1600 twips below and 6000 right of the window's corner, lifted to end 400 twips above the
    // screen's bottom edge when it would reach past it. Every swatch has a spoken Italian name.
    void opening()
    {
        QFETCH(QByteArray, atStart);
        QFETCH(QByteArray, later);
        QFETCH(int, ownerTop);
        QFETCH(quint32, tasti);
        QFETCH(quint32, sfondo);
        QVERIFY(start(atStart));
        QVERIFY(w().findChildren<frmOpzioni *>().isEmpty()); // built on demand only
        const QList<quint32> before = windowColours();
        QVERIFY(later.isNull() || writeAll(ini(), later));
        const QRect screen = w().screen()->geometry();
        const QPoint corner(screen.left() + 30, screen.bottom() + 1 - ownerTop);
        w().move(corner);
        QTRY_COMPARE(w().frameGeometry().topLeft(), corner);

        frmOpzioni *d = openOptions();
        QVERIFY(d);
        const QRect frame = d->frameGeometry();
        QCOMPARE(frame.left(), corner.x() + twips(6000, w()));
        QFETCH(bool, lifted);
        if (lifted)
            QCOMPARE(frame.bottom() + 1, screen.bottom() + 1 - twips(400, w()));
        else
            QCOMPARE(frame.top(), corner.y() + twips(1600, w()));
        QCOMPARE(d->windowTitle(), u"  Opzioni Colore Rubrica"_s);
        QTEST(thickFrames(*d), "frames");
        QVERIFY(!d->cmdApplica()->isEnabled());
        QCOMPARE(std::make_pair(w().colours().Colore_Tasti, w().colours().Colore_Sfondo), std::make_pair(tasti, sfondo));
        QCOMPARE(windowColours(), before);
        QCOMPARE(std::make_pair(d->lblColTasti(7)->fill(), d->lblColSfondo(4)->fill()), std::make_pair(0x00EAEAEAu, Sfondo4));
        QSet<QString> names;
        for (int i = 0; i < 8; ++i) {
            for (OptionSwatch *swatch : {d->lblColTasti(i), d->lblColSfondo(i)})
                names << QAccessible::queryAccessibleInterface(swatch)->text(QAccessible::Name);
        }
        QCOMPARE(names.size(), 15); // swatch 0 reads the same in both frames
        QVERIFY(names.contains(u"Nessun riempimento (colore finestra)"_s) && !names.contains(QString()));

        QTest::mouseClick(w().tabs().lblFolder(2), Qt::LeftButton);
        QCOMPARE(w().state().Foglio_Corrente, 0);
        d->cmdAnnulla()->click();
        QTRY_VERIFY(!w().optionsDialog());
        w().lblFolder_Click(2);
        QCOMPARE(windowColours().mid(0, 3), (QList<quint32>{tasti, before[1], sfondo}));
    }

    void applying_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QList<quint32>>("colours"); // tabs and page, sheet 5 shown
        const QByteArray file = "; Tessavo\n[Kardel]\nLingua = it\n\n[Rubrica]\n ColTasti = 3 \nColSfondo=5\n\n; fine\n[Altro]\nColSfondo=1";
        for (const auto &[name, ending] : {std::pair("CR LF", "\r\n"), std::pair("LF", "\n"), std::pair("CR alone", "\r")}) {
            const QByteArray lines = QByteArray(file).replace("\n", ending);
            QTest::addRow("Applica, background 4, %s", name)
                << lines << QStringList{u"S4"_s} << u"Applica"_s << QByteArray(lines).replace("ColSfondo=5", "ColSfondo=4")
                << painted(5, Tasti3, Sfondo4);
        }
        QTest::newRow("Ok without a click") << QByteArray("[Rubrica]\nColTasti=35\nColSfondo=5x\n") << QStringList()
                                            << u"Ok"_s << QByteArray("[Rubrica]\nColTasti=3\nColSfondo=5\n")
                                            << painted(5, Tasti3, Sfondo5);
        QTest::newRow("Ok, no file") << QByteArray() << QStringList{u"T6"_s, u"T2"_s, u"S7"_s, u"S0"_s} << u"Ok"_s
                                     << QByteArray("[Rubrica]\r\nColSfondo=0\r\nColTasti=2\r\n") << painted(5, 0x00F0FFF0, Face);
    }

    // Only the keys' lines change; the bold tab and the page take the background, every other
    // tab the button colour, also at later folder switches. A later Annulla undoes nothing.
    void applying()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, button);
        QFETCH(QList<quint32>, colours);
        QVERIFY(start(before));
        w().lblFolder_Click(5);
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        QFETCH(QStringList, clicks);
        click(d, clicks);
        QCOMPARE(d->cmdApplica()->isEnabled(), !clicks.isEmpty());
        QTest::mouseClick(button == u"Ok" ? d->cmdOk() : d->cmdApplica(), Qt::LeftButton);
        QTEST(contentsOf(ini()), "after");
        QCOMPARE(windowColours(), colours);
        if (button == u"Applica") {
            QVERIFY(!d->cmdApplica()->isEnabled());
            d->cmdAnnulla()->click();
        }
        QTRY_VERIFY(!w().optionsDialog());
        w().lblFolder_Click(7);
        QCOMPARE(windowColours(), painted(7, colours[0], colours[44]));
    }

    void leaving_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<int>("closeKey"); // 0: "Annulla", -1: the title bar
        QTest::newRow("button 6, 2; Annulla") << QStringList{u"T6"_s, u"T2"_s} << u"2/5"_s << 0;
        QTest::newRow("button 7, 1; Esc") << QStringList{u"T7"_s, u"T1"_s} << u"1/5"_s << int(Qt::Key_Escape);
        QTest::newRow("both frames; title bar") << QStringList{u"S7"_s, u"T0"_s, u"S0"_s} << u"0/0"_s << -1;
    }

    // Choices move the thick frame and change nothing until applied; leaving without applying
    // keeps the file, the window and the colours in effect. The options button stays pressed
    // while the dialog is open, whatever the pointer does.
    void leaving()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, closeKey);
        QVERIFY(start(Stored35));
        const QList<quint32> before = windowColours();
        Toolbar &bar = w().toolbar();
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        QTest::mouseRelease(bar.Pic(10), Qt::LeftButton);
        m_f->pointer = d->mapToGlobal(QPoint(5, 5));
        bar.Timer1_Timer();
        QCOMPARE(bar.Pic(10)->backColour(), 0x00FF8080u);

        click(d, clicks);
        QTEST(thickFrames(*d), "frames");
        QCOMPARE(QString::number(d->Scelta_Tasti()) + u'/' + QString::number(d->Scelta_Sfondo()), thickFrames(*d));
        QVERIFY(d->cmdApplica()->isEnabled());
        if (closeKey > 0)
            key(closeKey);
        else if (closeKey == 0)
            QTest::mouseClick(d->cmdAnnulla(), Qt::LeftButton);
        else
            d->close();
        QTRY_VERIFY(!w().optionsDialog());
        QCOMPARE(contentsOf(ini()), Stored35);
        QCOMPARE(windowColours(), before);
        QCOMPARE(std::make_pair(w().colours().Colore_Tasti, w().colours().Colore_Sfondo), std::make_pair(Tasti3, Sfondo5));
        QCOMPARE(bar.Pic(10)->backColour(), bar.Pic(0)->backColour()); // idle: the pointer is away
        QVERIFY((d = openOptions()));
        QCOMPARE(thickFrames(*d), u"3/5"_s);
    }

    // Tab stops once per frame, on the chosen swatch; the arrows and Space choose; Return is "Ok".
    void keyboard()
    {
        QVERIFY(start(Stored35));
        frmOpzioni *d = openOptions();
        QVERIFY(d);
        QCOMPARE(focused(), d->cmdOk());
        for (int k : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Right, Qt::Key_Right, Qt::Key_Tab, Qt::Key_Left, Qt::Key_Space})
            key(k);
        QCOMPARE(focused(), d->lblColSfondo(4));
        QCOMPARE(thickFrames(*d), u"5/4"_s);
        key(Qt::Key_Tab);
        QCOMPARE(focused(), d->cmdOk());
        key(Qt::Key_Return);
        QTRY_VERIFY(!w().optionsDialog());
        QCOMPARE(contentsOf(ini()), QByteArray("[Rubrica]\r\nColTasti=5\r\nColSfondo=4\r\n"));
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
