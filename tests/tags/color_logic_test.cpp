// The Colours tool's logic: its two palettes, colour values and their texts,
// the tags it composes and the colour setting files.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/palette.h"
#include "tags/color_settings_file.h"
#include "tags/color_tags.h"
#include "tags/palettes.h"

#include <QSet>

using namespace tesk::test;
using namespace color_tags;
using palettes::Kind;
using palettes::Move;

namespace {
const QString Q = QStringLiteral("\"");

Color_Choices withTexts(std::initializer_list<std::pair<Target, const char*>> texts)
{
    Color_Choices c;
    for (const auto& [t, text] : texts)
        c.Colors[t].Text = QString::fromUtf8(text);
    return c;
}
} // namespace

Q_DECLARE_METATYPE(color_tags::Color_Choices)

class ColorLogicTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cells_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");  // "#RRGGBB" of the colour shown
        QTest::newRow("safe 0 top left") << 0 << 0 << "#000000" << "#000000";
        QTest::newRow("safe 17 foot of column 0") << 0 << 17 << "#0066FF" << "#0066FF";
        QTest::newRow("safe 215 last") << 0 << 215 << "#00FFFF" << "#00FFFF";
        QTest::newRow("named 0 Black") << 1 << 0 << "Black" << "#000000";
        QTest::newRow("named 24 CSS spelling differs") << 1 << 24 << "CornFlowerBlue" << "#6495ED";
        QTest::newRow("named 21 own colour") << 1 << 21 << "OliveGreen" << "#6B8E23";
        QTest::newRow("named 46 own colour") << 1 << 46 << "Crimson" << "#DD143C";
        QTest::newRow("named 52 own colour") << 1 << 52 << "NavyBlue" << "#9FAFDF";
        QTest::newRow("named 139 last") << 1 << 139 << "HoneyDew" << "#F0FFF0";
    }
    void cells()
    {
        QFETCH(int, kind);
        QFETCH(int, cell);
        QTEST(palettes::Cell_Text(Kind(kind), cell), "text");
        QTEST(Rgb_Text_From_Bgr(palettes::Cell_Value(Kind(kind), cell)), "shown");
    }

    void safePaletteIsEveryWebSafeColourOnce()
    {
        QSet<QString> seen;
        const QString levels = QStringLiteral("00 33 66 99 CC FF");
        for (int i = 0; i < 216; ++i) {
            const QString t = palettes::Cell_Text(Kind::Safe, i);
            QCOMPARE(Bgr_From_Rgb_Text(t), palettes::Cell_Value(Kind::Safe, i));
            for (int k = 1; k < 7; k += 2)
                QVERIFY2(levels.contains(t.mid(k, 2)), qPrintable(t));
            seen.insert(t);
        }
        QCOMPARE(seen.size(), 216);
        // Every named cell has a distinct name and a colour of its own.
        QSet<QString> names;
        for (int i = 0; i < 140; ++i)
            names.insert(palettes::Cell_Text(Kind::Named, i));
        QCOMPARE(names.size(), 140);
    }

    void colourTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("bgr");  // -1: not a colour text
        QTest::newRow("red alone") << "#FF0000" << qint64(0x0000FF);
        QTest::newRow("lower case read") << "#ff0000" << qint64(0x0000FF);
        QTest::newRow("name") << "Red" << qint64(-1);
        QTest::newRow("short") << "#12345" << qint64(-1);
        QTest::newRow("not hex") << "#GG0000" << qint64(-1);
        QTest::newRow("no hash") << "FF0000" << qint64(-1);
    }
    void colourTexts()
    {
        QFETCH(QString, text);
        QFETCH(qint64, bgr);
        const auto v = Bgr_From_Rgb_Text(text);
        QCOMPARE(v ? qint64(*v) : -1, bgr);
        if (v) {
            QCOMPARE(Rgb_Text_From_Bgr(*v), text.toUpper());
            QCOMPARE(Bgr_From_QColor(QColor(text)), *v);
            QCOMPARE(QColor_From_Bgr(*v), QColor(text));
        }
    }

    void moves_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("move");
        QTest::addColumn<int>("to");
        QTest::newRow("safe Home") << 0 << 100 << int(Move::Home) << 0;
        QTest::newRow("safe End") << 0 << 3 << int(Move::End) << 215;
        QTest::newRow("safe Right one column") << 0 << 5 << int(Move::Right) << 23;
        QTest::newRow("safe Right past last column") << 0 << 200 << int(Move::Right) << 200;
        QTest::newRow("safe Left past first column") << 0 << 17 << int(Move::Left) << 17;
        QTest::newRow("safe Down off column foot") << 0 << 17 << int(Move::Down) << 17;
        QTest::newRow("safe Up off column top") << 0 << 18 << int(Move::Up) << 18;
        QTest::newRow("named Right one column") << 1 << 0 << int(Move::Right) << 14;
        QTest::newRow("named Down off column foot") << 1 << 13 << int(Move::Down) << 13;
    }
    void moves()
    {
        QFETCH(int, kind);
        QFETCH(int, from);
        QFETCH(int, move);
        QTEST(palettes::Moved_Cell(Kind(kind), from, Move(move)), "to");
    }

    void findByNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("cell");
        QTest::newRow("with its hash") << "#0066FF" << "#0066FF" << 17;
        QTest::newRow("letters A B D E refused") << "#ABDE00" << "#00" << -1;
        QTest::newRow("not a safe colour") << "123456" << "123456" << -1;
    }
    void findByNumber()
    {
        QFETCH(QString, typed);
        QString field;
        for (QChar c : typed)
            if (const QChar k = palettes::Find_Key_Filter(c); !k.isNull())
                field += k;
        QTEST(field, "field");
        QTEST(palettes::Find_Safe_Cell(palettes::Find_Text(field)), "cell");
    }

    void composedTags_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<Color_Choices>("choices");
        QTest::addColumn<QString>("text");
        Color_Choices pattern = withTexts({{Text, "#000000"}, {Body, "#FFFFFF"}});
        pattern.Use_Pattern[Body_Area] = true;
        pattern.Pattern[Body_Area] = QStringLiteral("tile.gif");
        QTest::newRow("body nothing set") << 0 << Color_Choices() << "<body>";
        QTest::newRow("body pattern wins over its colour")
            << 0 << pattern << "<body background=\"Backgrnd\\tile.gif\" text=\"#000000\">";
        QTest::newRow("body colour and links in order")
            << 0 << withTexts({{VLink, "Navy"}, {Body, "#FFFFCC"}, {Link, "Blue"}, {ALink, "Red"}})
            << "<body bgcolor=\"#FFFFCC\" link=\"Blue\" alink=\"Red\" vlink=\"Navy\">";
        Color_Choices table = withTexts({{Table, "Silver"}, {Cells, "White"}});
        QTest::newRow("table no spacing") << 1 << table << "<table bgcolor=\"Silver\">\r\n<td bgcolor=\"White\">";
        for (const char* s : {"0", "", "wide", "0.4"}) {
            table.Spacing = QString::fromLatin1(s);
            QTest::addRow("table spacing '%s' left out", s) << 1 << table << "<table bgcolor=\"Silver\">\r\n<td bgcolor=\"White\">";
        }
        table.Spacing = QStringLiteral("4 px");
        table.Use_Pattern[Cell_Area] = true;
        table.Pattern[Cell_Area] = QStringLiteral("c.gif");
        QTest::newRow("table spacing as typed, cell pattern")
            << 1 << table << "<table bgcolor=\"Silver\" cellspacing=\"4 px\">\r\n<td background=\"Backgrnd\\c.gif\">";
        QTest::newRow("fonts 1 and 3") << 2 << withTexts({{Font_3, "Red"}, {Font_1, "#000000"}})
                                       << "<font color=\"#000000\">\r\n<font color=\"Red\">\r\n";
        QTest::newRow("fonts none") << 2 << Color_Choices() << "";
    }
    void composedTags()
    {
        QFETCH(int, tab);
        QFETCH(Color_Choices, choices);
        const QString text = tab == 0 ? Body_Choices(choices, Q)
                             : tab == 1 ? Table_Choices(choices, Q)
                                        : Font_Choices(choices, Q);
        QTEST(text, "text");
    }

    void listLines_data()
    {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("LF, CR and blank lines") << "<a>\n\n<b>\r  \r<c>" << QStringList{"<a>", "<b>", "<c>"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void listLines()
    {
        QFETCH(QString, choices);
        QTEST(Choice_Lines(choices), "lines");
    }

    void settingFileRoundTrip()
    {
        Color_Choices c = withTexts({{Body, "say \"hi\""}, {Font_4, "Teal"}, {Link, "#0000FF"}});
        c.Use_Pattern = {true, false, true};
        c.Pattern = {QStringLiteral("a\"b.gif"), QString(), QStringLiteral(" c .bmp")};
        c.Colors[Link].Value = 0xFF0000;
        c.Colors[Font_4].Value = 0x808000;
        c.Spacing = QStringLiteral("3,5");
        const QString text = color_settings::Format_Color_File(c);
        QCOMPARE(text.count(QStringLiteral("\r\n")), 29);
        QVERIFY(text.startsWith(QStringLiteral("#TRUE#\r\n\"a\"b.gif\"\r\n\"say \"hi\"\"\r\n-2147483643\r\n")));
        QVERIFY(color_settings::Parse_Color_File(text) == c);

        // A system colour is shown as the fixed colour of its target on opening.
        const Color_Choices fixed = color_settings::With_Fixed_Colors(c);
        QCOMPARE(fixed.Colors[Body].Value, 0xFFFFFF);
        QCOMPARE(fixed.Colors[Table].Value, 0xCCCCCC);
        QCOMPARE(fixed.Colors[Text].Value, 0);
        QCOMPARE(fixed.Colors[Link].Value, 0xFF0000);
    }

    void damagedSettingFile_data()
    {
        QTest::addColumn<int>("line");  // 1-based line replaced (a file cut short: the Colours tool's test)
        QTest::addColumn<QString>("with");
        QTest::newRow("Boolean line holds a string") << 13 << "\"x\"";
        QTest::newRow("value line holds a word") << 4 << "white";
        QTest::newRow("value beyond 32 bits") << 6 << "4294967296";
        QTest::newRow("string without quotes") << 3 << "Red";
    }
    void damagedSettingFile()
    {
        QFETCH(int, line);
        QFETCH(QString, with);
        QStringList lines = fs::splitLines(color_settings::Format_Color_File(Color_Choices()));
        lines[line - 1] = with;
        QVERIFY(!color_settings::Parse_Color_File(fs::joinLines(lines)));
        // The same file whole reads; a negative value is a value like any other.
        lines = fs::splitLines(color_settings::Format_Color_File(Color_Choices()));
        lines[3] = QStringLiteral(" -1 ");
        QCOMPARE(color_settings::Parse_Color_File(fs::joinLines(lines))->Colors[Body].Value, -1);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("path");
        QTest::newRow("own extension kept") << "/s/Greens.txt" << "/s/Greens.txt";
        QTest::newRow("dot in folder only") << "/s.d/Greens" << "/s.d/Greens.clr";
    }
    void fileNames()
    {
        QFETCH(QString, chosen);
        QTEST(color_settings::With_Extension(chosen), "path");
    }
};

TESK_TEST(ColorLogicTest)
#include "color_logic_test.moc"
