#include "tags/image_tag.h"

#include "tags/modern_markup.h"

#include <QUrl>

#include <cmath>

namespace image_tag {

const QString None_Item = QStringLiteral(" None");

QString Chosen(int selectedIndex, const QString& text)
{
    if (selectedIndex < 1 || text == None_Item)
        return QString();
    return text;
}

QString Url_Name(const QString& name)
{
    // Sub-delimiters may stand in a path as they are; ":" may not (a page
    // named "a:b" would read as a scheme), nor "&" (it starts an entity in
    // the attribute).
    return QString::fromLatin1(QUrl::toPercentEncoding(name, "!$'()*+,;=@"));
}

QString Alt_Value(const QString& alt)
{
    QString v = alt;
    v.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return v;
}

QString Link(const QString& page, const QString& anchor)
{
    QString link;
    if (!page.isEmpty()) {
        link = Url_Name(page);
        if (!page.contains(QLatin1Char('.')))
            link += QLatin1String(".html");
    }
    // The anchor is encoded as the page is: a blank or "&" in it would
    // otherwise end the link or start an entity in the attribute.
    if (!anchor.isEmpty())
        link += QLatin1Char('#') + Url_Name(anchor);
    return link;
}

int Border_Value(const QString& field)
{
    // The leading number as a number reader takes it: blanks, a sign,
    // digits, a decimal part; whatever follows is ignored.
    qsizetype i = 0;
    while (i < field.size() && (field[i] == QLatin1Char(' ') || field[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < field.size() && (field[i] == QLatin1Char('-') || field[i] == QLatin1Char('+')))
        ++i;
    const auto digits = [&] {
        while (i < field.size() && field[i] >= QLatin1Char('0') && field[i] <= QLatin1Char('9'))
            ++i;
    };
    digits();
    if (i < field.size() && field[i] == QLatin1Char('.')) {
        ++i;
        digits();
    }
    bool ok = false;
    const double v = field.mid(start, i - start).toDouble(&ok);
    if (!ok)
        return 0;
    const double r = std::nearbyint(v);
    if (r > 1e9 || r < -1e9)
        return r > 0 ? 1000000000 : -1000000000;
    return int(r);
}

QString Format_Whole(double value)
{
    const long long n = std::llround(value);
    return n == 0 ? QString() : QString::number(n);
}

QString Format_One_Decimal(double value)
{
    const long long tenths = std::llround(std::fabs(value) * 10.0);
    const long long whole = tenths / 10;
    const long long decimal = tenths % 10;
    QString s;
    if (value < 0 && tenths != 0)
        s += QLatin1Char('-');
    if (whole != 0)
        s += QString::number(whole);
    s += QLatin1Char('.');
    if (decimal != 0)
        s += QString::number(decimal);
    return s;
}

QString Size_Text(int width, int height)
{
    return QStringLiteral("w = %1,  h = %2").arg(width).arg(height);
}

QString File_Size_Text(qint64 bytes)
{
    return QStringLiteral("File Size: ") + Format_One_Decimal(double(bytes) / 1024.0) + QStringLiteral(" kb");
}

QString Image_Tag(const Attributes& a)
{
    const QString& q = a.Quote;
    QString image = QStringLiteral("<img src=") + q + QStringLiteral("Images/") + Url_Name(a.Image_Name) + q;
    image += QStringLiteral(" width=") + q + Format_Whole(a.Width) + q;
    image += QStringLiteral(" height=") + q + Format_Whole(a.Height) + q;
    if (!a.Alt.isEmpty())
        image += QStringLiteral(" alt=") + q + Alt_Value(a.Alt) + q;
    if (const int border = Border_Value(a.Border); border > 0)
        image += a.Modern ? QStringLiteral(" style=") + q + modern_markup::Border_Style(border) + q
                          : QStringLiteral(" border=") + q + QString::number(border) + q;
    image += a.Use_XHTML ? QStringLiteral(" />") : QStringLiteral(">");

    const QString link = Link(a.Page, a.Anchor);
    if (link.isEmpty())
        return image;
    QString opening = QStringLiteral("<a href=") + q + link + q;
    if (!a.Target.isEmpty())
        opening += QStringLiteral(" target=") + q + a.Target + q;
    return opening + QStringLiteral("> ") + image + QStringLiteral(" </a>");
}

} // namespace image_tag
