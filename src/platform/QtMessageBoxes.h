#pragma once

#include "platform/MessageBoxes.h"

// Real modal boxes with the application title and Italian button captions, whatever the
// language of the system. The box's parent is the active window, if any.
class QtMessageBoxes : public MessageBoxes
{
public:
    int show(const QString &text, int style) override;
};
