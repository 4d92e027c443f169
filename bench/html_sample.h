#pragma once
// A deterministic HTML source of any size, put together from pieces written
// the way hand-made pages are: a head with meta tags, style blocks with rules
// and comments, scripts with comments and strings, PHP and ASP blocks, tables,
// forms, lists, paragraphs with entities and bare ampersands, comments, and
// attributes whose values hold underscores. Line breaks are CR LF, as in the
// editor. The same size and seed always give the same text, so measurements
// and tests can be repeated.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace tesk::sample {

class Html {
public:
    explicit Html(std::uint32_t seed) : state_(seed ? seed : 1) {}

    // At least `chars` characters: whole pages, the last one cut off at the
    // end of a piece (the text may end in the middle of a page).
    QString build(int chars)
    {
        QString out;
        out.reserve(chars + 4096);
        while (out.size() < chars) {
            out += head();
            const int pieces = 20 + pick(30);
            for (int i = 0; i < pieces && out.size() < chars; ++i)
                out += piece();
            out += QStringLiteral("</body>\r\n</html>\r\n");
        }
        return out;
    }

private:
    std::uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int pick(int n) { return int(next() % std::uint32_t(n)); }
    QString from(const QStringList& list) { return list[pick(int(list.size()))]; }

    QString word()
    {
        static const QStringList words{
            QStringLiteral("garden"), QStringLiteral("club"), QStringLiteral("meeting"),
            QStringLiteral("roses"), QStringLiteral("spring"), QStringLiteral("members"),
            QStringLiteral("the"), QStringLiteral("and"), QStringLiteral("of"),
            QStringLiteral("Saturday"), QStringLiteral("village"), QStringLiteral("hall"),
            QStringLiteral("tickets"), QStringLiteral("show"), QStringLiteral("news"),
            QStringLiteral("photos"), QStringLiteral("prize"), QStringLiteral("winners")};
        return from(words);
    }
    QString words(int n)
    {
        QString s = word();
        for (int i = 1; i < n; ++i)
            s += QLatin1Char(' ') + word();
        return s;
    }
    QString name()  // with an underscore, as in ids, classes and file names
    {
        return word() + QLatin1Char('_') + word();
    }
    QString number() { return QString::number(pick(1000)); }
    QString colour()
    {
        return QStringLiteral("#%1").arg(next() & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    }
    QString text()
    {
        static const QStringList entities{QStringLiteral("&nbsp;"), QStringLiteral("&amp;"),
                                          QStringLiteral("&copy;"), QStringLiteral("&eacute;"),
                                          QStringLiteral("&quot;"), QStringLiteral("&#8212;")};
        QString s = words(3 + pick(12));
        switch (pick(5)) {
        case 0: s += QLatin1Char(' ') + from(entities) + QLatin1Char(' ') + words(4); break;
        case 1: s += QStringLiteral(" Fish & chips; ") + words(3); break;
        case 2: s += QStringLiteral(", <b>") + words(2) + QStringLiteral("</b> ") + words(5); break;
        case 3: s += QStringLiteral(" <a href=\"") + name() + QStringLiteral(".htm\">") + words(2)
                + QStringLiteral("</a>."); break;
        default: s += QLatin1Char('.'); break;
        }
        return s;
    }

    QString head()
    {
        return QStringLiteral(
                   "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                   "<html>\r\n<head>\r\n"
                   "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
                   "<meta name=\"description\" content=\"%1\">\r\n"
                   "<title>%2</title>\r\n"
                   "<link rel=\"stylesheet\" type=\"text/css\" href=\"%3.css\">\r\n")
            .arg(words(8), words(3), name())
            + style() + QStringLiteral("</head>\r\n<body bgcolor=\"%1\" text=\"%2\">\r\n")
                            .arg(colour(), colour());
    }

    QString style()
    {
        QString s = QStringLiteral("<style type=\"text/css\">\r\n<!--\r\n");
        const int rules = 3 + pick(8);
        for (int i = 0; i < rules; ++i) {
            switch (pick(4)) {
            case 0:
                s += QStringLiteral("body { font-family: Arial, sans-serif; color: %1; margin: %2px; }\r\n")
                         .arg(colour(), number());
                break;
            case 1:
                s += QStringLiteral("/* %1 */\r\n.%2 {\r\n\tbackground: %3;\r\n\tpadding: 4px 8px;\r\n}\r\n")
                         .arg(words(4), name(), colour());
                break;
            case 2:
                s += QStringLiteral("#%1 a:hover{color:%2;text-decoration:underline}\r\n")
                         .arg(name(), colour());
                break;
            default:
                s += QStringLiteral("h%1, h%2 { font-size: %3em; }\r\n")
                         .arg(1 + pick(3)).arg(4 + pick(2)).arg(1 + pick(3));
                break;
            }
        }
        return s + QStringLiteral("-->\r\n</style>\r\n");
    }

    QString script()
    {
        return QStringLiteral(
                   "<script type=\"text/javascript\" language=\"JavaScript\">\r\n<!--\r\n"
                   "// %1\r\n"
                   "var %2 = %3;\r\n"
                   "function show_%4(item_id) {\r\n"
                   "\t/* %5 */\r\n"
                   "\tif (%2 < %3 && item_id != \"\") {\r\n"
                   "\t\tdocument.getElementById(item_id).style.display = \"block\";\r\n"
                   "\t\twindow.status = \"See http://www.example.com/%6.htm\";\r\n"
                   "\t}\r\n"
                   "}\r\n"
                   "//-->\r\n</script>\r\n")
            .arg(words(5), name(), number(), word(), words(3), name());
    }

    QString server()
    {
        if (pick(2))
            return QStringLiteral("<?php\r\n// %1\r\n$%2 = \"%3\";\r\nif ($%2 != \"\") {\r\n"
                                  "\techo \"<p class=\\\"%4\\\">\" . htmlspecialchars($%2) . \"</p>\";\r\n"
                                  "}\r\n?>\r\n")
                .arg(words(4), name(), words(3), name());
        return QStringLiteral("<% Dim %1\r\n%1 = Request.QueryString(\"%2\")\r\nrem %3\r\n"
                              "Response.Write(%1) %>\r\n")
            .arg(name(), word(), words(4));
    }

    QString piece()
    {
        switch (pick(12)) {
        case 0:
            return QStringLiteral("<h%1 align=\"center\">%2</h%1>\r\n").arg(1 + pick(4)).arg(words(4));
        case 1:
        case 2:
            return QStringLiteral("<p class=\"%1\">%2\r\n%3</p>\r\n").arg(name(), text(), text());
        case 3:
            return QStringLiteral("<!-- %1 -->\r\n").arg(words(6));
        case 4: {
            QString s = QStringLiteral("<table width=\"100%\" border=\"0\" cellpadding=\"4\" id=\"%1\">\r\n")
                            .arg(name());
            const int rows = 2 + pick(5);
            for (int r = 0; r < rows; ++r)
                s += QStringLiteral("<tr>\r\n\t<td bgcolor=\"%1\" valign=\"top\">%2</td>\r\n"
                                    "\t<td align=\"right\">%3&nbsp;&pound;</td>\r\n</tr>\r\n")
                         .arg(colour(), words(3), number());
            return s + QStringLiteral("</table>\r\n");
        }
        case 5:
            return QStringLiteral("<img src=\"Images/%1.gif\" width=\"%2\" height=\"%3\" alt=\"%4\" border=\"0\" />\r\n"
                                  "<br />\r\n")
                .arg(name(), number(), number(), words(3));
        case 6: {
            QString s = QStringLiteral("<ul>\r\n");
            const int items = 2 + pick(6);
            for (int i = 0; i < items; ++i)
                s += QStringLiteral("\t<li><a href=\"%1.htm\" target=\"_blank\">%2</a></li>\r\n")
                         .arg(name(), words(3));
            return s + QStringLiteral("</ul>\r\n");
        }
        case 7:
            return QStringLiteral("<form action=\"%1.php\" method=\"post\">\r\n"
                                  "<input type=\"text\" name=\"%2\" value=\"\" size=\"%3\">\r\n"
                                  "<input type=\"submit\" value=\"Send &raquo;\">\r\n</form>\r\n")
                .arg(name(), name(), number());
        case 8:
            return script();
        case 9:
            return server();
        case 10:
            return QStringLiteral("<div id=\"%1\" style=\"color: %2; font-weight: bold\">%3</div>\r\n")
                .arg(name(), colour(), text());
        default:
            return QStringLiteral("<p>%1<br>\r\n%2</p>\r\n").arg(text(), text());
        }
    }

    std::uint32_t state_;
};

// The standard sample: about `chars` characters from seed 1.
inline QString Sample_Html(int chars, std::uint32_t seed = 1)
{
    return Html(seed).build(chars);
}

} // namespace tesk::sample
