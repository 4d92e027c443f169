// The texts the tag bars and the button bar insert.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"
#include "source/tag_insertion.h"

namespace ti = tag_insertion;

class TagInsertionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void insertedText_data()
    {
        QTest::addColumn<int>("bar");  // 5: the "&Here" button of bar 3
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("target");  // the target box's text
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, int bar, const QString& entry, const QString& selection,
                      const QString& target, const QString& text) {
            QTest::newRow(name) << bar << entry << selection << target << text;
        };
        // Colours and images: the entry is a whole tag and replaces the selection.
        row("colour entry", 0, "<body bgcolor=\"#FFFFFF\">", "old", "", "<body bgcolor=\"#FFFFFF\">");
        row("image entry", 1, "<img src=\"a.gif\">", "", "", "<img src=\"a.gif\">");
        // Web links.
        row("http kept", 2, "http://a.org", "A", "Target", "<a href=\"http://a.org\">A</a>");
        row("https kept", 2, "https://a.org", "A", "Target", "<a href=\"https://a.org\">A</a>");
        row("file kept", 2, "file:///c/a.html", "A", "Target", "<a href=\"file:///c/a.html\">A</a>");
        row("HTTP in capitals still prefixed", 2, "HTTP://A.ORG", "A", "Target",
            "<a href=\"http://HTTP://A.ORG\">A</a>");
        row("file with two slashes prefixed", 2, "file://x", "", "Target", "<a href=\"http://file://x\"></a>");
        row("target from the file", 2, "a.org", "", "main", "<a href=\"http://a.org\" target=\"main\"></a>");
        row("target none", 2, "a.org", "x", "none", "<a href=\"http://a.org\">x</a>");
        // E-mail links ignore the target box.
        row("mail address", 2, "me@a.org", "Mail", "_blank", "<a href=\"mailto:me@a.org\">Mail</a>");
        row("MailTo in any case kept", 2, "MailTo:me@a.org", "M", "", "<a href=\"MailTo:me@a.org\">M</a>");
        row("mailto anywhere kept", 2, "x mailto:me@a.org", "M", "", "<a href=\"x mailto:me@a.org\">M</a>");
        // Anchors.
        row("go to with selection", 3, "top", "Up", "", "<a href=\"#top\">Up</a>");
        row("here without selection", 5, "top", "", "", "<a name=\"top\"></a>");
        // Pages.
        row("page with dot", 4, "shop.php", "Shop", "Target", "<a href=\"shop.php\">Shop</a>");
        row("page with target", 4, "index", "", "_parent", "<a href=\"index.html\" target=\"_parent\"></a>");
        // Nothing to insert.
        row("placeholder web link", 2, " Select a Web Address Tag", "Home", "_blank", "");
        row("placeholder here", 5, " Select an Anchor Tag", "x", "", "");
        row("empty entry", 1, "", "x", "", "");
    }
    void insertedText()
    {
        QFETCH(int, bar);
        QFETCH(QString, entry);
        QFETCH(QString, selection);
        QFETCH(QString, target);
        // The placeholder stands at position 0; a target not among the fixed
        // ones comes from the file, after them.
        const QStringList fixed{"Target", "none", "_blank", "_parent", "_top"};
        const int listed = int(fixed.indexOf(target));
        const int targetPosition = target.isEmpty() ? 0 : listed < 0 ? 5 : listed;
        const ti::Choice c{entry.startsWith(' ') ? 0 : 1, entry, selection, targetPosition, target};
        QTEST(bar == 5 ? ti::Here_Text(c) : ti::Goto_Text(bar, c), "text");
        // Nothing chosen in the list inserts nothing either.
        QCOMPARE(ti::Goto_Text(bar % 5, {-1, QString(), selection, 0, QString()}), QString());
    }

    void placeholdersSortFirst()
    {
        for (int bar = 0; bar < ti::Bar_Count; ++bar)
            QVERIFY(ti::Placeholder(bar).startsWith(QLatin1Char(' ')));
    }

    void escapes_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("inserted");
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
    }
};
TESK_TEST(TagInsertionTest)

#include "tag_insertion_test.moc"
