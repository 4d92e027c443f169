#include "tags/palettes.h"

#include "platform/palette.h"

#include <QColor>

#include <array>

namespace palettes {

namespace {

constexpr std::array<quint32, 6> kLevels = {0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF};

// In cell order: column by column, 14 names each.
constexpr std::array<const char*, 140> kNames = {
    "Black", "FloralWhite", "Tan", "SaddleBrown", "Maroon", "OrangeRed", "DarkGoldenrod",
    "DarkOliveGreen", "DarkGreen", "Teal", "DodgerBlue", "MidnightBlue", "Indigo", "Purple",
    "DarkSlateGray", "OldLace", "Burlywood", "Sienna", "DarkRed", "Tomato", "Goldenrod",
    "OliveGreen", "Green", "DarkCyan", "CornFlowerBlue", "Navy", "DarkMagenta", "MediumVioletRed",
    "DimGray", "Linen", "Moccasin", "Brown", "FireBrick", "DarkOrange", "Gold",
    "SeaGreen", "ForestGreen", "LightSeaGreen", "DeepSkyBlue", "DarkBlue", "BlueViolet", "PaleVioletRed",
    "SlateGray", "SeaShell", "PeachPuff", "Chocolate", "Crimson", "Orange", "Yellow",
    "MediumSeaGreen", "LimeGreen", "DarkTurquoise", "NavyBlue", "DarkSlateBlue", "DarkViolet", "Magenta",
    "Gray", "WhiteSmoke", "Bisque", "Peru", "Red", "DarkSalmon", "Wheat",
    "DarkSeaGreen", "MediumSpringGreen", "MediumTurquoise", "CadetBlue", "MediumBlue", "DarkOrchid", "Fuchsia",
    "LightSlateGray", "GhostWhite", "BlanchedAlmond", "RosyBrown", "IndianRed", "Salmon", "PaleGoldenrod",
    "YellowGreen", "SpringGreen", "Cyan", "SkyBlue", "Blue", "MediumPurple", "Violet",
    "DarkGray", "Snow", "PapayaWhip", "Olive", "DeepPink", "LightSalmon", "LemonChiffon",
    "GreenYellow", "LightGreen", "Aqua", "LightSkyBlue", "SlateBlue", "MediumOrchid", "MistyRose",
    "Silver", "MintCream", "AntiqueWhite", "DarkKhaki", "HotPink", "Coral", "LightGoldenrodYellow",
    "Chartreuse", "PaleGreen", "Turquoise", "LightSteelBlue", "MediumSlateBlue", "Orchid", "Lavender",
    "LightGrey", "Azure", "Cornsilk", "Khaki", "LightPink", "LightCoral", "LightYellow",
    "LawnGreen", "MediumAquaMarine", "PaleTurquoise", "LightBlue", "RoyalBlue", "Plum", "AliceBlue",
    "Gainsboro", "White", "Beige", "NavajoWhite", "Pink", "SandyBrown", "Ivory",
    "Lime", "AquaMarine", "LightCyan", "PowderBlue", "SteelBlue", "Thistle", "HoneyDew",
};

// The names shown in colours of their own (RGB).
struct OwnColor {
    const char* name;
    quint32 rgb;
};
constexpr std::array<OwnColor, 3> kOwnColors = {{
    {"OliveGreen", 0x6B8E23},
    {"NavyBlue", 0x9FAFDF},
    {"Crimson", 0xDD143C},
}};

quint32 bgrOfRgb(quint32 rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

// The colours of the named cells, looked up once in the CSS colour keyword
// table (which Qt carries as the SVG colour names: the same 147 keywords),
// so no hand-typed value can drift from what a browser shows for the name.
const std::array<quint32, 140>& namedValues()
{
    static const std::array<quint32, 140> values = [] {
        std::array<quint32, 140> v{};
        for (size_t i = 0; i < kNames.size(); ++i) {
            const QLatin1String name(kNames[i]);
            bool own = false;
            for (const OwnColor& o : kOwnColors)
                if (name == QLatin1String(o.name)) {
                    v[i] = bgrOfRgb(o.rgb);
                    own = true;
                }
            if (!own)
                v[i] = Bgr_From_QColor(QColor::fromString(name));
        }
        return v;
    }();
    return values;
}

quint32 safeRgb(int cell)
{
    const int column = cell / 18;
    const int row = cell % 18;
    const bool rising = column < 6;
    const quint32 red = kLevels[rising ? column : 11 - column];
    const quint32 green = kLevels[(rising ? 0 : 3) + row / 6];
    const quint32 blue = kLevels[row % 6];
    return (red << 16) | (green << 8) | blue;
}

} // namespace

Shape Shape_Of(Kind kind) { return kind == Kind::Safe ? Shape{216, 18} : Shape{140, 14}; }

QString Cell_Text(Kind kind, int cell)
{
    if (cell < 0 || cell >= Shape_Of(kind).count)
        return QString();
    if (kind == Kind::Named)
        return QString::fromLatin1(kNames[size_t(cell)]);
    return Rgb_Text_From_Bgr(bgrOfRgb(safeRgb(cell)));
}

quint32 Cell_Value(Kind kind, int cell)
{
    if (cell < 0 || cell >= Shape_Of(kind).count)
        return 0;
    return kind == Kind::Named ? namedValues()[size_t(cell)] : bgrOfRgb(safeRgb(cell));
}

int Cell_At(Kind kind, int column, int row)
{
    const Shape s = Shape_Of(kind);
    if (column < 0 || column >= s.columns() || row < 0 || row >= s.perColumn)
        return -1;
    return column * s.perColumn + row;
}

int Moved_Cell(Kind kind, int cell, Move move)
{
    const Shape s = Shape_Of(kind);
    int to = cell;
    switch (move) {
    case Move::Home: to = 0; break;
    case Move::End: to = s.count - 1; break;
    case Move::Left: to = cell - s.perColumn; break;
    case Move::Right: to = cell + s.perColumn; break;
    case Move::Up: to = cell % s.perColumn == 0 ? -1 : cell - 1; break;
    case Move::Down: to = cell % s.perColumn == s.perColumn - 1 ? -1 : cell + 1; break;
    }
    return to >= 0 && to < s.count ? to : cell;
}

QChar Find_Key_Filter(QChar typed)
{
    const char16_t c = typed.unicode();
    if ((c >= u'0' && c <= u'9') || c == u'#' || c == u'C' || c == u'F')
        return typed;
    if (c == u'c' || c == u'f')
        return typed.toUpper();
    return QChar();
}

QString Find_Text(const QString& field)
{
    return field.startsWith(QLatin1Char('#')) ? field : QLatin1Char('#') + field;
}

int Find_Safe_Cell(const QString& text)
{
    const int count = Shape_Of(Kind::Safe).count;
    for (int i = 0; i < count; ++i)
        if (Cell_Text(Kind::Safe, i) == text)
            return i;
    return -1;
}

} // namespace palettes
