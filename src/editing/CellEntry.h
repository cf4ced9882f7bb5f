#pragma once

#include <QString>

class QInputMethodEvent;
class QLineEdit;

// The entry rule of a cell applied to every way text arrives: typed, composed, pasted or
// committed by an input method. The marks that stand for characters of an old store stay as
// they are; everything around them is what the user brought in.
namespace CellEntry {

// A cell's text after the entry rule: what the store can keep, with the marks that stand for
// characters of an old store left as they are.
QString storableKeepingMarks(const QString &text);

// Gives the cell a text that breaks the entry rule in its storable form, the caret where the
// same characters end; returns false when the text keeps the rule. Whatever brought the text
// (a key Qt handles itself, an input method, QLineEdit::insert, a screen reader), this is the
// last word before the sheet takes it.
bool rewriteStorable(QLineEdit &cell, const QString &text);

// A typed character that the store cannot keep goes in as what it keeps ("?" for a Greek
// letter) in one step, instead of going in and being rewritten. Returns false for what is not
// a printable character, which the cell then handles itself.
bool typeStorable(QLineEdit &cell, const QString &typed, Qt::KeyboardModifiers modifiers);

// A combining mark typed after a letter becomes one accented character with it, also in a
// full cell, where Qt would refuse the mark before it could be composed.
bool composeTypedMark(QLineEdit &cell, const QString &typed);

// The cell's own paste, with the text already in stored form, so that the length limit counts
// the characters the store will hold.
void paste(QLineEdit &cell, const QString &clipboardText);

// Puts the text an input method commits into stored form.
void makeCommitStorable(QInputMethodEvent &event);

} // namespace CellEntry
