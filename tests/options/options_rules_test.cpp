// What the Options dialog decides without a window, and what its settings
// look like after a trip through the settings file.

#include "tesk_test.h"

#include "core/settings_file.h"
#include "core/shared_state.h"
#include "options/options_rules.h"
#include "platform/file_system.h"
#include "platform/vb_keys.h"

#include <QRegularExpression>

class OptionsRulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Typed distances are limited to 0 .. 10 inches and shown as stored.
    void typedDistance_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("twips");
        QTest::newRow("2.5 cm") << 2 << "2.5" << "2.5 cm" << 1417;
        QTest::newRow("-2.5 cm: none") << 2 << "-2.5 cm" << "" << 0;
        QTest::newRow("11 in: ten inches") << 1 << "11" << "10\"" << 14400;
        QTest::newRow("30 cm: 25.4 cm") << 2 << "30" << "25.4 cm" << 14400;
        QTest::newRow("45 digits: ten inches") << 1 << QString(45, QLatin1Char('9')) << "10\"" << 14400;
    }
    void typedDistance()
    {
        QFETCH(int, units);
        QFETCH(QString, typed);
        const options::Distance d = options::Read_Distance(typed, units);
        QTEST(d.text, "shown");
        QTEST(d.twips, "twips");
    }

    void fontSize_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("used");
        QTest::addColumn<QString>("listed");
        QTest::newRow("20 opens as 8") << 20 << 8 << "8";
        QTest::newRow("7 opens as 8") << 7 << 8 << "8";
        QTest::newRow("13 kept, 10 listed") << 13 << 13 << "10";
        QTest::newRow("18 kept") << 18 << 18 << "18";
    }
    void fontSize()
    {
        QFETCH(int, stored);
        QFETCH(int, used);
        QCOMPARE(Usable_Font_Size(stored), used);
        QTEST(QString::number(options::kFontSizes[size_t(options::Font_Size_Row(used))]), "listed");
    }

    void applyColor_data()
    {
        QTest::addColumn<int>("location");
        QTest::addColumn<int>("color");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("7 on Attributes, both blanks") << 3 << 7 << true << " Light Grey  " << 7;
        QTest::newRow("the same colour again") << 1 << 9 << false << "Blue" << 9;
    }
    void applyColor()
    {
        QFETCH(int, location);
        QFETCH(int, color);
        SharedState s;
        QTEST(options::Apply_Color(s, location, color), "changed");
        QTEST(s.Code_Color_Names[size_t(location)], "name");
        QTEST(s.Code_Color_Numbers[size_t(location)], "number");
    }

    void boxKeys_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("selected");
        QTest::newRow("colour Down 13 stays") << 16 << 13 << int(vb::Key_Down) << 13;
        QTest::newRow("colour Left 0 stays") << 16 << 0 << int(vb::Key_Left) << 0;
        QTest::newRow("colour End") << 16 << 6 << int(vb::Key_End) << 15;
        QTest::newRow("location Up 3 -> 1") << 4 << 3 << int(vb::Key_Up) << 1;
        QTest::newRow("location Right 3 stays") << 4 << 3 << int(vb::Key_Right) << 3;
        QTest::newRow("location Home unused") << 4 << 2 << int(vb::Key_Home) << -1;
        QTest::newRow("colour Tab unused") << 16 << 2 << int(vb::Key_Tab) << -1;
    }
    void boxKeys()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(int, key);
        QTEST(options::Box_After_Key(current, key, count, count == 16 ? 4 : 2, count == 16), "selected");
    }

    void boxRect()
    {
        QCOMPARE(options::Box_Rect(6, 4, 480, 330, false), QRect(960, 480, 330, 330));
        QCOMPARE(options::Box_Rect(6, 4, 480, 330, true), QRect(885, 405, 480, 480));
    }

    void placement_data()
    {
        QTest::addColumn<QSize>("dialog");
        QTest::addColumn<int>("helpShown");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("centred") << QSize(6000, 4000) << -3 << QPoint(2000, 1000);
        QTest::newRow("larger than the area") << QSize(12000, 9000) << -3 << QPoint(0, 0);
        QTest::newRow("help shown") << QSize(6000, 4000) << 1 << QPoint(60, 60);
    }
    void placement()
    {
        QFETCH(QSize, dialog);
        QFETCH(int, helpShown);
        const site::DialogPlacement p =
            options::Place_Options(QSize(10000, 6000), dialog, helpShown, QPoint(0, 0), QPoint(5000, 5000));
        QVERIFY(p.moveDialog);
        QTEST(p.dialog, "at");
    }

    // A string the file cannot hold exactly loses only its odd characters;
    // every line after it stays in place.
    void oddStringsInTheSettingsFile_data()
    {
        QTest::addColumn<QString>("homePage");
        QTest::addColumn<QString>("bookmark");
        QTest::addColumn<QString>("folder");
        QTest::newRow("quotes") << "C:\\My \"Site\"\\index.htm" << "\"~\"" << "/srv/a\"b/";
        QTest::newRow("line breaks") << "http://a/\r\nb" << "~\n~" << "/srv/a\rb/";
        QTest::newRow("quote and comma") << "x\",y" << "~,\"," << "/srv/a,\"b/";
    }
    void oddStringsInTheSettingsFile()
    {
        QFETCH(QString, homePage);
        QFETCH(QString, bookmark);
        QFETCH(QString, folder);
        SharedState w;
        w.Browser_Home_Page = homePage;
        w.Bookmark_Chars = bookmark;
        w.Working_Folder = folder;
        w.Normal_Height = 9000;
        w.Use_XHTML = true;
        const QString text = Format_Settings(w);
        QCOMPARE(fs::splitLines(text).size(), kSettingsLines);
        SharedState r;
        QCOMPARE(Parse_Settings(text, r), SettingsRead::Ok);
        auto without = [](QString s) { return s.remove(QRegularExpression(QStringLiteral("[\"\r\n]"))); };
        QCOMPARE(r.Browser_Home_Page, without(homePage));
        QCOMPARE(r.Bookmark_Chars, without(bookmark));
        QCOMPARE(r.Working_Folder, without(folder));
        QCOMPARE(r.Normal_Height, 9000);
        QVERIFY(r.Use_XHTML);
    }

    // Colour numbers and font sizes the editor cannot use are read as
    // usable ones.
    void unusableValuesRead()
    {
        SharedState w;
        w.Code_Color_Names = {QStringLiteral("Black"), QStringLiteral(" Cyan "), QStringLiteral(" Red "),
                              QStringLiteral(" White ")};
        w.Code_Color_Numbers = {0, 99, -1, 15};
        w.Font_Size = 20;
        SharedState r;
        QCOMPARE(Parse_Settings(Format_Settings(w), r), SettingsRead::Ok);
        QCOMPARE(QList<int>(r.Code_Color_Numbers.begin(), r.Code_Color_Numbers.end()), QList<int>({0, 9, 2, 15}));
        QCOMPARE(QStringList(r.Code_Color_Names.begin(), r.Code_Color_Names.end()),
                 QStringList({"Black", "Blue", "Green", " White "}));
        QCOMPARE(r.Font_Size, 8);
    }
};
TESK_TEST(OptionsRulesTest)

#include "options_rules_test.moc"
