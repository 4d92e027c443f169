// What the Images and Colours tools write with modern markup on and off.

#include "tesk_test.h"
#include "logic_support.h"

#include "tags/color_tags.h"
#include "tags/image_tag.h"
#include "tags/modern_markup.h"
#include "sitekit/page_check.h"

using namespace color_tags;

class ModernMarkupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Tool 0 body, 1 table, 2 fonts; every kind of choice made, or none.
    void colorTool_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<bool>("modern");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("body") << 0 << false << true
                              << "<body bgcolor=\"#FFF\" text=\"black\" link=\"blue\" alink=\"red\" vlink=\"purple\">";
        QTest::newRow("body, modern") << 0 << true << true
                                      << "<style>a:link { color: blue; } a:visited { color: purple; } a:active { "
                                         "color: red; }</style>\r\n<body style=\"background-color: #FFF; color: black\">";
        QTest::newRow("body, modern, nothing chosen") << 0 << true << false << "<body>";
        QTest::newRow("table") << 1 << false << true
                               << "<table bgcolor=\"#EEE\" cellspacing=\"4.4\">\r\n<td background=\"Backgrnd\\a b(1).gif\">";
        QTest::newRow("table, modern") << 1 << true << true
                                       << "<table style=\"background-color: #EEE; border-spacing: 4px\">\r\n"
                                          "<td style=\"background-image: url(Backgrnd/a%20b%281%29.gif)\">";
        QTest::newRow("table, modern, nothing chosen") << 1 << true << false << "<table>\r\n<td>";
        QTest::newRow("fonts") << 2 << false << true << "<font color=\"red\">\r\n<font color=\"#0F0\">\r\n";
        QTest::newRow("fonts, modern") << 2 << true << true
                                       << "<span style=\"color: red\">\r\n<span style=\"color: #0F0\">\r\n";
        QTest::newRow("fonts, modern, nothing chosen") << 2 << true << false << "";
    }
    void colorTool()
    {
        QFETCH(int, tool);
        QFETCH(bool, modern);
        QFETCH(bool, chosen);
        Color_Choices c;
        if (chosen) {
            const std::pair<Target, const char*> colors[] = {{Body, "#FFF"}, {Text, "black"},  {Link, "blue"},
                                                             {ALink, "red"}, {VLink, "purple"}, {Table, "#EEE"},
                                                             {Font_1, "red"}, {Font_3, "#0F0"}};
            for (const auto& [t, text] : colors)
                c.Colors[t].Text = text;
            c.Use_Pattern[Cell_Area] = true;
            c.Pattern[Cell_Area] = "a b(1).gif";
            c.Spacing = "4.4";
        }
        using Make = QString (*)(const Color_Choices&, const QString&);
        const Make old[] = {&color_tags::Body_Choices, &color_tags::Table_Choices, &color_tags::Font_Choices};
        const Make now[] = {&modern_markup::Body_Choices, &modern_markup::Table_Choices, &modern_markup::Font_Choices};
        QTEST((modern ? now : old)[tool](c, "\""), "expected");
    }

    void imageTool_data()
    {
        QTest::addColumn<bool>("modern");
        QTest::addColumn<QString>("border");
        QTest::addColumn<QString>("expected");
        QTest::newRow("border") << false << "2" << "<img src='Images/a.png' width='40' height='30' border='2'>";
        QTest::newRow("border, modern") << true << "2.4"
                                        << "<img src='Images/a.png' width='40' height='30' style='border: 2px solid'>";
        QTest::newRow("no border, modern") << true << "0" << "<img src='Images/a.png' width='40' height='30'>";
    }
    void imageTool()
    {
        QFETCH(bool, modern);
        QFETCH(QString, border);
        image_tag::Attributes a{.Image_Name = "a.png", .Width = 40, .Height = 30, .Border = border, .Modern = modern};
        a.Quote = "'";
        QTEST(image_tag::Image_Tag(a), "expected");
    }

    // A page made of every tag the tools write with modern markup passes
    // the page check: nothing obsolete, nothing else to mend.
    void pageCheckOfWhatTheToolsWrite()
    {
        Color_Choices c;
        const std::pair<Target, const char*> colors[] = {{Body, "#FFFFFF"}, {Text, "black"}, {Link, "blue"},
                                                         {ALink, "red"}, {VLink, "purple"}, {Table, "#EEEEEE"},
                                                         {Font_1, "red"}};
        for (const auto& [t, text] : colors)
            c.Colors[t].Text = text;
        c.Use_Pattern[Cell_Area] = true;
        c.Pattern[Cell_Area] = "a.gif";
        c.Spacing = "4";
        image_tag::Attributes a{.Image_Name = "a.png", .Width = 40, .Height = 30, .Border = "2", .Modern = true};
        a.Quote = "\"";
        a.Alt = "A";
        const QString body = modern_markup::Body_Choices(c, "\"");
        QString table = modern_markup::Table_Choices(c, "\"");
        // The style rules the body choices begin with belong in the head.
        const qsizetype bodyAt = body.indexOf(QLatin1String("<body"));
        const QString page = "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<title>t</title>\r\n"
                             + body.left(bodyAt) + "</head>\r\n" + body.mid(bodyAt) + "\r\n" + table.replace("<td", "<tr><td")
                             + "x</td></tr></table>\r\n<p>" + modern_markup::Font_Choices(c, "\"") + "x</span>"
                             + image_tag::Image_Tag(a) + "</p>\r\n</body>\r\n</html>\r\n";
        QStringList said;
        for (const sitekit::PageMessage& m : sitekit::checkMarkup(page.toUtf8()))
            said << m.text;
        QVERIFY2(said.isEmpty(), qPrintable(said.join(" | ")));
    }
};
TESK_TEST(ModernMarkupTest)

#include "modern_markup_test.moc"
