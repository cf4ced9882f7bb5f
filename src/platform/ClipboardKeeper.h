#pragma once

#include "platform/Clipboard.h"

#include <QObject>
#include <QString>

class QSocketNotifier;

// Away from Windows the clipboard's text lives only as long as the program that put it there:
// a column cut in the address book would be gone once it ends, on a desktop without a
// clipboard manager. The tray stand-in, which runs for the whole session, keeps such a text:
// the address book hands it over at exit, and the keeper puts it on the clipboard as its own.
// On Windows the system keeps the clipboard, and nothing listens.
class ClipboardKeeper : public QObject
{
    Q_OBJECT

public:
    explicit ClipboardKeeper(Clipboard &clipboard, QObject *parent = nullptr);
    ~ClipboardKeeper() override;

    // Starts listening; false when no keeper can be had (a live one already listens).
    bool listen();

    // Sends the text to the keeper of this session and returns once it holds it; false when
    // there is none, or it did not answer within a second.
    static bool handOver(const QString &text);

private:
    void takeOne();

    Clipboard &m_clipboard;
    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
    QString m_path;
};
