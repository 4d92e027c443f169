#pragma once
// Key codes as the program's key tables are written: the virtual key codes of
// a standard Windows keyboard (13 Enter, 65-90 letters, 112 F1, 186 ";" ...)
// and the shift mask (1 Shift, 2 Ctrl, 4 Alt). Qt key events are translated
// here, once, so the tables elsewhere stay literal.

class QKeyEvent;

namespace vb {

enum Key : int {
    Key_Back = 8, Key_Tab = 9, Key_Return = 13, Key_Shift = 16, Key_Control = 17,
    Key_Menu = 18, Key_Escape = 27, Key_Space = 32, Key_PageUp = 33, Key_PageDown = 34,
    Key_End = 35, Key_Home = 36, Key_Left = 37, Key_Up = 38, Key_Right = 39, Key_Down = 40,
    Key_Insert = 45, Key_Delete = 46, Key_0 = 48, Key_9 = 57, Key_A = 65, Key_Z = 90,
    Key_F1 = 112, Key_F5 = 116, Key_F11 = 122, Key_F12 = 123,
    Key_Semicolon = 186, Key_Equals = 187, Key_Comma = 188, Key_Minus = 189,
    Key_Period = 190, Key_Slash = 191, Key_Grave = 192, Key_LeftBracket = 219,
    Key_Backslash = 220, Key_RightBracket = 221, Key_Apostrophe = 222,
};

enum Shift : int { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

struct KeyStroke {
    int keyCode = 0;  // 0 when the key has no code in the table
    int shift = 0;    // ShiftMask | CtrlMask | AltMask
};

// Translates a Qt key event. Shifted punctuation is mapped back to the key
// that carries it on a US keyboard (Shift+1 gives 49 with Shift set).
KeyStroke fromEvent(const QKeyEvent& event);
KeyStroke fromQt(int qtKey, int qtModifiers);
// The shift mask of Qt keyboard modifiers.
int shiftOf(int qtModifiers);
// Mouse buttons as the mouse events give them: 1 left, 2 right, 4 middle,
// 0 any other.
int buttonOf(int qtButton);

// The letter key code for 'A'..'Z'.
constexpr int letter(char c) { return c >= 'a' ? c - 'a' + 'A' : c; }

} // namespace vb
