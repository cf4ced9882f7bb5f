#include "platform/QtClipboard.h"

#include "platform/ClipboardKeeper.h"

#include <QClipboard>
#include <QGuiApplication>

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear(QClipboard::Clipboard);
    clipboard->setText(text, QClipboard::Clipboard);
}

bool QtClipboard::hasSelection() const
{
    return QGuiApplication::clipboard()->supportsSelection();
}

QString QtClipboard::selectionText() const
{
    return QGuiApplication::clipboard()->text(QClipboard::Selection);
}

void QtClipboard::keepAfterExit()
{
    // Windows keeps the clipboard by itself; elsewhere only a text this program owns is lost.
#ifndef Q_OS_WIN
    if (QGuiApplication::clipboard()->ownsClipboard())
        ClipboardKeeper::handOver(text());
#endif
}
