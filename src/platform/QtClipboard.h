#pragma once

#include "platform/Clipboard.h"

// The window system's clipboard, through Qt.
class QtClipboard : public Clipboard
{
public:
    QString text() const override;
    void setText(const QString &text) override;
    bool hasSelection() const override;
    QString selectionText() const override;
    void keepAfterExit() override;
};
