#include "editing/ClipboardText.h"

#include "model/CellCode.h"
#include "editing/CellInput.h"

namespace ClipboardText {

const QString TabMessage = QStringLiteral(" Gli appunti contengono caratteri di tabulazione.")
    + QStringLiteral("\r\n\r") + QStringLiteral(" Probabilmente sono state copiate pi\u00f9 colonne  ")
    + QStringLiteral("\r\n") + QStringLiteral(" da un foglio di Excel o Access.  ")
    + QStringLiteral("\r\n\r") + QStringLiteral(" Copiare ed incollare una sola colonna per volta...")
    + QStringLiteral("\r\n\r") + QStringLiteral(" Fare riferimento all' Help del programma.");

const QString SelectCellMessage = QStringLiteral("  Seleziona una cella prima di incollare!  ");

QString columnText(const QStringList &cellTexts)
{
    QString text;
    for (const QString &cell : cellTexts)
        text += cell + u'\n';
    return text;
}

QString unifyLineBreaks(const QString &text)
{
    if (!text.contains(u'\r'))
        return text;
    if (!text.contains(u'\n')) {
        QString replaced = text;
        replaced.replace(u'\r', u'\n');
        return replaced;
    }
    // A line feed is dropped when the next character of the original text is a line feed,
    // so CR LF CR LF keeps both breaks while LF LF keeps one.
    QString result;
    result.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r')
            continue;
        if (c == u'\n' && i + 1 < size && text.at(i + 1) == u'\n')
            continue;
        result.append(c);
    }
    return result;
}

bool hasTab(const QString &text)
{
    return text.contains(u'\t');
}

PastePlan planPaste(const QString &text, int startRow)
{
    PastePlan plan;
    int row = startRow;
    qsizetype from = 0;
    for (;;) {
        const qsizetype lineFeed = text.indexOf(u'\n', from);
        if (lineFeed < 0) {
            plan.lines.append({row, text.mid(from)});
            break;
        }
        plan.lines.append({row, text.mid(from, lineFeed - from)});
        from = lineFeed + 1;
        if (++row > CellCode::RowCount)
            break; // the rest of the text has no row left
    }
    plan.focusRow = qMax(1, row - 1);
    return plan;
}

QString appendWithinLimit(const QString &cellText, const QString &piece, int limit)
{
    return (cellText + CellInput::toStorable(piece)).left(limit);
}

} // namespace ClipboardText
