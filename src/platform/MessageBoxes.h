#pragma once

#include <QString>

// Message boxes take the window system's style word and answer with its button codes,
// so that the texts and styles of the program read the same on every platform.
namespace MsgStyle {
enum : int {
    OkOnly = 0,
    OkCancel = 1,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    DefaultButton2 = 0x100, // the second button is the default instead of the first
    DefaultButton3 = 0x200,
    TopMost = 0x40000, // kept above every other window
};
}

namespace MsgAnswer {
enum : int { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };
}

// Asks the user something in a modal box. Tests replace it, so no test ever waits on a box.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows text (a carriage return breaks the line) and returns the MsgAnswer chosen.
    virtual int show(const QString &text, int style) = 0;
};
