#include "tags/color_tags.h"

#include "platform/data_file.h"
#include "platform/file_system.h"

#include <cmath>

namespace color_tags {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The background of one area: a pattern in the site's "Backgrnd" folder (the
// path keeps the backslash the pages have always been written with) or a
// colour.
void addBackground(QString& text, const Color_Choices& c, Area area, const QString& quote)
{
    if (c.Use_Pattern[area])
        Add_Attribute(text, QStringLiteral(" background=") + quote + QStringLiteral("Backgrnd\\"),
                      c.Pattern[area], quote);
    else
        Add_Attribute(text, QStringLiteral(" bgcolor=") + quote, c.Colors[Area_Target(area)].Text, quote);
}

} // namespace

std::array<Color_Target, Target_Count> Default_Colors()
{
    std::array<Color_Target, Target_Count> colors;
    for (int t = 0; t < Target_Count; ++t)
        if (t != Body && t != Table && t != Cells)
            colors[size_t(t)].Value = System_Window_Text_Color;
    return colors;
}

Target Area_Target(Area area)
{
    switch (area) {
    case Body_Area: return Body;
    case Table_Area: return Table;
    case Cell_Area: return Cells;
    case Area_Count: break;
    }
    return Body;
}

void Add_Attribute(QString& text, const QString& prefix, const QString& value, const QString& quote)
{
    if (!value.isEmpty())
        text += prefix + value + quote;
}

QString Body_Choices(const Color_Choices& c, const QString& quote)
{
    QString text = QStringLiteral("<body");
    addBackground(text, c, Body_Area, quote);
    Add_Attribute(text, QStringLiteral(" text=") + quote, c.Colors[Text].Text, quote);
    Add_Attribute(text, QStringLiteral(" link=") + quote, c.Colors[Link].Text, quote);
    Add_Attribute(text, QStringLiteral(" alink=") + quote, c.Colors[ALink].Text, quote);
    Add_Attribute(text, QStringLiteral(" vlink=") + quote, c.Colors[VLink].Text, quote);
    return text + QLatin1Char('>');
}

QString Table_Choices(const Color_Choices& c, const QString& quote)
{
    QString text = QStringLiteral("<table");
    addBackground(text, c, Table_Area, quote);
    if (Spacing_Value(c.Spacing) > 0)
        Add_Attribute(text, QStringLiteral(" cellspacing=") + quote, c.Spacing, quote);
    text += QLatin1Char('>') + kCrLf + QStringLiteral("<td");
    addBackground(text, c, Cell_Area, quote);
    return text + QLatin1Char('>');
}

QString Font_Choices(const Color_Choices& c, const QString& quote)
{
    QString text;
    for (int t = Font_1; t <= Font_4; ++t)
        if (!c.Colors[t].Text.isEmpty())
            text += QStringLiteral("<font color=") + quote + c.Colors[t].Text + quote + QLatin1Char('>') + kCrLf;
    return text;
}

int Spacing_Value(const QString& spacing)
{
    const double v = data_file::valueOf(spacing);
    if (!(std::fabs(v) < 1e9))
        return v < 0 ? -1000000000 : 1000000000;
    return int(std::nearbyint(v));
}

QStringList Choice_Lines(const QString& choices)
{
    QString text = choices;
    text.replace(QChar(0x2028), QLatin1Char('\n')).replace(QChar(0x2029), QLatin1Char('\n'));
    QStringList lines;
    for (const QString& line : fs::splitLines(text))
        if (!line.trimmed().isEmpty())
            lines << line;
    return lines;
}

} // namespace color_tags
