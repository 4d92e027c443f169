#include "platform/vb_keys.h"

#include <QKeyEvent>

namespace vb {

namespace {

int codeOf(int k)
{
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return Key_A + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return Key_0 + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return Key_F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return Key_Back;
    case Qt::Key_Tab: case Qt::Key_Backtab: return Key_Tab;
    case Qt::Key_Return: case Qt::Key_Enter: return Key_Return;
    case Qt::Key_Shift: return Key_Shift;
    case Qt::Key_Control: return Key_Control;
    case Qt::Key_Alt: return Key_Menu;
    case Qt::Key_Escape: return Key_Escape;
    case Qt::Key_Space: return Key_Space;
    case Qt::Key_PageUp: return Key_PageUp;
    case Qt::Key_PageDown: return Key_PageDown;
    case Qt::Key_End: return Key_End;
    case Qt::Key_Home: return Key_Home;
    case Qt::Key_Left: return Key_Left;
    case Qt::Key_Up: return Key_Up;
    case Qt::Key_Right: return Key_Right;
    case Qt::Key_Down: return Key_Down;
    case Qt::Key_Insert: return Key_Insert;
    case Qt::Key_Delete: return Key_Delete;
    // Shifted digits of a US keyboard.
    case Qt::Key_ParenRight: return Key_0;
    case Qt::Key_Exclam: return Key_0 + 1;
    case Qt::Key_At: return Key_0 + 2;
    case Qt::Key_NumberSign: return Key_0 + 3;
    case Qt::Key_Dollar: return Key_0 + 4;
    case Qt::Key_Percent: return Key_0 + 5;
    case Qt::Key_AsciiCircum: return Key_0 + 6;
    case Qt::Key_Ampersand: return Key_0 + 7;
    case Qt::Key_Asterisk: return Key_0 + 8;
    case Qt::Key_ParenLeft: return Key_0 + 9;
    // Punctuation, plain and shifted.
    case Qt::Key_Semicolon: case Qt::Key_Colon: return Key_Semicolon;
    case Qt::Key_Equal: case Qt::Key_Plus: return Key_Equals;
    case Qt::Key_Comma: case Qt::Key_Less: return Key_Comma;
    case Qt::Key_Minus: case Qt::Key_Underscore: return Key_Minus;
    case Qt::Key_Period: case Qt::Key_Greater: return Key_Period;
    case Qt::Key_Slash: case Qt::Key_Question: return Key_Slash;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: case Qt::Key_Dead_Grave:
    case Qt::Key_Dead_Tilde: return Key_Grave;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return Key_LeftBracket;
    case Qt::Key_Backslash: case Qt::Key_Bar: return Key_Backslash;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return Key_RightBracket;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: case Qt::Key_Dead_Acute: return Key_Apostrophe;
    default: return 0;
    }
}

} // namespace

int shiftOf(int qtModifiers)
{
    int shift = 0;
    if (qtModifiers & Qt::ShiftModifier)
        shift |= ShiftMask;
    if (qtModifiers & Qt::ControlModifier)
        shift |= CtrlMask;
    if (qtModifiers & Qt::AltModifier)
        shift |= AltMask;
    return shift;
}

int buttonOf(int qtButton)
{
    switch (qtButton) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

KeyStroke fromQt(int qtKey, int qtModifiers)
{
    KeyStroke s;
    s.keyCode = codeOf(qtKey);
    s.shift = shiftOf(qtModifiers);
    // Backtab is Shift+Tab on every platform, whether or not Shift is reported.
    if (qtKey == Qt::Key_Backtab)
        s.shift |= ShiftMask;
    return s;
}

KeyStroke fromEvent(const QKeyEvent& event)
{
    return fromQt(event.key(), event.modifiers());
}

} // namespace vb
