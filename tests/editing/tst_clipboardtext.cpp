#include "editing/CellInput.h"
#include "editing/ClipboardText.h"

#include <QTest>

using namespace ClipboardText;

namespace {
QString lines(const QList<PasteLine> &pasted)
{
    QStringList out;
    for (const PasteLine &line : pasted)
        out << QString::number(line.row) + u':' + line.text;
    return out.join(u'|');
}
} // namespace

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
        QTest::newRow("empty") << "" << "";
    }

    void lineBreaks()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, normalised);
        QCOMPARE(Annulla_VbCr(clipboard), normalised);
    }

    void columnTextEndsEveryCell()
    {
        QCOMPARE(columnText({"Rossi", "", "Bianchi"}), QStringLiteral("Rossi\n\nBianchi\n"));
        QCOMPARE(columnText({""}), QStringLiteral("\n"));
        QCOMPARE(columnText({}), QString());
    }

    void plan_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("focusRow");
        QTest::newRow("one cell as copied") << "Rossi\n" << 9 << "9:Rossi|10:" << 9;
        QTest::newRow("three lines at 43: the third dropped") << "one\ntwo\nthree\n" << 43 << "43:one|44:two" << 44;
        QTest::newRow("a word without line feed") << "word" << 5 << "5:word" << 4;
        QTest::newRow("a word at row 1 keeps row 1") << "word" << 1 << "1:word" << 1;
        QTest::newRow("empty clipboard") << "" << 7 << "7:" << 6;
        QTest::newRow("empty lines are rows with nothing") << "a\n\nb" << 20 << "20:a|21:|22:b" << 21;
        QTest::newRow("line feed at row 44 ends it") << "x\ny" << 44 << "44:x" << 44;
    }

    void plan()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(QString, expected);
        QFETCH(int, focusRow);
        const PastePlan p = planPaste(text, start);
        QCOMPARE(lines(p.lines), expected);
        QCOMPARE(p.focusRow, focusRow);
    }

    // A clipboard far beyond 16-bit positions pastes what fits: 44 lines at most, each cut to
    // the cell. Looking at a million lines would freeze the window.
    void hugeTextPastesWhatFits()
    {
        const QString text = (QString(400, u'x') + u'\n').repeated(1000);
        QVERIFY(text.size() > 32767);
        const PastePlan p = planPaste(text, 1);
        QCOMPARE(p.lines.size(), 44);
        QCOMPARE(p.focusRow, 44);
        QCOMPARE(appendWithinLimit(QString(), p.lines.last().text, 100), QString(100, u'x'));
    }

    void appendStopsAtTheLimit_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("expected");
        const QString held25 = QString(25, u'a');
        QTest::newRow("30 characters into 25 of 40") << held25 << QString(30, u'b') << 40 << held25 + QString(15, u'b');
        QTest::newRow("full cell gains nothing") << QString(40, u'a') << "b" << 40 << QString(40, u'a');
        QTest::newRow("an emoji is one stored character")
            << QString(39, u'a') << QStringLiteral("\U0001F600z") << 40 << QString(39, u'a') + u'?';
        QTest::newRow("a combining accent fits as one")
            << QString(39, u'a') << QStringLiteral("e\u0301") << 40 << QString(39, u'a') + u'\u00e9';
    }

    void appendStopsAtTheLimit()
    {
        QFETCH(QString, cell);
        QFETCH(QString, piece);
        QFETCH(int, limit);
        QFETCH(QString, expected);
        QCOMPARE(appendWithinLimit(cell, piece, limit), expected);
    }

    void storable_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("stored");
        QTest::newRow("code page letters and symbols stay") << QStringLiteral("Perché € 5 – “sì”") << QStringLiteral("Perché € 5 – “sì”");
        QTest::newRow("combining accent composed") << QStringLiteral("Jose\u0301 Nin\u0303o") << QStringLiteral("José Niño");
        QTest::newRow("no composed form: the mark is lost") << QStringLiteral("q\u0301") << QStringLiteral("q?");
        QTest::newRow("greek and chinese") << QStringLiteral("Αθήνα 北京") << QStringLiteral("????? ??");
        QTest::newRow("emoji is one character") << QStringLiteral("ok \U0001F44D!") << QStringLiteral("ok ?!");
        QTest::newRow("lone surrogate") << QString(QChar(0xD83D)) << QStringLiteral("?");
        QTest::newRow("line breaks and tabs become blanks") << QStringLiteral("a\r\nb\nc\rd\te") << QStringLiteral("a b c d e");
        QTest::newRow("unicode line separators") << QStringLiteral("a\u2028b\u0085c") << QStringLiteral("a b c");
        QTest::newRow("NUL and other controls dropped")
            << QStringLiteral("a") + QChar(0) + QStringLiteral("b\x01\x1b\x7f") + QChar(0x81) + QStringLiteral("c")
            << QStringLiteral("abc");
    }

    void storable()
    {
        QFETCH(QString, input);
        QFETCH(QString, stored);
        QCOMPARE(CellInput::toStorable(input), stored);
        QCOMPARE(CellInput::toStorable(stored), stored); // the cell's own check must not change it again
    }

    void pasteDropsTrailingBreaks()
    {
        QCOMPARE(CellInput::fromPaste(QStringLiteral("Rossi\r\n")), QStringLiteral("Rossi"));
        QCOMPARE(CellInput::fromPaste(QStringLiteral("Via Roma\n12\n\n")), QStringLiteral("Via Roma 12"));
        QCOMPARE(CellInput::fromPaste(QStringLiteral("\n")), QString());
    }
};

QTEST_GUILESS_MAIN(TestClipboardText)
#include "tst_clipboardtext.moc"
