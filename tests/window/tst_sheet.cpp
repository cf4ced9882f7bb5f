// The sheet shown, from the store to the screen and back, and its undo and redo with the keys.
#include "common/WindowTestSupport.h"

#include "dialogs/PaletteDialog.h"
#include "storage/SheetCodec.h"
#include "window/SheetPager.h"

#include <QAccessible>

using namespace WindowTest;

class TestSheet : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> m_f;

private slots:
    void initTestCase()
    {
        m_f = std::make_unique<WindowFixture>();
        QVERIFY(m_f->loadStore(storeWith()));
    }

    void everyByteComesBack_data()
    {
        QTest::addColumn<int>("byte");
        for (int byte = 0x01; byte <= 0xFF; ++byte)
            QTest::addRow("0x%02x", byte) << byte;
    }

    // In the middle of a text and at its end; an untouched save, then one character typed before it.
    void everyByteComesBack()
    {
        QFETCH(int, byte);
        const QByteArray b(1, char(byte));
        const QByteArray Codes = codes(StyleCode::BoldUnderlined, StyleCode::Bold, ColourCode::Magenta, ColourCode::Blue);
        const QByteArray stored = storeWith({{3, makeRecord("A" + b + "B" + b, b + "C", Codes)}});
        QVERIFY(writeAll(m_f->file("rubri.dat"), stored));
        m_f->w().sheets().loadSheet(0);
        CellEdit *cell = m_f->cell(3);
        QVERIFY(cell->text().size() < 2 || QChar(cell->text().at(1)).isPrint());
        QVERIFY(m_f->w().sheets().save());
        COMPARE_STORE(m_f->store(), stored);

        m_f->focusCell(3);
        cell->setCursorPosition(1);
        QTest::keyClick(cell, Qt::Key_X, Qt::NoModifier);
        QVERIFY(m_f->w().sheets().save());
        const QByteArray edited = storeWith({{3, makeRecord("Ax" + b + "B" + b, b + "C", Codes)}});
        COMPARE_STORE(m_f->store(), edited);
    }

    void undoAndRedo_data()
    {
        QTest::addColumn<QString>("step");
        for (const char *step : {"typing", "insert row", "remove row", "cut", "paste", "bold", "underline", "colour"})
            QTest::newRow(step) << QString::fromLatin1(step);
    }

    // The sheet stays changed throughout; a save after the undo writes the sheet as loaded.
    void undoAndRedo()
    {
        QFETCH(QString, step);
        const QByteArray boldRed = codes(StyleCode::Bold, StyleCode::Plain, ColourCode::Red);
        const QByteArray stored =
            storeWith({{1, makeRecord("Uno", "1")}, {2, makeRecord("Due", "2", boldRed)}, {3, makeRecord("Tre", "3")}});
        QVERIFY(writeAll(m_f->file("rubri.dat"), stored));
        AddressBookWindow &w = m_f->w();
        w.sheets().loadSheet(0);
        const QByteArray loaded = encodeSheet(m_f->model().rows());
        m_f->focusCell(1); // a focus gain of its own makes the cell current and selected
        m_f->focusCell(2);
        m_f->clipboard.held = QStringLiteral("Incollato\n");
        if (step == "typing")
            QTest::keyClicks(focused(), QStringLiteral("ssi"));
        else if (step == "insert row")
            w.insertRow();
        else if (step == "remove row")
            w.removeRow();
        else if (step == "cut")
            w.cutColumn();
        else if (step == "paste")
            w.pasteColumn();
        else if (step == "bold")
            w.toggleBold();
        else if (step == "underline")
            w.toggleUnderline();
        else {
            w.openTextPalette();
            QTRY_VERIFY(w.textPalette());
            w.textPalette()->squareClicked(0xFF00FF);
        }
        QTRY_VERIFY(m_f->focusOn(2));
        const QByteArray changed = encodeSheet(m_f->model().rows());
        QVERIFY(changed != loaded);

        key(Qt::Key_Z, Qt::ControlModifier);
        COMPARE_STORE(encodeSheet(m_f->model().rows()), loaded);
        QVERIFY(m_f->shownSheet().modified);
        key(Qt::Key_Y, Qt::ControlModifier);
        COMPARE_STORE(encodeSheet(m_f->model().rows()), changed);
        QCOMPARE(m_f->cell(2)->text(), m_f->model().cell(2).text);
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.sheets().save());
        COMPARE_STORE(m_f->store(), stored);
        // Nothing from before the save is left to redo.
        key(Qt::Key_Y, Qt::ControlModifier);
        COMPARE_STORE(encodeSheet(m_f->model().rows()), loaded);
    }

    // A cell never used is drawn by the sheet's view: a click there makes it a line edit with the
    // focus, the caret under the pointer and the click's highlight; Tab makes the next one.
    void firstClickOnACell()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith({{7, makeRecord("Giuseppe Verdi", "0471")}})));
        Grid &grid = f.w().grid();
        QVERIFY(!grid.madeCell(7));
        const QRect rect = grid.cellRect(7);
        QTest::mouseClick(f.w().windowHandle(), Qt::LeftButton, {}, rect.topLeft() + QPoint(30, rect.height() / 2));
        QVERIFY(grid.madeCell(7));
        QVERIFY(f.focusOn(7));
        QVERIFY(f.cell(7)->cursorPosition() > 0);
        QVERIFY(f.cell(7)->cursorPosition() < 8);
        QVERIFY(f.model().isSelected(7));
        QVERIFY(!grid.madeCell(107));
        key(Qt::Key_Tab);
        QVERIFY(f.focusOn(107));
        QCOMPARE(f.cell(107)->text(), QStringLiteral("0471"));
        f.type(8, QStringLiteral("Anna"));
        QCOMPARE(f.model().cell(8).text, QStringLiteral("Anna"));
    }

    // A screen reader reads every cell, so each is a line edit once one runs.
    void screenReaderMakesEveryCell()
    {
        WindowFixture f;
        QVERIFY(f.loadStore(storeWith()));
        QVERIFY(!f.w().grid().madeCell(120));
        QAccessible::setActive(true);
        QAccessible::setActive(false);
        for (int row = 1; row <= 44; ++row) {
            QVERIFY(f.w().grid().madeCell(row));
            QVERIFY(f.w().grid().madeCell(row + 100));
        }
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
