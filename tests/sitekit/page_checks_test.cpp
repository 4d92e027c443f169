// A page's markup by Tidy and its spelling by Hunspell: which words are
// checked, where each message points, and the personal word list.

#include "tesk_test.h"
#include "logic_support.h"

#include "sitekit/page_check.h"
#include "sitekit/spelling.h"

#include <QDir>
#include <QFileInfo>

using namespace tesk::test;
using sitekit::PageMessage;

class PageChecksTest : public QObject {
    Q_OBJECT
private slots:
    void wordsAVisitorReads_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("words");  // each with the page bytes it came from
        QTest::addColumn<int>("from");       // lines in view from there to the end; 0: all
        QTest::newRow("text, not tags or names")
            << QByteArray("<p class=\"intro\">Hello <b>big</b> world</p>") << "Hello@17 big@26 world@34" << 0;
        QTest::newRow("alt, title, placeholder only")
            << QByteArray("<img src=\"dog.gif\" alt=\"small dog\" title=\"Rex\" data-x=\"nope\"><input placeholder=\"your name\" value=\"nope\">")
            << "small@24 dog@30 Rex@42 your@81 name@86" << 0;
        QTest::newRow("entities decoded") << QByteArray("<p>caf&eacute; na&iuml;ve&nbsp;art") << "café@3 naïve@15 art@31" << 0;
        QTest::newRow("stray end tag inside the text") << QByteArray("<p>one</b> two") << "one@3 two@11" << 0;
        QTest::newRow("numeric reference, CR LF")
            << QByteArray("<p>\r\nfa&#231;ade word") << "façade@5 word@17" << 0;
        QTest::newRow("script, style, code, comments skipped")
            << QByteArray("<script>var wordy;</script><style>p{}</style><!-- note --><code>x = fooBar</code><p>Yes")
            << "Yes@84" << 0;
        QTest::newRow("addresses, numbers, capitals skipped")
            << QByteArray("<p>mail me@example.com, see http://example.com/a or www.example.org, index.html, mp3 NASA I")
            << "mail@3 see@24 or@49" << 0;
        QTest::newRow("apostrophe and hyphen") << QByteArray("<p>don't well-known 'quoted'")
                                               << "don't@3 well@9 known@14 quoted@21" << 0;
        QTest::newRow("lines in view inside a script")
            << QByteArray("<p>Before\n<script>\nlet x = 'nope';\n</script>After") << "After@44" << 20;
        QTest::newRow("lines in view start mid-text")
            << QByteArray("<p>One\ntwo <b>three</b>") << "two@7 three@14" << 9;
    }
    void wordsAVisitorReads()
    {
        QFETCH(QByteArray, html);
        QFETCH(QString, words);
        QFETCH(int, from);
        QStringList got;
        for (const sitekit::PageWord& w : sitekit::visibleWords(html, from)) {
            got << QStringLiteral("%1@%2").arg(w.word).arg(w.start);
            // The word's bytes as written end where the word ends.
            QVERIFY(QChar::fromLatin1(html.at(w.start + w.length - 1)).isLetter() || html.at(w.start + w.length - 1) == ';'
                    || uchar(html.at(w.start + w.length - 1)) >= 0x80);
        }
        QCOMPARE(got.join(QLatin1Char(' ')), words);
    }

    void misspeltWords_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("found");  // LINE:COLUMN WORD of each
        QTest::newRow("columns count characters, CR LF one line end")
            << QByteArray("<p>Fine\r\n<p>\xe2\x80\x94 teh\r\n<b>wrold</b>") << "2:6 teh 3:4 wrold";
        QTest::newRow("written with a reference") << QByteArray("<p>&ldquo;speling&rdquo;") << "1:11 speling";
        QTest::newRow("another script, no dictionary for it") << QByteArray("<p>\xd0\xbc\xd0\xb8\xd1\x80 fine") << "";
        QTest::newRow("typographic apostrophe") << QByteArray("<p>don\xe2\x80\x99t wasn\xe2\x80\x99t") << "";
    }
    void misspeltWords()
    {
        QFETCH(QByteArray, html);
        QFETCH(QString, found);
        sitekit::Speller s(QStringLiteral("en_US"), QString());
        QStringList got;
        for (const PageMessage& m : s.check(html, false))
            got << QStringLiteral("%1:%2 %3").arg(m.line).arg(m.column).arg(m.text);
        QCOMPARE(got.join(QLatin1Char(' ')), found);
    }

    void dictionaryByPageLanguage_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("dictionary");
        QTest::newRow("none") << "" << "en_US";
        QTest::newRow("installed") << "de-DE" << "de_DE";
        QTest::newRow("letter case") << "EN-gb" << "en_GB";
        QTest::newRow("language only, the chosen one of it") << "en" << "en_US";
        QTest::newRow("language only") << "de" << "de_DE";
        QTest::newRow("not installed") << "fr-FR" << "en_US";
    }
    void dictionaryByPageLanguage()
    {
        QFETCH(QString, lang);
        QFETCH(QString, dictionary);
        TempSite site;
        QDir().mkpath(site.path(QStringLiteral("dicts")));
        for (const char* name : {"de_DE", "en_GB", "en_US"})
            QVERIFY(writeFile(site.path(QStringLiteral("dicts/%1.dic").arg(name)), "1\nword\n"));
        QCOMPARE(sitekit::dictionaryFor(lang, QStringLiteral("en_US"), site.path(QStringLiteral("dicts"))), dictionary);
    }

    void misspeltWordsWithPlaceAndPersonalList()
    {
        TempSite site;
        const QString list = site.path(QStringLiteral("config/Personal Words.txt"));
        const QByteArray page("<html lang=\"en\"><p>A fine\n  teh day for Tesk");
        {
            sitekit::Speller s(sitekit::dictionaryFor(sitekit::pageLanguage(page), QStringLiteral("xx_XX")), list);
            QVERIFY2(s.problem().isEmpty(), qPrintable(s.problem()));
            const auto found = s.check(page, true);
            QCOMPARE(found.size(), size_t(2));
            QCOMPARE(found[0].text, QStringLiteral("teh"));
            QCOMPARE(QPair(found[0].line, found[0].column), QPair(2, 3));
            QVERIFY(found[0].suggestions.contains(QStringLiteral("the")));
            QVERIFY(s.addToPersonal(QStringLiteral("Tesk")));
        }
        sitekit::Speller again(QStringLiteral("en_US"), list);
        const auto found = again.check(page, false);
        QCOMPARE(found.size(), size_t(1));
        QCOMPARE(sitekit::readWordList(readFile(list)), QStringList{QStringLiteral("Tesk")});

        sitekit::Speller missing(QStringLiteral("xx_XX"), list);
        QVERIFY(missing.problem().contains(QStringLiteral("hunspell-xx-xx")));
        QVERIFY(missing.check(page, false).empty());

        // A list that cannot be read is never replaced.
        const QString folder = site.path(QStringLiteral("config/folder"));
        QDir().mkpath(folder);
        QVERIFY(!sitekit::Speller(QStringLiteral("en_US"), folder).addToPersonal(QStringLiteral("Word")));
        QVERIFY(QFileInfo(folder).isDir());
    }

    void tidyMessagesPointAtTheirLine_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<bool>("accessibility");
        QTest::addColumn<QString>("first");  // LINE:COLUMN: message of the first message; "" when none
        const QByteArray head("<!DOCTYPE html>\r\n<html lang=en><head><title>t</title></head><body>\r\n");
        QTest::newRow("clean") << head + "<p>Fine</p></body></html>" << false << "";
        QTest::newRow("stray end tag, CR LF lines") << head + "<p>\r\n\tx</b>" << false
                                                    << "4:3: warning: discarding unexpected </b>";
        QTest::newRow("unknown element") << head + "<foo>" << false << "3:1: error: <foo> is not recognized!";
        const QByteArray table("<table><tr><td>1</td></tr></table>");
        QTest::newRow("table headers only when asked") << head + table << false << "";
        QTest::newRow("table headers") << head + table << true
                                       << "3:1: accessibility: data <table> missing row/column headers (all).";
    }
    void tidyMessagesPointAtTheirLine()
    {
        QFETCH(QByteArray, html);
        QFETCH(bool, accessibility);
        QFETCH(QString, first);
        const auto found = sitekit::checkMarkup(html, {accessibility});
        QCOMPARE(found.empty() ? QString() : sitekit::messageLine(QStringLiteral("f"), found[0]).mid(2), first);
    }
};

TESK_TEST(PageChecksTest)
#include "page_checks_test.moc"
