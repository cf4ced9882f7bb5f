#include "editing/CellEntry.h"

#include "editing/CellInput.h"
#include "model/VisibleText.h"

#include <QInputMethodEvent>
#include <QLineEdit>

#include <algorithm>

namespace CellEntry {

QString storableKeepingMarks(const QString &text)
{
    if (!text.contains(QChar(VisibleText::Mark)))
        return CellInput::toStorable(text);
    QStringList parts = text.split(QChar(VisibleText::Mark));
    for (QString &part : parts)
        part = CellInput::toStorable(part);
    return parts.join(QChar(VisibleText::Mark));
}

bool rewriteStorable(QLineEdit &cell, const QString &text)
{
    const QString storable = storableKeepingMarks(text).left(cell.maxLength());
    if (storable == text)
        return false;
    const int caret = int(storableKeepingMarks(text.left(cell.cursorPosition())).size());
    cell.setText(storable);
    cell.setCursorPosition(qMin(caret, int(storable.size())));
    return true;
}

bool typeStorable(QLineEdit &cell, const QString &typed, Qt::KeyboardModifiers modifiers)
{
    if (typed.isEmpty() || (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QList<uint> points = typed.toUcs4();
    if (!std::all_of(points.cbegin(), points.cend(), [](uint point) { return QChar::isPrint(char32_t(point)); }))
        return false; // editing keys (Backspace, Return, ...) carry control characters
    const QString storable = CellInput::toStorable(typed);
    if (storable == typed)
        return false;
    cell.insert(storable);
    return true;
}

bool composeTypedMark(QLineEdit &cell, const QString &typed)
{
    const int pos = cell.cursorPosition();
    if (typed.size() != 1 || !typed.at(0).isMark() || cell.hasSelectedText() || pos == 0)
        return false;
    const QString composed = (cell.text().mid(pos - 1, 1) + typed).normalized(QString::NormalizationForm_C);
    if (composed.size() != 1)
        return false;
    cell.setSelection(pos - 1, 1);
    cell.insert(composed);
    return true;
}

void paste(QLineEdit &cell, const QString &clipboardText)
{
    if (cell.isReadOnly())
        return;
    const QString text = CellInput::fromPaste(clipboardText);
    if (!text.isEmpty() || cell.hasSelectedText())
        cell.insert(text);
}

void makeCommitStorable(QInputMethodEvent &event)
{
    event.setCommitString(CellInput::toStorable(event.commitString()), event.replacementStart(),
                          event.replacementLength());
}

} // namespace CellEntry
