// The sheet shown, from the store to the screen and back, and its undo and redo with the keys.
#include "common/WindowTestSupport.h"

#include "storage/SheetCodec.h"
#include "window/SheetPager.h"

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

    // Controls, the code page's gaps and its letters; every other byte is the store's and model's tests'.
    void everyByteComesBack_data()
    {
        QTest::addColumn<int>("byte");
        for (int byte : {0x01, 0x09, 0x7F, 0x80, 0x81, 0xA0, 0xAD, 0xE8, 0xFF})
            QTest::addRow("0x%02x", byte) << byte;
    }

    // In the middle of a text and at its end; an untouched save, then one character typed before it.
    void everyByteComesBack()
    {
        QFETCH(int, byte);
        const QByteArray b(1, char(byte));
        const QByteArray look = codes(StyleCode::BoldUnderlined, StyleCode::Bold, ColourCode::Magenta, ColourCode::Blue);
        const QByteArray stored = storeWith({{3, makeRecord("A" + b + "B" + b, b + "C", look)}});
        QVERIFY(writeAll(m_f->file("rubri.dat"), stored));
        m_f->w().sheets().loadSheet(0);
        QVERIFY(m_f->w().sheets().save());
        COMPARE_STORE(m_f->store(), stored);

        m_f->focusCell(3);
        m_f->cell(3)->setCursorPosition(1);
        QTest::keyClick(m_f->cell(3), Qt::Key_X, Qt::NoModifier);
        QVERIFY(m_f->w().sheets().save());
        COMPARE_STORE(m_f->store(), storeWith({{3, makeRecord("Ax" + b + "B" + b, b + "C", look)}}));
    }

    // Typing, a look and a row, taken back and done again with the keys; the sheet stays changed
    // throughout, and a save after the undo writes the sheet as loaded.
    void undoAndRedo()
    {
        const QByteArray boldRed = codes(StyleCode::Bold, StyleCode::Plain, ColourCode::Red);
        const QByteArray stored =
            storeWith({{1, makeRecord("Uno", "1")}, {2, makeRecord("Due", "2", boldRed)}, {3, makeRecord("Tre", "3")}});
        QVERIFY(writeAll(m_f->file("rubri.dat"), stored));
        m_f->w().sheets().loadSheet(0);
        const QByteArray loaded = encodeSheet(m_f->model().rows());
        m_f->focusCell(1); // a focus gain of its own makes the cell current and selected
        m_f->focusCell(2);
        QTest::keyClicks(focused(), QStringLiteral("ssi"));
        key(Qt::Key_B, Qt::ControlModifier);
        key(Qt::Key_Insert, Qt::ControlModifier);
        const QByteArray changed = encodeSheet(m_f->model().rows());
        QCOMPARE(m_f->model().cell(3).text, QStringLiteral("Duessi"));
        QVERIFY(!m_f->model().cell(3).font.bold); // it was bold

        for (int step = 0; step < 3; ++step)
            key(Qt::Key_Z, Qt::ControlModifier);
        COMPARE_STORE(encodeSheet(m_f->model().rows()), loaded);
        QVERIFY(m_f->shownSheet().modified);
        for (int step = 0; step < 3; ++step)
            key(Qt::Key_Y, Qt::ControlModifier);
        COMPARE_STORE(encodeSheet(m_f->model().rows()), changed);
        QCOMPARE(m_f->cell(3)->text(), QStringLiteral("Duessi"));
        for (int step = 0; step < 3; ++step)
            key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(m_f->w().sheets().save());
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
        QVERIFY(f.focusOn(7));
        QVERIFY(f.cell(7)->cursorPosition() > 0);
        QVERIFY(f.cell(7)->cursorPosition() < 8);
        QVERIFY(f.model().isSelected(7));
        QVERIFY(!grid.madeCell(107));
        key(Qt::Key_Tab);
        QVERIFY(f.focusOn(107));
        QCOMPARE(f.cell(107)->text(), QStringLiteral("0471"));
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
