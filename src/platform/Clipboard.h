#pragma once

#include <QString>

// The system clipboard, plain text only. Tests replace it, so that no test depends on, or
// disturbs, the clipboard of the desktop it runs on.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // The clipboard's plain text; empty when it holds none.
    virtual QString text() const = 0;
    // Empties the clipboard, then puts the text on it, also an empty one: afterwards it holds
    // nothing of what it held before.
    virtual void setText(const QString &text) = 0;
    // The X11 primary selection, which a middle click pastes; none where the system has none.
    virtual bool hasSelection() const { return false; }
    virtual QString selectionText() const { return QString(); }
    // Called as the program ends: a text this program put on the clipboard stays there, where
    // the system would drop it with the program.
    virtual void keepAfterExit() {}
};
