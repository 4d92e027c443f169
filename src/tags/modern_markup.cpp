#include "tags/modern_markup.h"

#include <QStringList>
#include <QUrl>

namespace modern_markup {

using namespace color_tags;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A pattern file as an unquoted url(): what would end it (blanks, quotes,
// parentheses) or start an escape is percent-encoded. The folder is written
// with "/", as CSS reads a backslash as an escape.
QString patternUrl(const QString& file)
{
    return QStringLiteral("url(Backgrnd/") + QString::fromLatin1(QUrl::toPercentEncoding(file, "!$*+,;=@&")) + u')';
}

void addBackground(QStringList& properties, const Color_Choices& c, Area area)
{
    if (c.Use_Pattern[area]) {
        if (!c.Pattern[area].isEmpty())
            properties << QStringLiteral("background-image: ") + patternUrl(c.Pattern[area]);
    } else if (const QString& color = c.Colors[Area_Target(area)].Text; !color.isEmpty()) {
        properties << QStringLiteral("background-color: ") + color;
    }
}

// `<tag style="a; b">`, or `<tag>` without properties.
QString startTag(const QString& tag, const QStringList& properties, const QString& quote)
{
    QString text = u'<' + tag;
    if (!properties.isEmpty())
        text += QStringLiteral(" style=") + quote + properties.join(QStringLiteral("; ")) + quote;
    return text + u'>';
}

} // namespace

QString Body_Choices(const Color_Choices& c, const QString& quote)
{
    // Visited before active: a later rule wins, and a link being clicked
    // should show the active colour even when it was visited.
    static const std::pair<const char*, Target> kLinks[] = {
        {"a:link", Link}, {"a:visited", VLink}, {"a:active", ALink}};
    QStringList rules;
    for (const auto& [selector, target] : kLinks)
        if (!c.Colors[target].Text.isEmpty())
            rules << QLatin1String(selector) + QStringLiteral(" { color: ") + c.Colors[target].Text
                    + QStringLiteral("; }");
    QString text;
    if (!rules.isEmpty())
        text = QStringLiteral("<style>") + rules.join(u' ') + QStringLiteral("</style>") + kCrLf;
    QStringList body;
    addBackground(body, c, Body_Area);
    if (!c.Colors[Text].Text.isEmpty())
        body << QStringLiteral("color: ") + c.Colors[Text].Text;
    return text + startTag(QStringLiteral("body"), body, quote);
}

QString Table_Choices(const Color_Choices& c, const QString& quote)
{
    QStringList table;
    addBackground(table, c, Table_Area);
    if (const int spacing = Spacing_Value(c.Spacing); spacing > 0)
        table << QStringLiteral("border-spacing: %1px").arg(spacing);
    QStringList cell;
    addBackground(cell, c, Cell_Area);
    return startTag(QStringLiteral("table"), table, quote) + kCrLf + startTag(QStringLiteral("td"), cell, quote);
}

QString Font_Choices(const Color_Choices& c, const QString& quote)
{
    QString text;
    for (int t = Font_1; t <= Font_4; ++t)
        if (!c.Colors[t].Text.isEmpty())
            text += startTag(QStringLiteral("span"), {QStringLiteral("color: ") + c.Colors[t].Text}, quote) + kCrLf;
    return text;
}

QString Border_Style(int pixels) { return QStringLiteral("border: %1px solid").arg(pixels); }

} // namespace modern_markup
