#include "platform/palette.h"

#include <cctype>

namespace {
// RGB of each entry; stored values are converted to 0x00BBGGRR below.
constexpr quint32 kRgb[kPaletteSize] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
constexpr quint32 bgrOf(quint32 rgb)
{
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}
} // namespace

quint32 Palette_Color(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return 0;
    return bgrOf(kRgb[index]);
}

QColor Palette_QColor(int index) { return QColor_From_Bgr(Palette_Color(index)); }

quint32 Bgr_From_QColor(const QColor& c)
{
    return (quint32(c.blue()) << 16) | (quint32(c.green()) << 8) | quint32(c.red());
}

QColor QColor_From_Bgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QString Rgb_Text_From_Bgr(quint32 bgr)
{
    // Swapping the outer bytes turns 0x00BBGGRR into 0x00RRGGBB and back.
    const quint32 rgb = bgrOf(bgr & 0xFFFFFF);
    return QLatin1Char('#') + QString::number(rgb, 16).rightJustified(6, QLatin1Char('0')).toUpper();
}

std::optional<quint32> Bgr_From_Rgb_Text(const QString& text)
{
    if (text.size() != 7 || text[0] != QLatin1Char('#'))
        return std::nullopt;
    for (qsizetype i = 1; i < 7; ++i)
        if (!isxdigit(text[i].unicode() < 128 ? text[i].unicode() : 'x'))
            return std::nullopt;
    return bgrOf(text.mid(1).toUInt(nullptr, 16));
}

int Palette_Index(quint32 bgr)
{
    for (int i = 0; i < kPaletteSize; ++i)
        if (Palette_Color(i) == bgr)
            return i;
    return -1;
}
