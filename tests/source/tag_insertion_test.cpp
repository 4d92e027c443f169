// The texts the tag bars and the button bar insert.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/file_system.h"
#include "source/tag_insertion.h"

namespace ti = tag_insertion;

class TagInsertionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void insertedText_data()
    {
        QTest::addColumn<int>("bar");
        QTest::addColumn<bool>("here");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<int>("targetPosition");
        QTest::addColumn<QString>("targetText");
        QTest::addColumn<QString>("text");

        auto row = [](const char* name, int bar, bool here, int pos, const QString& entry, const QString& sel,
                      int targetPos, const QString& target, const QString& text) {
            QTest::newRow(name) << bar << here << pos << entry << sel << targetPos << target << text;
        };
        // Colours and images: the entry is a whole tag and replaces the selection.
        row("colour entry", 0, false, 1, "<body bgcolor=\"#FFFFFF\">", "old", 0, "", "<body bgcolor=\"#FFFFFF\">");
        row("image entry", 1, false, 2, "<img src=\"Images/a.gif\">", "", 0, "", "<img src=\"Images/a.gif\">");
        // Web links.
        row("address without prefix", 2, false, 1, "www.example.com", "Home", 0, "Target",
            "<a href=\"http://www.example.com\">Home</a>");
        row("http kept", 2, false, 1, "http://a.org", "A", 0, "Target", "<a href=\"http://a.org\">A</a>");
        row("https kept", 2, false, 1, "https://a.org", "A", 0, "Target", "<a href=\"https://a.org\">A</a>");
        row("file kept", 2, false, 1, "file:///c/a.html", "A", 0, "Target", "<a href=\"file:///c/a.html\">A</a>");
        row("HTTP in capitals still prefixed", 2, false, 1, "HTTP://A.ORG", "A", 0, "Target",
            "<a href=\"http://HTTP://A.ORG\">A</a>");
        row("file with two slashes prefixed", 2, false, 1, "file://x", "", 0, "Target",
            "<a href=\"http://file://x\"></a>");
        row("target _blank", 2, false, 1, "www.example.com", "Home", 2, "_blank",
            "<a href=\"http://www.example.com\" target=\"_blank\">Home</a>");
        row("target from the file", 2, false, 1, "a.org", "", 5, "main",
            "<a href=\"http://a.org\" target=\"main\"></a>");
        row("target none", 2, false, 1, "a.org", "x", 1, "none", "<a href=\"http://a.org\">x</a>");
        row("target Target", 2, false, 1, "a.org", "x", 0, "Target", "<a href=\"http://a.org\">x</a>");
        // E-mail links ignore the target box.
        row("mail address", 2, false, 1, "me@a.org", "Mail", 2, "_blank", "<a href=\"mailto:me@a.org\">Mail</a>");
        row("mailto kept", 2, false, 1, "mailto:me@a.org", "", 0, "", "<a href=\"mailto:me@a.org\"></a>");
        row("MailTo in any case kept", 2, false, 1, "MailTo:me@a.org", "M", 0, "", "<a href=\"MailTo:me@a.org\">M</a>");
        row("mailto anywhere kept", 2, false, 1, "x mailto:me@a.org", "M", 0, "", "<a href=\"x mailto:me@a.org\">M</a>");
        // Anchors.
        row("go to with selection", 3, false, 1, "top", "Up", 0, "", "<a href=\"#top\">Up</a>");
        row("go to without selection", 3, false, 1, "top", "", 0, "", "<a href=\"#top\"></a>");
        row("here with selection", 3, true, 1, "top", "Title", 0, "", "<a name=\"top\">Title</a>");
        row("here without selection", 3, true, 1, "top", "", 0, "", "<a name=\"top\"></a>");
        // Pages.
        row("page without dot", 4, false, 1, "index", "Start", 0, "Target", "<a href=\"index.html\">Start</a>");
        row("page with dot", 4, false, 1, "shop.php", "Shop", 0, "Target", "<a href=\"shop.php\">Shop</a>");
        row("page with target", 4, false, 1, "index", "", 3, "_parent",
            "<a href=\"index.html\" target=\"_parent\"></a>");
        // Nothing to insert.
        row("placeholder web link", 2, false, 0, " Select a Web Address Tag", "Home", 2, "_blank", "");
        row("placeholder colour", 0, false, 0, " Select a Color Tag", "x", 0, "", "");
        row("placeholder here", 3, true, 0, " Select an Anchor Tag", "x", 0, "", "");
        row("no selection in list", 4, false, -1, "", "x", 0, "", "");
        row("empty entry", 1, false, 3, "", "x", 0, "", "");
    }
    void insertedText()
    {
        QFETCH(int, bar);
        QFETCH(bool, here);
        QFETCH(int, position);
        QFETCH(QString, entry);
        QFETCH(QString, selection);
        QFETCH(int, targetPosition);
        QFETCH(QString, targetText);
        const ti::Choice c{position, entry, selection, targetPosition, targetText};
        QTEST(here ? ti::Here_Text(c) : ti::Goto_Text(bar, c), "text");
    }

    void placeholdersSortFirst()
    {
        for (int bar = 0; bar < ti::Bar_Count; ++bar)
            QVERIFY(ti::Placeholder(bar).startsWith(QLatin1Char(' ')));
        QCOMPARE(ti::Fixed_Targets().size(), ti::Fixed_Target_Count);
    }

    void escapes_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("line break") << "<div>^P" << "<div>\r\n";
        QTest::newRow("tab") << "^T<td>" << "\t<td>";
        QTest::newRow("lower case left alone") << "^p^t" << "^p^t";
        QTest::newRow("tab first, then break") << "^^TP" << "^\tP";
        QTest::newRow("caret alone") << "a^b^" << "a^b^";
        QTest::newRow("both, repeated") << "^P^T^P" << "\r\n\t\r\n";
    }
    void escapes()
    {
        QFETCH(QString, stored);
        QTEST(ti::Expand_Escapes(stored), "inserted");
    }

    void shippedButtonFileIsTheBuiltInSet()
    {
        const QString path = QStringLiteral(TESK_SOURCE_DIR "/resources/References/Button.but");
        const QByteArray bytes = tesk::test::readFile(path);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));

        QStringList lines;
        QCOMPARE(fs::readLines(path, lines), fs::Result::Ok);
        ti::Button_Set fromFile;  // all empty: only the file fills it
        ti::Apply_Button_File(fromFile, lines);
        const ti::Button_Set builtIn = ti::Built_In_Buttons();
        for (int k = 0; k < ti::Button_Count; ++k) {
            QCOMPARE(fromFile[k].caption, builtIn[k].caption);
            QCOMPARE(fromFile[k].text, builtIn[k].text);
        }
        QCOMPARE(builtIn[3].text.size(), 33);
        QCOMPARE(builtIn[5].text.size(), 17);
        QVERIFY(builtIn[12].caption.isEmpty());
    }
};
TESK_TEST(TagInsertionTest)

#include "tag_insertion_test.moc"
