#include "common/WindowTestSupport.h"

#include "dialogs/OptionSwatch.h"
#include "dialogs/ColourOptionsDialog.h"
#include "storage/ColourSettings.h"
#include "window/FolderTabs.h"
#include "window/Toolbar.h"

#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace WindowTest;

namespace {
const QByteArray Stored35 = "[Rubrica]\r\nColTasti=3\r\nColSfondo=5\r\n";
constexpr quint32 Face = ColourSettings::ButtonFace;

// The colour of a palette index, as the program's own table gives it.
quint32 colourOf(bool tab, int index)
{
    ColourSettings table;
    table.loadPalettes();
    return (tab ? table.tabColours : table.pageColours).at(size_t(index));
}
quint32 tasti(int index) { return colourOf(true, index); }
quint32 sfondo(int index) { return colourOf(false, index); }

// "3/5": the swatches with the thick frame, button colours first.
QString thickFrames(const ColourOptionsDialog &d)
{
    QStringList tasti, sfondo;
    for (int i = 0; i < 8; ++i) {
        tasti << (d.tabSwatch(i)->borderWidth() == 3 ? QString::number(i) : QString());
        sfondo << (d.pageSwatch(i)->borderWidth() == 3 ? QString::number(i) : QString());
    }
    return tasti.join(QString()) + u'/' + sfondo.join(QString());
}

// The bold tab and the page take the background, every other tab the button colour.
QList<quint32> painted(int boldTab, quint32 tasti, quint32 sfondo)
{
    QList<quint32> colours(44, tasti);
    colours[boldTab] = sfondo;
    return colours << sfondo;
}
} // namespace

// The colour options over the real address book window and a real settings file.
class TestOptions : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_f;

    AddressBookWindow &w() { return m_f->w(); }
    QString ini() const { return m_f->file(u"Kardel.ini"_s); }
    bool start(const QByteArray &settings) { return (settings.isNull() || writeAll(ini(), settings)) && m_f->load(true); }

    // Presses button 10 as the pointer does; the dialog opens inside the press.
    ColourOptionsDialog *openOptions()
    {
        m_f->moveOnto(10);
        w().toolbar().hover(10); // the pointer may have rested there already, so no move arrived
        QTest::mousePress(w().toolbar().toolBox(10), Qt::LeftButton);
        ColourOptionsDialog *d = w().optionsDialog();
        return d && QTest::qWaitForWindowActive(d) ? d : nullptr;
    }

    // "T6": a click on button colour swatch 6, "S1" on background swatch 1; longer: a key.
    static void click(ColourOptionsDialog *d, const QStringList &swatches)
    {
        for (const QString &s : swatches) {
            if (s.size() > 2)
                key(QKeySequence::fromString(s)[0].key());
            else
                QTest::mouseClick(s[0] == u'T' ? d->tabSwatch(s.mid(1).toInt()) : d->pageSwatch(s.mid(1).toInt()), Qt::LeftButton);
        }
    }

    // The 44 tabs, then the page.
    QList<quint32> windowColours()
    {
        QList<quint32> colours;
        for (int i = 0; i < 44; ++i)
            colours << w().tabs().folderTab(i)->backColour();
        return colours << w().tabs().pageLabel()->backColour();
    }

