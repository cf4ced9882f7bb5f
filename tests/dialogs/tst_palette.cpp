#include "common/WindowTestSupport.h"

#include "dialogs/frmColore.h"
#include "window/SheetPager.h"
#include "window/Toolbar.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPointer>

using namespace WindowTest;

namespace {
constexpr int PaletteButton = 8;

// The cell clicked first (0: none has had the focus), whether the user then went on to the
// search box, the square clicked and the colour the cell's text must take.
struct ColourCase { int cell; bool searchBox; int label; quint32 colour; };
// The cell clicked first (0: none), a key pressed in the palette, whether it closes the palette.
struct KeyCase { int cell; Qt::Key key; bool closes; };
} // namespace
Q_DECLARE_METATYPE(ColourCase)
Q_DECLARE_METATYPE(KeyCase)

class TestPalette : public QObject
{
    Q_OBJECT
    std::unique_ptr<AgendaFixture> m_f;

    frmAgenda &w() { return m_f->w(); }
    AgendaState &state() { return m_f->w().state(); }

    // As the user does: a press on the colour button, a release, and the palette takes the keys.
    frmColore *openPalette()
    {
        QTest::mousePress(w().toolbar().Pic(PaletteButton), Qt::LeftButton);
        QTest::mouseRelease(w().toolbar().Pic(PaletteButton), Qt::LeftButton);
        frmColore *palette = w().textPalette();
        if (palette && !QTest::qWaitForWindowActive(palette))
            return nullptr;
        return palette;
    }

    void startIn(int cell)
    {
        if (cell)
            clickAt(m_f->cell(cell));
        else
            state().Colonna_Corrente = 0;
        state().Modificato = false;
    }

    QList<quint32> colours()
    {
        QList<quint32> list;
        for (int code = 1; code <= 144; ++code) {
            if (m_f->cell(code))
                list << m_f->cell(code)->foreColour();
        }
        return list;
    }

    // The cell back in an active address book, through the focus gain: highlighted alone.
    void checkFocusBack(int cell)
    {
        QTRY_VERIFY(w().isActiveWindow());
        QTRY_COMPARE(focused(), static_cast<QWidget *>(m_f->cell(cell)));
        QCOMPARE(m_f->yellowCells(), QList<int>{cell});
        QCOMPARE(state().Cella_Corrente, cell);
    }

private slots:
    void init()
    {
        m_f = std::make_unique<AgendaFixture>();
        QVERIFY(m_f->loadStore(storeWith({{12, makeRecord("Dodici", "12")}, {40, makeRecord("", "Quaranta")}})));
        QTRY_COMPARE(focused(), static_cast<QWidget *>(m_f->cell(1)));
    }

    // The window does not build a palette before it is asked for.
    void notBuiltAtStartUp()
    {
        QVERIFY(!w().findChild<frmColore *>());
        QVERIFY(!state().Tavolozza_Aperta);
    }

