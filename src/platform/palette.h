#pragma once
// The standard 16-colour palette of the colour coding: 0 black, 1 navy,
// 2 green, 3 cyan, 4 dark red, 5 magenta, 6 dark yellow, 7 light grey,
// 8 grey, 9 blue, 10 light green, 11 light cyan, 12 red, 13 light magenta,
// 14 yellow, 15 white (9 to 15 are the bright forms of 1 to 7).
// Colours are 0x00BBGGRR values, as the program stores and compares them.

#include <QColor>
#include <QString>
#include <QtGlobal>

#include <optional>

inline constexpr int kPaletteSize = 16;

// 0x00BBGGRR of palette entry i (0 to 15); black for anything else.
quint32 Palette_Color(int index);
QColor Palette_QColor(int index);

// Conversions between 0x00BBGGRR and QColor.
quint32 Bgr_From_QColor(const QColor& c);
QColor QColor_From_Bgr(quint32 bgr);

// Conversions between 0x00BBGGRR and the "#RRGGBB" text of HTML (upper-case
// hexadecimal digits, red first). A text that is not "#" and six hexadecimal
// digits (either case) gives nothing.
QString Rgb_Text_From_Bgr(quint32 bgr);
std::optional<quint32> Bgr_From_Rgb_Text(const QString& text);

// Colour values below 0 name a system colour rather than a mix of red, green
// and blue: the colour of a window's background (the colour samples show it
// before a colour was chosen) and of its text (the sample labels).
inline constexpr qint32 System_Window_Color = qint32(0x80000005u);
inline constexpr qint32 System_Window_Text_Color = qint32(0x80000008u);
inline constexpr bool Is_System_Color(qint64 value) { return value < 0; }

// The palette index of a 0x00BBGGRR value, or -1.
int Palette_Index(quint32 bgr);
