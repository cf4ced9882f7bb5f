#include "common/WindowTestSupport.h"

#include "window/Toolbar.h"

using namespace WindowTest;

namespace {
constexpr int CutButton = 1, CopyButton = 2, PasteButton = 3;

// A paste from the clipboard into the selected start cell: cells that must then hold a text
// (all others keep theirs) and the cell that ends with the focus.
struct PasteCase { QString clipboard; int start; QList<QPair<int, QString>> expected; int focus; };
} // namespace
Q_DECLARE_METATYPE(PasteCase)

// Cut, copy and paste of whole cells through the toolbar, on a window whose clipboard is a fake.
class TestClipboard : public QObject
{
    Q_OBJECT
    std::unique_ptr<AgendaFixture> m_f;

    void press(int button) { QTest::mouseClick(m_f->w().toolbar().Pic(button), Qt::LeftButton); }
    // Each cell holds a text of its own: "L<row>" in long cells, "S<row>" in short ones.
    static QString original(int code) { return code > 100 ? QStringLiteral("S%1").arg(code - 100) : QStringLiteral("L%1").arg(code); }

private slots:
    void init()
    {
        QList<QPair<int, QByteArray>> rows;
        for (int row = 1; row <= 44; ++row)
            rows.append({row, makeRecord(original(row).toLatin1(), original(row + 100).toLatin1())});
        m_f = std::make_unique<AgendaFixture>();
        QVERIFY(m_f->loadStore(storeWith(rows)));
        QTRY_VERIFY(m_f->focusOn(1));
    }

    // A copy marks the sheet changed, though nothing in it changes, and leaves the focus.
    void copyOneCell()
    {
        m_f->focusCell(5);
        press(CopyButton);
        QCOMPARE(m_f->clipboard.held, QStringLiteral("L5\n"));
        QVERIFY(m_f->focusOn(5));
        QVERIFY(m_f->shownSheet().modified);
        QCOMPARE(m_f->cell(5)->text(), QStringLiteral("L5"));
    }

    // Rows 3 to 6 selected with Shift+Down, then cut: the texts go, the formatting too, the
    // short cells stay, the highlight stays.
    void cutExtendedSelection()
    {
        for (int row = 3; row <= 6; ++row) {
            m_f->format(row, {true, true}, 0x0000FF);
        }
        m_f->cell(4)->setText(QString());
        m_f->focusCell(3);
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Down, Qt::ShiftModifier);
        press(CutButton);
        QCOMPARE(m_f->clipboard.held, QStringLiteral("L3\n\nL5\nL6\n"));
        for (int row = 3; row <= 6; ++row) {
            QVERIFY(m_f->cell(row)->text().isEmpty());
            QVERIFY(!m_f->cell(row)->isBold());
            QVERIFY(!m_f->cell(row)->isUnderlined());
            QCOMPARE(m_f->cell(row)->foreColour(), 0u);
            QCOMPARE(m_f->cell(row + 100)->text(), original(row + 100));
        }
        QCOMPARE(m_f->cell(7)->text(), QStringLiteral("L7"));
        QCOMPARE(m_f->yellowCells(), (QList<int>{3, 4, 5, 6}));
        QVERIFY(m_f->focusOn(6));
        QVERIFY(!m_f->gridModes().extendSelection);
        QVERIFY(m_f->shownSheet().modified);
    }

    void paste_data()
    {
        QTest::addColumn<PasteCase>("c");
        QTest::newRow("three lines at 43") << PasteCase{"one\ntwo\nthree\n", 43, {{43, "L43one"}, {44, "L44two"}}, 44};
        QTest::newRow("word without line feed") << PasteCase{"word", 5, {{5, "L5word"}}, 4};
        QTest::newRow("word at row 1 keeps row 1") << PasteCase{"word", 1, {{1, "L1word"}}, 1};
        QTest::newRow("empty clipboard") << PasteCase{"", 5, {}, 4};
        QTest::newRow("30 characters into 25 of 40") // the short cell is filled up to 25 first
            << PasteCase{QString(30, u'z') + u'\n', 120, {{120, "S20" + QString(22, u'k') + QString(15, u'z')}}, 120};
        QList<QPair<int, QString>> filled;
        for (int row = 40; row <= 44; ++row)
            filled.append({row, QStringLiteral("L%1").arg(row) + QString(97, u'v')});
        QTest::newRow("over 32767 characters: what fits") << PasteCase{(QString(200, u'v') + u'\n').repeated(300), 40, filled, 44};
    }

    // Appended to what the cells hold, their formatting kept, nothing else touched.
    void paste()
    {
        QFETCH(PasteCase, c);
        if (c.start == 120)
            m_f->cell(120)->setText(m_f->cell(120)->text() + QString(22, u'k'));
        QHash<int, QString> want;
        for (int code = 1; code <= 144; ++code)
            want[code] = m_f->cell(code) ? m_f->cell(code)->text() : QString();
        for (const auto &[code, text] : c.expected)
            want[code] = text;
        m_f->clipboard.held = c.clipboard;
        m_f->focusCell(c.start);
        m_f->format(c.start, {true, false});
        press(PasteButton);
        for (int code = 1; code <= 144; ++code) {
            if (m_f->cell(code))
                QCOMPARE(m_f->cell(code)->text(), want[code]);
        }
        QVERIFY(m_f->cell(c.start)->isBold());
        QVERIFY(m_f->focusOn(c.focus));
        QCOMPARE(m_f->cell(c.focus)->cursorPosition(), int(m_f->cell(c.focus)->text().size()));
        QVERIFY(m_f->shownSheet().modified);
        QVERIFY(!m_f->gridModes().caretMode);
        QVERIFY(m_f->texts.isEmpty());
    }

    void pasteRefused_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("hit");
        QTest::addColumn<QString>("message");
        const QString tabs = QStringLiteral(" Gli appunti contengono caratteri di tabulazione.\r\n\r"
                                            " Probabilmente sono state copiate pi\u00f9 colonne  \r\n"
                                            " da un foglio di Excel o Access.  \r\n\r"
                                            " Copiare ed incollare una sola colonna per volta...\r\n\r"
                                            " Fare riferimento all' Help del programma.");
        QTest::newRow("tab") << "a\tb\n" << false << tabs;
        QTest::newRow("tab far beyond what fits") << QString(40000, u'x') + u'\t' << false << tabs;
        QTest::newRow("hit green cell") << "a\n" << true << "  Seleziona una cella prima di incollare!  ";
    }

    // Nothing pasted, the sheet marked changed all the same, one box with OK and no icon.
    void pasteRefused()
    {
        QFETCH(QString, clipboard);
        QFETCH(bool, hit);
        QFETCH(QString, message);
        m_f->clipboard.held = clipboard;
        m_f->searchPosition().found = hit;
        m_f->focusCell(7);
        press(PasteButton);
        QCOMPARE(m_f->texts, QStringList{message});
        QCOMPARE(m_f->styles, QList<int>{MsgStyle::OkOnly});
        for (int code : {6, 7, 8, 107})
            QCOMPARE(m_f->cell(code)->text(), original(code));
        QVERIFY(m_f->shownSheet().row == 7);
        QVERIFY(m_f->shownSheet().modified);
    }
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
