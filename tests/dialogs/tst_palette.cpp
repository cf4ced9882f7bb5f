#include "common/WindowTestSupport.h"

#include "dialogs/PaletteDialog.h"
#include "window/SheetPager.h"
#include "window/Toolbar.h"

using namespace WindowTest;

// The cell clicked (0: none); then the search box; a square by name or a key; code stored; closes.
struct ColourPickCase { int cell; bool searchBox; const char *name; int key; char code; bool closes; };
Q_DECLARE_METATYPE(ColourPickCase)

class TestPalette : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_f;
    AddressBookWindow &w() { return m_f->w(); }

    PaletteDialog *openPalette()
    {
        m_f->press(8);
        PaletteDialog *palette = w().textPalette();
        return palette && QTest::qWaitForWindowActive(palette) ? palette : nullptr;
    }

private slots:
    void init()
    {
        m_f = std::make_unique<WindowFixture>();
        QVERIFY(m_f->loadStore(storeWith({{12, makeRecord("Dodici", "12")}, {40, makeRecord("", "Quaranta")}})));
    }

    void pick_data()
    {
        QTest::addColumn<ColourPickCase>("c");
        QTest::newRow("black on a black short cell") << ColourPickCase{140, false, "Nero", 0, '0', true};
        QTest::newRow("dark blue") << ColourPickCase{12, false, "Blu scuro", 0, '1', true};
        QTest::newRow("dark red, from the search box") << ColourPickCase{112, true, "Rosso scuro", 0, '2', true};
        QTest::newRow("red") << ColourPickCase{40, false, "Rosso", 0, '3', true};
        QTest::newRow("black, no current cell") << ColourPickCase{0, false, "Nero", 0, '0', false};
        QTest::newRow("escape") << ColourPickCase{12, false, nullptr, Qt::Key_Escape, 0, true};
        QTest::newRow("enter, from the search box") << ColourPickCase{112, true, nullptr, Qt::Key_Return, 0, true};
        QTest::newRow("letter, no current cell") << ColourPickCase{0, false, nullptr, Qt::Key_Z, 0, true};
        QTest::newRow("arrow") << ColourPickCase{12, false, nullptr, Qt::Key_Down, 0, false};
    }

    // A square colours the current cell, stored as its code; a typing key closes and changes nothing.
    void pick()
    {
        QFETCH(ColourPickCase, c);
        ShownSheet &s = w().shownSheet();
        if (c.cell)
            clickAt(m_f->cell(c.cell));
        else
            s.column = 0;
        if (c.searchBox)
            clickAt(w().searchBox());
        s.modified = false;
        PaletteDialog *palette = openPalette();
        QVERIFY(palette);
        QVERIFY(w().toolbar().isPaletteOpen());
        quint32 shown = 0; // the square's colour in the cells' form, 0xBBGGRR
        if (c.name) {
            QWidget *square = nullptr;
            for (QWidget *child : palette->findChildren<QWidget *>()) {
                if (child->accessibleName() == QString::fromUtf8(c.name))
                    square = child;
            }
            QVERIFY(square);
            const QColor painted = palette->grab().toImage().pixelColor(square->mapTo(palette, square->rect().center()));
            shown = quint32(painted.blue()) << 16 | quint32(painted.green()) << 8 | quint32(painted.red());
            QVERIFY(c.code == '0' || shown != 0);
            QTest::mouseClick(square, Qt::LeftButton);
        } else {
            QTest::keyClick(palette->windowHandle(), Qt::Key(c.key));
        }
        QCOMPARE(s.modified, c.name != nullptr);
        for (int code = 1; code <= 144; ++code)
            QVERIFY(!m_f->cell(code) || m_f->cell(code)->foreColour() == (code == c.cell ? shown : 0u));
        QCOMPARE(m_f->cell(12)->text() + m_f->cell(112)->text() + m_f->cell(140)->text(), QStringLiteral("Dodici12Quaranta"));
        if (!c.closes) {
            QVERIFY(palette->isActiveWindow());
            QVERIFY(w().toolbar().isPaletteOpen());
            return;
        }
        QTRY_VERIFY(!w().textPalette());
        QTRY_VERIFY(w().isActiveWindow());
        if (c.cell)
            QTRY_VERIFY(m_f->focusOn(c.cell));
        if (!c.name)
            return;
        QVERIFY(!w().toolbar().isPaletteOpen());
        QVERIFY(w().sheets().save());
        QCOMPARE(recordOf(m_f->store(), c.cell % 100).at(c.cell > 100 ? 145 : 144), c.code);
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
