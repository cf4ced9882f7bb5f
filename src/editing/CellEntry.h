#pragma once

#include <QString>
#include <QValidator>

class QInputMethodEvent;
class QLineEdit;

// The entry rule of a cell applied to every way text arrives: typed, composed, pasted or
// committed by an input method. The marks that stand for characters of an old store stay as
// they are; everything around them is what the user brought in.
namespace CellEntry {

// Every change of the text passes here, whatever brought it (typing, an input method, any
// paste, QLineEdit::insert), so nothing the store cannot keep enters the cell. While the cell
// is being given the sheet's own text, it lets that through unchanged.
class StorableTextValidator : public QValidator
{
public:
    StorableTextValidator(QLineEdit *cell, const bool &showingSheetText);
    State validate(QString &input, int &pos) const override;

private:
    const QLineEdit *m_cell;
    const bool &m_showingSheetText;
};

// A typed character that the store cannot keep goes in as what it keeps ("?" for a Greek
// letter); left to the validator, the rewrite would wipe the cell's undo history. Returns
// false for what is not a printable character, which the cell then handles itself.
bool typeStorable(QLineEdit &cell, const QString &typed, Qt::KeyboardModifiers modifiers);

// A combining mark typed after a letter becomes one accented character with it, also in a
// full cell, where Qt would refuse the mark before the validator could compose it.
bool composeTypedMark(QLineEdit &cell, const QString &typed);

// The cell's own paste, with the text already in stored form, so that the length limit counts
// the characters the store will hold.
void paste(QLineEdit &cell, const QString &clipboardText);

// Puts the text an input method commits into stored form.
void makeCommitStorable(QInputMethodEvent &event);

} // namespace CellEntry
