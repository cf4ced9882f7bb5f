#include "editing/KeyCodes.h"

namespace KeyCodes {

namespace {

// Keys of the numeric keypad that have codes of their own; Qt reports them as the ordinary
// character keys with Qt::KeypadModifier.
int keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return VK::Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk: return VK::Multiply;
    case Qt::Key_Plus: return VK::Add;
    case Qt::Key_Minus: return VK::Subtract;
    // Either separator, as the keyboard's locale decides which one the key types.
    case Qt::Key_Period:
    case Qt::Key_Comma: return VK::Decimal;
    case Qt::Key_Slash: return VK::Divide;
    default: return 0;
    }
}

// Printable symbols: the key that types them on a US keyboard.
int symbolCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_ParenRight: return VK::Key0;
    case Qt::Key_Exclam: return VK::Key0 + 1;
    case Qt::Key_At: return VK::Key0 + 2;
    case Qt::Key_NumberSign: return VK::Key0 + 3;
    case Qt::Key_Dollar: return VK::Key0 + 4;
    case Qt::Key_Percent: return VK::Key0 + 5;
    case Qt::Key_AsciiCircum: return VK::Key0 + 6;
    case Qt::Key_Ampersand: return VK::Key0 + 7;
    case Qt::Key_Asterisk: return VK::Key0 + 8;
    case Qt::Key_ParenLeft: return VK::Key0 + 9;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK::Oem1;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return VK::OemPlus;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK::OemComma;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK::OemMinus;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK::OemPeriod;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK::Oem2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK::Oem3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK::Oem4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK::Oem5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK::Oem6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK::Oem7;
    default: return 0;
    }
}

int controlKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace: return VK::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK::Tab;
    case Qt::Key_Clear: return VK::Clear;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK::Return;
    case Qt::Key_Shift: return VK::Shift;
    case Qt::Key_Control: return VK::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK::Menu;
    case Qt::Key_Pause: return VK::Pause;
    case Qt::Key_CapsLock: return VK::Capital;
    case Qt::Key_Escape: return VK::Escape;
    case Qt::Key_Space: return VK::Space;
    case Qt::Key_PageUp: return VK::Prior;
    case Qt::Key_PageDown: return VK::Next;
    case Qt::Key_End: return VK::End;
    case Qt::Key_Home: return VK::Home;
    case Qt::Key_Left: return VK::Left;
    case Qt::Key_Up: return VK::Up;
    case Qt::Key_Right: return VK::Right;
    case Qt::Key_Down: return VK::Down;
    case Qt::Key_Select: return VK::Select;
    case Qt::Key_Printer: return VK::Print;
    case Qt::Key_Execute: return VK::Execute;
    case Qt::Key_Print:
    case Qt::Key_SysReq: return VK::Snapshot;
    case Qt::Key_Insert: return VK::Insert;
    case Qt::Key_Delete: return VK::Delete;
    case Qt::Key_Help: return VK::Help;
    // Qt on Windows reports the Windows keys as Meta.
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return VK::LWin;
    case Qt::Key_Super_R: return VK::LWin + 1;
    case Qt::Key_Menu: return VK::Apps;
    case Qt::Key_Sleep: return VK::Sleep;
    case Qt::Key_NumLock: return VK::NumLock;
    case Qt::Key_ScrollLock: return VK::Scroll;
    default: return 0;
    }
}

} // namespace

int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int code = keypadCode(qtKey))
            return code;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // Qt uses the ASCII codes of the capital letter and the digit, as Windows does
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK::F1 + (qtKey - Qt::Key_F1);
    if (const int code = symbolCode(qtKey))
        return code;
    return controlKeyCode(qtKey);
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        state |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        state |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        state |= 4;
    return state;
}

} // namespace KeyCodes
