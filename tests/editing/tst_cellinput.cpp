#include "common/WindowTestSupport.h"

#include "editing/CellInput.h"
#include "editing/ClipboardText.h"
#include "window/SheetPager.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>

using namespace WindowTest;

namespace {
enum class Way { Typed, InputMethod, CtrlV, ContextMenu, Insert, SetText };

// A text entering a cell that already holds `held`: what the cell then shows, and the bytes of
// its record field up to the padding.
struct EntryCase { Way way; int cell; QString held, input, shown; QByteArray stored; };

} // namespace
Q_DECLARE_METATYPE(EntryCase)

// Every way into a cell leaves in it only what the store keeps, so that what it shows is what
// a save writes, and the cell's limit counts the characters stored: first the text rules
// alone, then each way in through a real window.
class TestCellInput : public QObject
{
    Q_OBJECT
    std::unique_ptr<AgendaFixture> m_f;

    static void enter(CellEdit *cell, Way way, const QString &text)
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
        case Way::ContextMenu:
            QGuiApplication::clipboard()->setText(text);
            if (way == Way::CtrlV)
                QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
            else
                pasteFromMenu(cell);
            break;
        case Way::Insert:
            cell->insert(text);
            break;
        case Way::SetText:
            cell->setText(cell->text() + text);
            break;
        }
    }

    static void pasteFromMenu(CellEdit *cell)
    {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(4, 4), cell->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(cell, &event);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        const QString keys = u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction *action : menu->actions()) {
            if (action->text().endsWith(keys))
                action->trigger();
        }
        menu->close();
    }

private slots:
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
        QCOMPARE(ClipboardText::Annulla_VbCr(clipboard), normalised);
    }

    // The limit counts stored characters: an emoji is one, an accent and its mark are one.
    void limitCountsStoredCharacters()
    {
        QCOMPARE(ClipboardText::appendWithinLimit(QString(38, u'a'), QStringLiteral("\U0001F600e\u0301z"), 40),
                 QString(38, u'a') + QStringLiteral("?\u00e9"));
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
        QCOMPARE(CellInput::toStorable(stored), stored); // the cell's own check must not change it again
    }
    void init()
    {
        m_f = std::make_unique<AgendaFixture>();
        QVERIFY(m_f->loadStore(storeWith()));
        QTRY_VERIFY(focused() == m_f->cell(1));
    }

    void entersAsStored_data()
    {
        QTest::addColumn<EntryCase>("c");
        // Text that the fixed records cannot hold as it comes: a combining accent, characters
        // outside the code page, line breaks, a tab and a NUL.
        const QString foreign = QStringLiteral("Jose\u0301 \u03a9\U0001F600 \u20ac"), filler36(36, u'f');
        const QString controls = QStringLiteral("a\r\nb\tc") + QChar(0) + QStringLiteral("d\ne\n");
        const struct { const char *name; Way way; } ways[] = {
            {"typed", Way::Typed}, {"input method", Way::InputMethod}, {"ctrl+v", Way::CtrlV},
            {"context menu", Way::ContextMenu}, {"insert", Way::Insert}, {"set text", Way::SetText},
        };
        for (const auto &w : ways) {
            const bool paste = w.way == Way::CtrlV || w.way == Way::ContextMenu;
            QTest::addRow("%s: foreign", w.name)
                << EntryCase{w.way, 7, "Ciao ", foreign, QStringLiteral("Ciao Jos\u00e9 ?? \u20ac"), "Ciao Jos\xe9 ?? \x80"};
            // The limit counts the stored characters: the accent composes into the last place.
            if (w.way != Way::SetText && w.way != Way::Insert)
                QTest::addRow("%s: accent in the last place", w.name)
                    << EntryCase{w.way, 108, filler36, QStringLiteral("Jose\u0301"), filler36 + QStringLiteral("Jos\u00e9"),
                                 filler36.toLatin1() + "Jos\xe9"};
            // Keys cannot carry control characters; every other way gets blanks for breaks and
            // tabs. Pasted text loses the line break at its end.
            if (w.way != Way::Typed)
                QTest::addRow("%s: controls", w.name) << EntryCase{w.way, 9, "", controls, paste ? "a b cd e" : "a b cd e ", "a b cd e"};
        }
    }

    void entersAsStored()
    {
        QFETCH(EntryCase, c);
        CellEdit *cell = m_f->cell(c.cell);
        cell->setText(c.held);
        m_f->w().shownSheet().modified = false;
        enter(cell, c.way, c.input);
        QCOMPARE(cell->text(), c.shown);
        if (c.way != Way::SetText && c.way != Way::Insert)
            QVERIFY(m_f->w().shownSheet().modified);
        QVERIFY(m_f->w().sheets().Salva());
        const QByteArray record = recordOf(m_f->store(), c.cell % 100);
        QCOMPARE((c.cell > 100 ? record.mid(100, 40) : record.left(100)).trimmed(), c.stored);
        m_f->w().sheets().Apri(0);
        QCOMPARE(cell->text(), c.shown.trimmed());
    }

    // Undo after a paste brings back the text before it, not a half-converted one.
    void undoAfterRewrittenEntry_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("pasted") << int(Way::CtrlV);
        QTest::newRow("typed") << int(Way::Typed);
    }

    // Text the store cannot keep as it comes still leaves an entry that Ctrl+Z takes back.
    void undoAfterRewrittenEntry()
    {
        QFETCH(int, way);
        CellEdit *cell = m_f->cell(3);
        SheetModel::Rows rows = m_f->model().rows();
        SheetModel::cellIn(rows, 3).text = QStringLiteral("Rossi");
        m_f->model().replaceRows(rows, QStringLiteral("seed"));
        enter(cell, Way(way), QStringLiteral(" \u03a9"));
        QCOMPARE(cell->text(), QStringLiteral("Rossi ?"));
        QTest::keyClick(cell, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell->text(), QStringLiteral("Rossi"));
    }
};

QTEST_MAIN(TestCellInput)
#include "tst_cellinput.moc"
