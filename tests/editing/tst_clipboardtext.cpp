#include "editing/CellInput.h"
#include "editing/ClipboardText.h"

#include <QTest>

// The text handling of the clipboard and of everything that enters a cell, without widgets.
class TestClipboardText : public QObject
{
    Q_OBJECT

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

    // Far beyond 16-bit positions, a text pastes what fits: 44 lines at most, each cut to the cell.
    void hugeTextPastesWhatFits()
    {
        const ClipboardText::PastePlan p = ClipboardText::planPaste((QString(400, u'x') + u'\n').repeated(1000), 1);
        QCOMPARE(qMakePair(p.lines.size(), p.lines.last().row), qMakePair(qsizetype(44), 44));
        QCOMPARE(ClipboardText::appendWithinLimit(QString(), p.lines.last().text, 100), QString(100, u'x'));
        // The limit counts stored characters: an emoji is one, an accent and its mark are one.
        QCOMPARE(ClipboardText::appendWithinLimit(QString(25, u'a'), QString(30, u'b'), 40), QString(25, u'a') + QString(15, u'b'));
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
};

QTEST_GUILESS_MAIN(TestClipboardText)
#include "tst_clipboardtext.moc"