private slots:
    void init() { m_f = std::make_unique<WindowFixture>(); }

    void closing_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("finish"); // "Applica" is followed by "Annulla"
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QList<quint32>>("colours"); // tabs and page, sheet 5 shown
        // The file's other lines and line ends are IniFile's, in tst_storage.
        QTest::newRow("Applica, background 4") << Stored35 << QStringList{u"S4"_s} << u"3/4"_s << u"Applica"_s
                                               << QByteArray(Stored35).replace("ColSfondo=5", "ColSfondo=4")
                                               << painted(5, tasti(3), sfondo(4));
        QTest::newRow("Ok without a click") << QByteArray("[Rubrica]\nColTasti=35\nColSfondo=5x\n") << QStringList() << u"3/5"_s
                                            << u"Ok"_s << QByteArray("[Rubrica]\nColTasti=3\nColSfondo=5\n") << painted(5, tasti(3), sfondo(5));
        QTest::newRow("Ok, no file") << QByteArray() << QStringList{u"T6"_s, u"T2"_s, u"S7"_s, u"S0"_s} << u"2/0"_s << u"Ok"_s
                                     << QByteArray("[Rubrica]\r\nColSfondo=0\r\nColTasti=2\r\n") << painted(5, tasti(2), Face);
        // Bytes no editor writes (NULs, a mark, bare CRs, DOS's end mark): only the two values change.
        const QByteArray garbage = "\xEF\xBB\xBF\xFF\0\x01[\r[Rubrica]\r\n\0\xC0=\x80\n"
                                   "ColTasti=3\rColSfondo=5\x1A\r\n\xFE\xFF\0\0"_ba;
        QTest::newRow("Ok over binary garbage") << garbage << QStringList{u"T6"_s} << u"6/5"_s << u"Ok"_s
            << QByteArray(garbage).replace("ColTasti=3", "ColTasti=6").replace("ColSfondo=5\x1A", "ColSfondo=5")
            << painted(5, tasti(6), sfondo(5));
        // Tab stops once per frame, on the chosen swatch; the arrows and Space choose.
        QTest::newRow("keys, Return") << Stored35 << QString("Tab Tab Right Right Tab Left Space Tab").split(u' ') << u"5/4"_s
                                      << u"Return"_s << QByteArray("[Rubrica]\r\nColTasti=5\r\nColSfondo=4\r\n") << painted(5, tasti(5), sfondo(4));
        const QList<quint32> kept = painted(5, tasti(3), sfondo(5));
        QTest::newRow("button 6, 2; Annulla") << Stored35 << QStringList{u"T6"_s, u"T2"_s} << u"2/5"_s << u"Annulla"_s << Stored35 << kept;
        QTest::newRow("both frames; Esc") << Stored35 << QStringList{u"S7"_s, u"T0"_s, u"S0"_s} << u"0/0"_s << u"Esc"_s << Stored35 << kept;
    }

    // Only an applied choice reaches the file and the window.
    void closing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, clicks);
        QFETCH(QString, frames);
        QFETCH(QString, finish);
        QFETCH(QByteArray, after);
        QFETCH(QList<quint32>, colours);
        QVERIFY(start(before));
        w().folderTabClicked(5);
        ColourOptionsDialog *d = openOptions();
        QVERIFY(d);
        QTest::mouseRelease(w().toolbar().toolBox(10), Qt::LeftButton);
        click(d, clicks);
        QCOMPARE(thickFrames(*d), frames);
        QCOMPARE(d->applyButton()->isEnabled(), !clicks.isEmpty());
        if (finish == u"Return" || finish == u"Esc")
            key(finish == u"Esc" ? Qt::Key_Escape : Qt::Key_Return);
        else
            QTest::mouseClick(finish == u"Ok" ? d->okButton() : finish == u"Annulla" ? d->cancelButton() : d->applyButton(), Qt::LeftButton);
        QCOMPARE(fileBytes(ini()), after);
        QCOMPARE(windowColours(), colours);
        if (finish == u"Applica") {
            QVERIFY(!d->applyButton()->isEnabled());
            d->cancelButton()->click();
        }
        QTRY_VERIFY(!w().optionsDialog());
        w().folderTabClicked(7);
        QCOMPARE(windowColours(), painted(7, colours[0], colours[44]));
        QVERIFY((d = openOptions()));
        QCOMPARE(thickFrames(*d), after == before ? u"3/5"_s : frames); // as the file holds it
    }

    // A settings file that cannot be written (a folder here): the colours apply, and the user is told.
    void settingsNotWritable()
    {
        QVERIFY(QDir().mkdir(ini()));
        QVERIFY(start(QByteArray()));
        ColourOptionsDialog *d = openOptions();
        QVERIFY(d);
        click(d, {u"S4"_s});
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
        QCOMPARE(w().tabs().pageLabel()->backColour(), sfondo(4));
        QVERIFY(m_f->texts.value(0).startsWith(u"Impossibile salvare i colori scelti nel file delle impostazioni\r"_s + ini()));
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