    void squares_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<QPoint>("at"); // twips in the client area
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("name");
        QTest::newRow("1") << 1 << QPoint(60, 50) << QColor(0, 0, 0) << "Nero";
        QTest::newRow("2") << 2 << QPoint(380, 50) << QColor(0, 0, 192) << "Blu scuro";
        QTest::newRow("3") << 3 << QPoint(60, 360) << QColor(192, 0, 0) << "Rosso scuro";
        QTest::newRow("4") << 4 << QPoint(380, 360) << QColor(255, 0, 0) << "Rosso";
        QTest::newRow("5") << 5 << QPoint(720, 50) << QColor(0, 0, 255) << "Blu";
        QTest::newRow("6") << 6 << QPoint(720, 360) << QColor(255, 0, 255) << "Magenta";
    }

    // What the user sees and what a screen reader says. Squares never take the focus away from
    // the palette, which needs it to stay open.
    void squares()
    {
        QFETCH(int, label);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QFETCH(QString, name);
        frmColore *palette = openPalette();
        QVERIFY(palette);
        QVERIFY(palette->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(palette->rect().adjusted(1, 1, -1, -1).size(), QSize(twips(1020, w()), twips(660, w())));
        ColourSquare *square = palette->Label(label);
        QCOMPARE(square->geometry(), QRect(twips(at.x(), w()) + 1, twips(at.y(), w()) + 1, twips(255, w()),
                                           twips(255, w())));
        QCOMPARE(palette->grab().toImage().pixelColor(square->geometry().center()), colour);
        QCOMPARE(square->focusPolicy(), Qt::NoFocus);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(square);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QVERIFY(!QAccessible::queryAccessibleInterface(palette)->text(QAccessible::Name).isEmpty());
    }

    void colourStep_data()
    {
        QTest::addColumn<ColourCase>("c");
        QTest::newRow("long cell, dark red") << ColourCase{12, false, 3, 0x0000C0};
        QTest::newRow("short cell, black on black") << ColourCase{140, false, 1, 0};
        QTest::newRow("back from the search box, magenta") << ColourCase{112, true, 6, 0xFF00FF};
        QTest::newRow("no current cell, blue") << ColourCase{0, false, 5, 0};
    }

    // The sheet is marked changed whatever the cell; a cell takes the colour and the focus,
    // which closes the palette. Without a cell the palette stays open.
    void colourStep()
    {
        QFETCH(ColourCase, c);
        startIn(c.cell);
        if (c.searchBox)
            clickAt(w().Text4());
        frmColore *palette = openPalette();
        QVERIFY(palette);
        QVERIFY(state().Tavolozza_Aperta);
        QTest::mouseClick(palette->Label(c.label), Qt::LeftButton);
        QVERIFY(state().Modificato);
        for (int code = 1; code <= 144; ++code) {
            if (m_f->cell(code))
                QCOMPARE(m_f->cell(code)->foreColour(), code == c.cell ? c.colour : 0u);
        }
        if (!c.cell) {
            QVERIFY(palette->isVisible() && state().Tavolozza_Aperta);
            return;
        }
        QTRY_VERIFY(!w().textPalette());
        QVERIFY(!state().Tavolozza_Aperta);
        checkFocusBack(c.cell);
    }

    void storedCodes_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<char>("code");
        QTest::newRow("black") << 1 << 0x000000u << '0';
        QTest::newRow("dark blue") << 2 << 0xC00000u << '1';
        QTest::newRow("dark red") << 3 << 0x0000C0u << '2';
        QTest::newRow("red") << 4 << 0x0000FFu << '3';
        QTest::newRow("blue") << 5 << 0xFF0000u << '4';
        QTest::newRow("magenta") << 6 << 0xFF00FFu << '5';
    }

    // Each colour reaches the store as its code and comes back from it in a new window.
    void storedCodes()
    {
        QFETCH(int, label);
        QFETCH(quint32, colour);
        QFETCH(char, code);
        startIn(140);
        frmColore *palette = openPalette();
        QVERIFY(palette);
        QTest::mouseClick(palette->Label(label), Qt::LeftButton);
        QVERIFY(w().sheets().Salva());
        QCOMPARE(recordOf(m_f->store(), 40), makeRecord("", "Quaranta", QByteArray("00000") + code));
        QVERIFY(w().close());
        QVERIFY(m_f->load());
        QCOMPARE(m_f->cell(140)->foreColour(), colour);
    }

    void keyStep_data()
    {
        QTest::addColumn<KeyCase>("c");
        QTest::newRow("escape") << KeyCase{12, Qt::Key_Escape, true};
        QTest::newRow("enter") << KeyCase{112, Qt::Key_Return, true};
        QTest::newRow("letter") << KeyCase{12, Qt::Key_A, true};
        QTest::newRow("backspace") << KeyCase{140, Qt::Key_Backspace, true};
        QTest::newRow("letter, no current cell") << KeyCase{0, Qt::Key_Z, true};
        QTest::newRow("arrow") << KeyCase{12, Qt::Key_Down, false};
        QTest::newRow("function key") << KeyCase{12, Qt::Key_F4, false};
    }

    // A key that types a character closes the palette and changes nothing: not the colours, not
    // the text (the key must not reach the cell), not the changed mark.
    void keyStep()
    {
        QFETCH(KeyCase, c);
        startIn(c.cell);
        frmColore *palette = openPalette();
        QVERIFY(palette);
        QTest::keyClick(palette->windowHandle(), c.key);
        QCOMPARE(!w().textPalette(), c.closes);
        QVERIFY(!state().Modificato);
        QCOMPARE(colours(), QList<quint32>(88, 0));
        QCOMPARE(m_f->cell(12)->text() + m_f->cell(112)->text() + m_f->cell(140)->text(),
                 QStringLiteral("Dodici12Quaranta"));
        if (!c.closes)
            QVERIFY(palette->isActiveWindow());
        else if (c.cell)
            checkFocusBack(c.cell);
        else
            QTRY_VERIFY(w().isActiveWindow());
    }

    // A click into the sheet, or another window taking the focus, closes it without a change.
    void focusLoss_data()
    {
        QTest::addColumn<bool>("otherWindow");
        QTest::newRow("click into the sheet") << false;
        QTest::newRow("another window") << true;
    }

    void focusLoss()
    {
        QFETCH(bool, otherWindow);
        startIn(12);
        frmColore *palette = openPalette();
        QVERIFY(palette);
        QWidget other;
        if (otherWindow) {
            QVERIFY(activate(other));
        } else {
            // Through the window system, as a real click deactivates the palette.
            CellEdit *target = m_f->cell(25);
            QTest::mouseClick(w().windowHandle(), Qt::LeftButton, {}, target->mapTo(&w(), QPoint(4, 5)));
        }
        QTRY_VERIFY(!w().textPalette());
        QVERIFY(!state().Tavolozza_Aperta && !state().Modificato);
        QCOMPARE(colours(), QList<quint32>(88, 0));
        if (!otherWindow)
            checkFocusBack(25);
    }

    void hover_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("colour button") << "Pic_8" << false;
        QTest::newRow("search button") << "Pic_9" << true;
        QTest::newRow("save button") << "Pic_0" << true;
        QTest::newRow("search box") << "Text4" << true;
        QTest::newRow("bare window") << "frmAgenda" << false;
    }

    // The pointer on its way elsewhere closes the palette from outside, except over its own
    // button and over the bare window.
    void hover()
    {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        frmColore *palette = openPalette();
        QVERIFY(palette);
        QWidget *widget = target == "frmAgenda" ? &w() : w().findChild<QWidget *>(target);
        const QPoint at = target == "frmAgenda" ? QPoint(w().width() / 2, w().height() - 2) : widget->rect().center();
        QCOMPARE(w().childAt(widget->mapTo(&w(), at)), widget == &w() ? nullptr : widget);
        QTest::mouseMove(widget, at);
        QTest::mouseMove(widget, at + QPoint(1, 0));
        QCOMPARE(!w().textPalette(), closes);
    }

    // The palette opens under its button wherever the window stands, even where it does not
    // fit on the screen (800 x 600 here). Every opening is a new window; pressing the button while one is open
    // replaces it.
    void freshUnderTheButton()
    {
        const QPoint offset(twips(3360, w()), twips(720, w()));
        QPointer<frmColore> previous;
        for (const QPoint place : {QPoint(40, 30), QPoint(200, 150), QPoint(700, 560)}) {
            w().move(place);
            QTRY_COMPARE(w().frameGeometry().topLeft(), place);
            QPointer<frmColore> palette = openPalette();
            QVERIFY(palette);
            QVERIFY(palette != previous);
            QTRY_VERIFY(!previous);
            QCOMPARE(palette->frameGeometry().topLeft(), w().frameGeometry().topLeft() + offset);
            const QRect button(w().toolbar().Pic(PaletteButton)->mapToGlobal(QPoint()),
                               w().toolbar().Pic(PaletteButton)->size());
            QVERIFY(palette->y() > button.bottom() && palette->x() < button.right());
            if (place.x() > 100)
                QTest::keyClick(palette->windowHandle(), Qt::Key_Escape);
            previous = palette;
        }
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
