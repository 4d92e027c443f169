#include "source/new_page.h"

#include "platform/file_system.h"

namespace newpage {

std::vector<Choice> Template_Order(const QString& workingPagesFolder, const QString& programFolder)
{
    std::vector<Choice> order;
    const QString own = Working_Template_Path(workingPagesFolder);
    if (!workingPagesFolder.isEmpty() && fs::fileExists(own))
        order.push_back({Source::WorkingFolder, own});
    const QString shipped = programFolder + kProgramTemplateName;
    if (!programFolder.isEmpty() && fs::fileExists(shipped))
        order.push_back({Source::Program, shipped});
    order.push_back({Source::BuiltIn, QString()});
    return order;
}

QString Working_Template_Path(const QString& workingPagesFolder)
{
    return workingPagesFolder + kWorkingTemplateName;
}

QString Built_In_Page_Text()
{
    const QString q = QStringLiteral("\"");
    const QString t = QStringLiteral("\t");
    const QString lines[14] = {
        QStringLiteral("<!DOCTYPE HTML PUBLIC ") + q + QStringLiteral("-//W3C//DTD HTML 4.01 Transitional//EN") + q,
        t + q + QStringLiteral("http://www.w3.org/TR/html4/loose.dtd") + q + QStringLiteral(">"),
        QStringLiteral("<html lang=") + q + QStringLiteral("en-us") + q + QStringLiteral("><head>"),
        t + QStringLiteral("<title>"),
        t + t + QStringLiteral("TITLE"),
        t + QStringLiteral("</title>"),
        t + QStringLiteral("<meta http-equiv=") + q + QStringLiteral("Content-Type") + q + QStringLiteral(" content=")
            + q + QStringLiteral("text/html; charset=UTF-8") + q + QStringLiteral(">"),
        t + QStringLiteral("<meta name=") + q + QStringLiteral("generator") + q + QStringLiteral(" content=") + q
            + QStringLiteral("Tesk Web Editor") + q + QStringLiteral(">"),
        QString(),
        QStringLiteral("</head><body>"),
        QString(),
        t + QStringLiteral("CONTENT"),
        QString(),
        QStringLiteral("</body></html>"),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QString Shipped_Page_Text()
{
    return QStringLiteral(
        "<!DOCTYPE html>\r\n"
        "<html lang=\"en\">\r\n"
        "<head>\r\n"
        "\t<meta charset=\"UTF-8\">\r\n"
        "\t<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
        "\t<meta name=\"generator\" content=\"Tesk Web Editor\">\r\n"
        "\t<title>TITLE</title>\r\n"
        "</head>\r\n"
        "<body>\r\n"
        "\r\n"
        "\tCONTENT\r\n"
        "\r\n"
        "</body>\r\n"
        "</html>\r\n");
}

} // namespace newpage
