#include "common/WindowTestSupport.h"

#include "editing/CellInput.h"
#include "editing/ClipboardText.h"
#include "window/SheetPager.h"
#include "window/Toolbar.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>

using namespace WindowTest;

namespace {
constexpr int CutButton = 1, PasteButton = 3;

// Cells that must then hold a text (all others keep theirs), and the cell that ends with the focus.
struct PasteCase { QString clipboard; int start; QList<QPair<int, QString>> expected; int focus; };

// Insert stands for what comes by no way of the cell's own, as a screen reader's insertion.
enum class Way { Typed, InputMethod, CtrlV, Insert };

// A text entering a cell that already holds `held`, and what the cell and the sheet then hold.
struct EntryCase { Way way; int cell; QString held, input, shown; };

} // namespace
Q_DECLARE_METATYPE(PasteCase)
Q_DECLARE_METATYPE(EntryCase)

// Whole cells cut and pasted by the toolbar, and every other way a text enters a cell.
class TestClipboard : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_f;

    // Each cell holds a text of its own: "L<row>" in long cells, "S<row>" in short ones.
    static QString original(int code) { return code > 100 ? QStringLiteral("S%1").arg(code - 100) : QStringLiteral("L%1").arg(code); }

    void enter(CellEdit *cell, Way way, const QString &text)
    {
        cell->setFocus(Qt::OtherFocusReason);
        cell->putCaretAtEnd();
        switch (way) {
        case Way::Typed:
            for (const char32_t c : text.toUcs4())
                QTest::sendKeyEvent(QTest::Click, cell, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
            break;
        case Way::InputMethod: {
            QInputMethodEvent event;
            event.setCommitString(text);
            QApplication::sendEvent(cell, &event);
            break;
        }
        case Way::CtrlV:
            m_f->clipboard.held = text;
            QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
            break;
        case Way::Insert:
            cell->insert(text);
            break;
        }
    }

private slots:
    void init()
    {
        QList<QPair<int, QByteArray>> rows;
        for (int row = 1; row <= 44; ++row)
            rows.append({row, makeRecord(original(row).toLatin1(), original(row + 100).toLatin1())});
        m_f = std::make_unique<WindowFixture>();
        QVERIFY(m_f->loadStore(storeWith(rows)));
        QTRY_VERIFY(m_f->focusOn(1));
    }

    // Rows 3 to 6 selected with Shift+Down: texts and formatting go, short cells and highlight stay.
    void cutExtendedSelection()
    {
        for (int row = 3; row <= 6; ++row)
            m_f->format(row, {true, true}, 0x0000FF);
        m_f->cell(4)->setText(QString());
        m_f->focusCell(3);
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Down, Qt::ShiftModifier);
        m_f->press(CutButton);
        QCOMPARE(m_f->clipboard.held, QStringLiteral("L3\n\nL5\nL6\n"));
        for (int row = 3; row <= 6; ++row) {
            QVERIFY(m_f->cell(row)->text().isEmpty());
            QVERIFY(!m_f->cell(row)->isBold());
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
        m_f->press(PasteButton);
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

    void lineBreaks_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("line feeds only: unchanged, empty lines too") << "a\n\nb\n" << "a\n\nb\n";
        QTest::newRow("carriage returns only: one line feed each") << "one\rtwo\r\r" << "one\ntwo\n\n";
        QTest::newRow("CR LF pairs") << "one\r\ntwo\r\n" << "one\ntwo\n";
        QTest::newRow("CR LF CR LF keeps the empty line") << "a\r\n\r\nb" << "a\n\nb";
        QTest::newRow("mixed: a run of line feeds shrinks to its last") << "a\n\n\nb\r\nc" << "a\nb\nc";
        QTest::newRow("mixed: lone CR dropped") << "a\rb\nc" << "ab\nc";
    }

    void lineBreaks()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, normalised);
        QCOMPARE(ClipboardText::unifyLineBreaks(clipboard), normalised);
    }

    void storable_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("pasted"); // by the cell's own paste
        QTest::newRow("code page letters and symbols stay") << "Perché € 5 – “sì”" << "Perché € 5 – “sì”" << "Perché € 5 – “sì”";
        QTest::newRow("combining accent composed") << "Jose\u0301 Nin\u0303o" << "José Niño" << "José Niño";
        QTest::newRow("no composed form: the mark is lost") << "q\u0301" << "q?" << "q?";
        QTest::newRow("greek, chinese, emoji") << "Αθήνα 北京 \U0001F44D" << "????? ?? ?" << "????? ?? ?";
        QTest::newRow("lone surrogate") << QString(QChar(0xD83D)) << "?" << "?";
        QTest::newRow("breaks and tabs become blanks, but not at the end")
            << "a\r\nb\nc\rd\te\u2028f\u0085g\r\n\n" << "a b c d e f g  " << "a b c d e f g";
        QTest::newRow("NUL and other controls dropped")
            << QStringLiteral("a") + QChar(0) + QStringLiteral("b\x01\x1b\x7f") + QChar(0x81) + QStringLiteral("c") << "abc" << "abc";
    }

    void storable()
    {
        QFETCH(QString, input);
        QFETCH(QString, stored);
        QFETCH(QString, pasted);
        QCOMPARE(CellInput::toStorable(input), stored);
        QCOMPARE(CellInput::fromPaste(input), pasted);
    }
    // The cell's own keys and menu copy and cut what is selected in it, not the column.
    void cellCopyAndCut()
    {
        CellEdit *cell = m_f->cell(3);
        cell->setFocus(Qt::OtherFocusReason);
        cell->selectAll();
        QTest::keyClick(cell, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(m_f->clipboard.held, QStringLiteral("L3"));
        cell->setSelection(0, 1);
        const QPoint centre = cell->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, cell->mapToGlobal(centre));
        QApplication::sendEvent(cell, &event);
        QMenu *shown = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(shown);
        const QList<QAction *> actions = shown->actions();
        const auto entry = [&](QKeySequence::StandardKey keys) {
            const QString shownKeys = u'\t' + QKeySequence(keys).toString(QKeySequence::NativeText);
            const auto found = std::find_if(actions.cbegin(), actions.cend(),
                                            [&](const QAction *action) { return action->text().endsWith(shownKeys); });
            return found == actions.cend() ? nullptr : *found;
        };
        QAction *paste = entry(QKeySequence::Paste), *cut = entry(QKeySequence::Cut);
        QVERIFY(paste);
        // Offered for what the cell's clipboard holds, whatever Qt's own one holds.
        QVERIFY(paste->isEnabled());
        QVERIFY(cut);
        cut->trigger();
        shown->close();
        QCOMPARE(m_f->clipboard.held, QStringLiteral("L"));
        QCOMPARE(cell->text(), QStringLiteral("3"));
    }

    void entersAsStored_data()
    {
        QTest::addColumn<EntryCase>("c");
        // A combining accent, characters outside the code page, line breaks, a tab and a NUL.
        const QString foreign = QStringLiteral("Jose\u0301 \u03a9\U0001F600 \u20ac"), filler36(36, u'f');
        const QString controls = QStringLiteral("a\r\nb\tc") + QChar(0) + QStringLiteral("d\ne\n");
        const struct { const char *name; Way way; } ways[] = {
            {"typed", Way::Typed}, {"input method", Way::InputMethod}, {"ctrl+v", Way::CtrlV}, {"insert", Way::Insert},
        };
        for (const auto &w : ways) {
            QTest::addRow("%s: foreign", w.name)
                << EntryCase{w.way, 7, "Ciao ", foreign, QStringLiteral("Ciao Jos\u00e9 ?? \u20ac")};
            // The limit counts the stored characters: the accent composes into the last place.
            if (w.way != Way::Insert)
                QTest::addRow("%s: accent in the last place", w.name)
                    << EntryCase{w.way, 108, filler36, QStringLiteral("Jose\u0301"), filler36 + QStringLiteral("Jos\u00e9")};
            // Keys carry no control characters; pasted text loses the line break at its end.
            if (w.way != Way::Typed)
                QTest::addRow("%s: controls", w.name)
                    << EntryCase{w.way, 9, "", controls, w.way == Way::CtrlV ? "a b cd e" : "a b cd e "};
        }
        // Qt types a format character itself, past the cell's own handling of keys.
        QTest::addRow("typed: joiner") << EntryCase{Way::Typed, 10, "", QStringLiteral("a\u200db"), "a?b"};
    }

    void entersAsStored()
    {
        QFETCH(EntryCase, c);
        CellEdit *cell = m_f->cell(c.cell);
        SheetModel::Rows rows = m_f->model().rows();
        SheetModel::cellIn(rows, c.cell).text = c.held;
        m_f->model().replaceRows(rows, QStringLiteral("seed")); // a step of its own
        cell->end(false);
        m_f->w().shownSheet().modified = false;
        enter(cell, c.way, c.input);
        QCOMPARE(cell->text(), c.shown);
        QCOMPARE(m_f->model().cell(c.cell).text, c.shown); // what a save writes
        QVERIFY(m_f->w().shownSheet().modified);
        // Putting the text into stored form must not cost the cell its undo history.
        QTest::keyClick(cell, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell->text(), c.held);
    }
};

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
