#pragma once

#include <QLineEdit>

#include <functional>

class CellEdit;
class Clipboard;
class QUndoStack;

// Receives the events of the grid's cells, in the order the window system reports them.
class CellEventHandler
{
public:
    virtual ~CellEventHandler() = default;
    virtual void cellFocusGained(CellEdit *cell) = 0;
    virtual void cellFocusLost(CellEdit *cell) = 0;
    virtual void cellMousePressed(CellEdit *cell, int button) = 0;
    // Returns true when the key must not reach the cell's own editing.
    virtual bool cellKeyDown(CellEdit *cell, int keyCode, int shift) = 0;
    // Returns true when the character is swallowed.
    virtual bool cellCharacter(CellEdit *cell, int charCode) = 0;
};

// One cell of the grid: a single-line text box whose background, text colour, bold and
// underline are the sheet's own data. Colours are window system values (0x00BBGGRR).
class CellEdit : public QLineEdit
{
    Q_OBJECT
public:
    CellEdit(int cellCode, int maxLength, QWidget *parent);

    int cellCode() const { return m_cellCode; }
    int row() const;
    bool isShortCell() const;

    void setHandler(CellEventHandler *handler) { m_handler = handler; }
    // Ctrl+Z, Ctrl+Y and the menu's "Annulla" and "Ripeti" undo and redo the sheet's steps.
    void setUndoStack(QUndoStack *stack) { m_undo = stack; }
    // Copy, cut and paste, by keys, menu or middle button, go through it; without one they do
    // nothing.
    void setClipboard(Clipboard *clipboard) { m_clipboard = clipboard; }
    // The cell that Tab (next) or Shift+Tab moves to; null past the grid's ends, where the
    // window's own tab order goes on.
    void setTabNeighbour(std::function<CellEdit *(bool next)> neighbour) { m_tabNeighbour = std::move(neighbour); }

    quint32 backColour() const { return m_backColour; }
    void setBackColour(quint32 colour);
    quint32 foreColour() const { return m_foreColour; }
    void setForeColour(quint32 colour);
    // Shows the cell's colours again over a palette that changed under it.
    void refreshColours() { applyColours(); }
    bool isBold() const { return font().bold(); }
    void setBold(bool bold);
    bool isUnderlined() const { return font().underline(); }
    void setUnderlined(bool underline);

    void putCaretAtEnd() { setCursorPosition(int(text().size())); }
    // Shows the sheet's own text, marks included. It is what the cell holds already, so the
    // entry rule for what the user brings in is not run over it again.
    void showText(const QString &shown);

    // The focus went away with the whole window, so this cell has not run its focus loss yet.
    bool focusLeftWithWindow() const { return m_focusAway; }
    void clearFocusLeftWithWindow() { m_focusAway = false; }

signals:
    // textChanged once the entry rule has had its say: a text that breaks it comes here only
    // in its storable form, and the sheet's own text from showText as it is.
    void cellTextChanged(const QString &text);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void applyColours();
    // The accessible description tells bold, underline and the text colour by name.
    void describeLook();
    // The clipboard, or the X11 selection, in stored form at the caret.
    void pasteClipboard(bool selection);
    void copyToClipboard(bool cut);

    int m_cellCode;
    quint32 m_backColour;
    quint32 m_foreColour = 0;
    CellEventHandler *m_handler = nullptr;
    QUndoStack *m_undo = nullptr;
    Clipboard *m_clipboard = nullptr;
    std::function<CellEdit *(bool next)> m_tabNeighbour;
    bool m_pressRunBeforeFocus = false;
    bool m_focusAway = false; // the focus left with the window, not for another control
    bool m_showingSheetText = false;
};
