#pragma once

#include <Qt>

// Windows virtual-key codes: the grid's key rules are written in these, so that the same
// numbers hold whichever toolkit delivers the key.
namespace VK {
enum : int {
    Back = 8,
    Tab = 9,
    Clear = 12,
    Return = 13,
    Shift = 16,
    Control = 17,
    Menu = 18, // Alt
    Pause = 19,
    Capital = 20,
    Escape = 27,
    Space = 32,
    Prior = 33, // Page Up
    Next = 34,  // Page Down
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Select = 41,
    Print = 42,
    Execute = 43,
    Snapshot = 44,
    Insert = 45,
    Delete = 46,
    Help = 47,
    Key0 = 48, // '0'..'9' are 48..57
    KeyA = 65, // 'A'..'Z' are 65..90
    LWin = 91,
    Apps = 93,
    Sleep = 95,
    Numpad0 = 96, // keypad digits are 96..105
    Multiply = 106,
    Add = 107,
    Subtract = 109,
    Decimal = 110,
    Divide = 111,
    F1 = 112, // F1..F24 are 112..135
    F2 = 113,
    F3 = 114,
    F4 = 115,
    F5 = 116,
    F12 = 123,
    F24 = 135,
    NumLock = 144,
    Scroll = 145,
    Oem1 = 186,      // ; :
    OemPlus = 187,   // = +
    OemComma = 188,  // , <
    OemMinus = 189,  // - _
    OemPeriod = 190, // . >
    Oem2 = 191,      // / ?
    Oem3 = 192,      // ` ~
    Oem4 = 219,      // [ {
    Oem5 = 220,      // \ |
    Oem6 = 221,      // ] }
    Oem7 = 222,      // ' "
};
} // namespace VK

namespace KeyCodes {

// The Windows key code of a Qt::Key; 0 for a key without an obvious one (a 0 still counts as
// "any other key" for the grid). With Qt::KeypadModifier, digits and operators become the
// keypad's own codes. Shifted symbols map to the key that carries them on a US keyboard.
int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Shift state of a key event: bit 1 Shift, bit 2 Ctrl, bit 4 Alt; other modifiers are ignored.
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace KeyCodes
