#include "source/tag_insertion.h"

namespace tag_insertion {

namespace {

const QChar Q = QLatin1Char('"');

QString Anchor_Element(const QString& opening, const QString& selection)
{
    return opening + QLatin1Char('>') + selection + QLatin1String("</a>");
}

} // namespace

QString Placeholder(int bar)
{
    switch (bar) {
    case 0: return QStringLiteral(" Select a Color Tag");
    case 1: return QStringLiteral(" Select an Image Tag");
    case 2: return QStringLiteral(" Select a Web Address Tag");
    case 3: return QStringLiteral(" Select an Anchor Tag");
    case 4: return QStringLiteral(" Select a Page Link");
    default: return QString();
    }
}

QStringList Fixed_Targets()
{
    return {QStringLiteral("Target"), QStringLiteral("none"), QStringLiteral("_blank"),
            QStringLiteral("_parent"), QStringLiteral("_top")};
}

QString Target_Attribute(int targetPosition, const QString& targetText)
{
    if (targetPosition <= 1)
        return QString();
    return QStringLiteral(" target=") + Q + targetText + Q;
}

QString Web_Link(const QString& address, const QString& selection, const QString& targetAttribute)
{
    QString href = address;
    if (!href.startsWith(QLatin1String("http://")) && !href.startsWith(QLatin1String("https://"))
        && !href.startsWith(QLatin1String("file:///")))
        href.prepend(QLatin1String("http://"));
    return Anchor_Element(QStringLiteral("<a href=") + Q + href + Q + targetAttribute, selection);
}

QString Email_Link(const QString& address, const QString& selection)
{
    QString href = address;
    if (!href.contains(QLatin1String("mailto:"), Qt::CaseInsensitive))
        href.prepend(QLatin1String("mailto:"));
    return Anchor_Element(QStringLiteral("<a href=") + Q + href + Q, selection);
}

QString Page_Link(const QString& page, const QString& selection, const QString& targetAttribute)
{
    QString href = page;
    if (!href.contains(QLatin1Char('.')))
        href += QLatin1String(".html");
    return Anchor_Element(QStringLiteral("<a href=") + Q + href + Q + targetAttribute, selection);
}

QString Jump_Link(const QString& anchor, const QString& selection)
{
    return Anchor_Element(QStringLiteral("<a href=") + Q + QLatin1Char('#') + anchor + Q, selection);
}

QString Named_Anchor(const QString& anchor, const QString& selection)
{
    return Anchor_Element(QStringLiteral("<a name=") + Q + anchor + Q, selection);
}

QString Goto_Text(int bar, const Choice& c)
{
    if (c.position <= 0 || c.entry.isEmpty())
        return QString();
    switch (bar) {
    case 0:
    case 1:
        // The entry is a complete tag or attribute: it replaces the selection.
        return c.entry;
    case 2:
        if (c.entry.contains(QLatin1Char('@')))
            return Email_Link(c.entry, c.selection);
        return Web_Link(c.entry, c.selection, Target_Attribute(c.targetPosition, c.targetText));
    case 3:
        return Jump_Link(c.entry, c.selection);
    case 4:
        return Page_Link(c.entry, c.selection, Target_Attribute(c.targetPosition, c.targetText));
    default:
        return QString();
    }
}

QString Here_Text(const Choice& c)
{
    if (c.position <= 0 || c.entry.isEmpty())
        return QString();
    return Named_Anchor(c.entry, c.selection);
}

// ---- button bar -------------------------------------------------------------

Button_Set Built_In_Buttons()
{
    Button_Set set;
    const Button built[] = {
        {QStringLiteral("Tesk"), QStringLiteral("<b>Tesk Web Editor</b>")},
        {QStringLiteral("<div>"), QStringLiteral("<div>^P")},
        {QStringLiteral("</div>"), QStringLiteral("</div>^P")},
        {QStringLiteral("Style"), QStringLiteral(" style=\" border: 2px solid red; \"")},
        {QStringLiteral("Table"), QStringLiteral("<table border=\"1\"><tr>^P")},
        {QStringLiteral("Padding"), QStringLiteral(" cellpadding=\"6\" ")},
        {QStringLiteral("<tr>"), QStringLiteral("</tr><tr>")},
        {QStringLiteral("<th>"), QStringLiteral("<th>")},
        {QStringLiteral("</th>"), QStringLiteral("</th>^P")},
        {QStringLiteral("<td>"), QStringLiteral("<td>")},
        {QStringLiteral("</td>"), QStringLiteral("</td>")},
        {QStringLiteral("/Table"), QStringLiteral("</tr></table>^P")},
    };
    for (size_t k = 0; k < std::size(built); ++k)
        set[k] = built[k];
    return set;
}

void Apply_Button_File(Button_Set& set, const QStringList& lines)
{
    for (int k = 0; k < Button_Count && 2 * k + 1 < lines.size(); ++k) {
        const QString& caption = lines[2 * k];
        if (caption.isEmpty() || caption == QLatin1String(" "))
            set[k] = Button{};
        else
            set[k] = Button{caption, lines[2 * k + 1]};
    }
}

QString Expand_Escapes(const QString& stored)
{
    QString text = stored;
    text.replace(QLatin1String("^T"), QLatin1String("\t"));
    text.replace(QLatin1String("^P"), QLatin1String("\r\n"));
    return text;
}

} // namespace tag_insertion
