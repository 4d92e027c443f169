// What the Images and Colours tools write with modern markup on and off.

#include "tesk_test.h"
#include "logic_support.h"

#include "tags/color_tags.h"
#include "tags/image_tag.h"
#include "tags/modern_markup.h"

using namespace color_tags;

namespace {

// Choices of every kind: colours, a pattern, spacing, two of four fonts.
Color_Choices full()
{
    Color_Choices c;
    c.Colors[Body].Text = "#FFFFFF";
    c.Colors[Text].Text = "black";
    c.Colors[Link].Text = "#0000FF";
    c.Colors[ALink].Text = "red";
    c.Colors[VLink].Text = "purple";
    c.Colors[Table].Text = "#EEEEEE";
    c.Use_Pattern[Cell_Area] = true;
    c.Pattern[Cell_Area] = "my dots(1).gif";
    c.Spacing = "4.4";
    c.Colors[Font_1].Text = "red";
    c.Colors[Font_3].Text = "#00FF00";
    return c;
}

} // namespace

class ModernMarkupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void colorTool_data()
    {
        QTest::addColumn<int>("tool");  // 0 body, 1 table, 2 fonts
        QTest::addColumn<bool>("modern");
        QTest::addColumn<bool>("chosen");  // false: nothing chosen at all
        QTest::addColumn<QString>("expected");
        QTest::newRow("body") << 0 << false << true
                              << "<body bgcolor=\"#FFFFFF\" text=\"black\" link=\"#0000FF\" alink=\"red\" vlink=\"purple\">";
        QTest::newRow("body, modern")
            << 0 << true << true
            << "<style>a:link { color: #0000FF; } a:visited { color: purple; } a:active { color: red; }</style>\r\n"
               "<body style=\"background-color: #FFFFFF; color: black\">";
        QTest::newRow("body, modern, nothing chosen") << 0 << true << false << "<body>";
        QTest::newRow("table") << 1 << false << true
                               << "<table bgcolor=\"#EEEEEE\" cellspacing=\"4.4\">\r\n<td background=\"Backgrnd\\my dots(1).gif\">";
        QTest::newRow("table, modern")
            << 1 << true << true
            << "<table style=\"background-color: #EEEEEE; border-spacing: 4px\">\r\n"
               "<td style=\"background-image: url(Backgrnd/my%20dots%281%29.gif)\">";
        QTest::newRow("table, modern, nothing chosen") << 1 << true << false << "<table>\r\n<td>";
        QTest::newRow("fonts") << 2 << false << true << "<font color=\"red\">\r\n<font color=\"#00FF00\">\r\n";
        QTest::newRow("fonts, modern")
            << 2 << true << true << "<span style=\"color: red\">\r\n<span style=\"color: #00FF00\">\r\n";
        QTest::newRow("fonts, modern, nothing chosen") << 2 << true << false << "";
    }
    void colorTool()
    {
        QFETCH(int, tool);
        QFETCH(bool, modern);
        QFETCH(bool, chosen);
        const Color_Choices c = chosen ? full() : Color_Choices{};
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
        QTest::newRow("border") << false << "2" << "<img src='Images/a.png' width='40' height='30' alt='A' border='2'>";
        QTest::newRow("border, modern")
            << true << "2.4" << "<img src='Images/a.png' width='40' height='30' alt='A' style='border: 2px solid'>";
        QTest::newRow("no border, modern") << true << "0" << "<img src='Images/a.png' width='40' height='30' alt='A'>";
    }
    void imageTool()
    {
        QFETCH(bool, modern);
        image_tag::Attributes a;
        a.Image_Name = "a.png";
        a.Width = 40;
        a.Height = 30;
        a.Alt = "A";
        QFETCH(QString, border);
        a.Border = border;
        a.Modern = modern;
        a.Quote = "'";
        QTEST(image_tag::Image_Tag(a), "expected");
    }
};
TESK_TEST(ModernMarkupTest)

#include "modern_markup_test.moc"
