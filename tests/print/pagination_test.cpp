// Pagination without a printer: the page's lines and footer on letter paper,
// the header and footer texts for every place, where long lines break and
// where pages end, with every character 100 twips wide.

#include "tesk_test.h"

#include "print/page_setup.h"
#include "print/pagination.h"

#include <QRegularExpression>

using namespace pagination;

namespace {

const QSize kLetter(12240, 15840);
const QMargins kDefaultMargins(1440, 1080, 1080, 1080);

// "{500}" at the start of a line of the row's text sets that line's indent.
struct Source {
    QString text;
    std::vector<int> indents;
};
Source source(const QString& drawn)
{
    static const QRegularExpression indent(QStringLiteral("^\\{(\\d+)\\}"));
    Source s;
    QStringList lines = drawn.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const QRegularExpressionMatch m = indent.match(line);
        s.indents.push_back(m.hasMatch() ? m.captured(1).toInt() : 0);
        if (m.hasMatch())
            line.remove(0, m.capturedLength());
    }
    s.text = lines.join(QLatin1Char('\n'));
    return s;
}

// Pages drawn as "line|line // line": each line its characters ("^T" for a
// tab), an indent as "{twips}" before it.
QString drawn(const Source& s, const Pages& pages)
{
    QStringList out;
    for (int p = 1; p <= pages.count(); ++p) {
        QStringList lines;
        for (int i = pages.firstLine[size_t(p - 1)]; i < pages.firstLine[size_t(p)]; ++i) {
            const PrintLine& l = pages.lines[size_t(i)];
            QString t = s.text.mid(l.start, l.end - l.start).replace(QLatin1Char('\t'), QLatin1String("^T"));
            lines << (l.indent ? QStringLiteral("{%1}").arg(l.indent) : QString()) + t;
        }
        out << lines.join(QLatin1Char('|'));
    }
    return out.join(QLatin1String(" // "));
}

CharWidths hundredEach()
{
    return CharWidths([](char32_t) { return 100.0; });
}

Layout tenCharsThreeLines()
{
    Layout l;
    l.printWidth = 1000;
    l.tabWidth = 300;
    l.linesPerPage = 3;
    l.breakTag = QStringLiteral("<pb>");
    return l;
}

} // namespace

class PaginationTest : public QObject {
    Q_OBJECT

private slots:
    void pageMetrics_data()
    {
        QTest::addColumn<QMargins>("margins");
        QTest::addColumn<double>("fontSpacing");
        QTest::addColumn<bool>("header");
        QTest::addColumn<bool>("footer");
        QTest::addColumn<QString>("expected");  // lines, footer y, print width, first line's top

        QTest::newRow("letter, 10 pt, no header or footer") << kDefaultMargins << 230.0 << false << false
                                                            << "57 13440 9720 0";
        QTest::newRow("header and footer") << kDefaultMargins << 230.0 << true << true << "49 13440 9720 480";
        QTest::newRow("header only") << kDefaultMargins << 230.0 << true << false << "55 13440 9720 480";
        QTest::newRow("footer only") << kDefaultMargins << 230.0 << false << true << "51 13440 9720 0";
        QTest::newRow("a font spaced wider counts its own lines") << kDefaultMargins << 300.0 << false << false
                                                                  << "46 13380 9720 0";
        QTest::newRow("margins leaving no room: still one line") << QMargins(1440, 7000, 1080, 8800) << 230.0
                                                                  << true << true << "1 -200 9720 480";
    }
    void pageMetrics()
    {
        QFETCH(QMargins, margins);
        QFETCH(double, fontSpacing);
        QFETCH(bool, header);
        QFETCH(bool, footer);
        QFETCH(QString, expected);
        const PageMetrics m = Page_Metrics(kLetter, margins, 10, fontSpacing, header, footer);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(m.linesPerPage).arg(m.footerY).arg(m.printWidth).arg(m.bodyTop),
                 expected);
    }

    void headFoot_data()
    {
        QTest::addColumn<QList<int>>("places");  // file name, path, page number, date
        QTest::addColumn<QString>("expected");   // places 1 to 4, "|" between

        QTest::newRow("nothing placed: no header, no footer") << QList<int>{0, 0, 0, 0} << "|||";
        QTest::newRow("page number at foot right") << QList<int>{0, 0, 4, 0} << "|||page 3 of 12 ";
        QTest::newRow("file name and path at head right, name first") << QList<int>{2, 2, 0, 0}
                                                                       << "|a.rtf /w/a.rtf ||";
        QTest::newRow("one item in each place") << QList<int>{1, 2, 3, 4}
                                                << "a.rtf |/w/a.rtf |page 3 of 12 |(rev. 3/14/24)";
        QTest::newRow("all four at foot left, in order") << QList<int>{3, 3, 3, 3}
                                                         << "||a.rtf /w/a.rtf page 3 of 12 (rev. 3/14/24)|";
        QTest::newRow("date at head left, page at head right") << QList<int>{0, 0, 2, 1}
                                                               << "(rev. 3/14/24)|page 3 of 12 ||";
        QTest::newRow("a code beyond 4 places nothing") << QList<int>{7, 0, 0, 0} << "|||";
    }
    void headFoot()
    {
        QFETCH(QList<int>, places);
        HeadFootItems items{QStringLiteral("a.rtf"), QStringLiteral("/w/a.rtf"), QStringLiteral("(rev. 3/14/24)"),
                            places[0], places[1], places[2], places[3]};
        const HeadFootText t = Build_Head_Foot(items, 3, 12);
        QFETCH(QString, expected);
        QCOMPARE(QStringList({t[1], t[2], t[3], t[4]}).join(QLatin1Char('|')), expected);
    }

    void revisionDate_data()
    {
        QTest::addColumn<QString>("modified");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date and time: the date") << "3/14/24 9:05 PM" << "(rev. 3/14/24)";
        QTest::newRow("date alone: no item") << "3/14/24" << "";
        QTest::newRow("blank first: no item") << " 3/14/24 9:05" << "";
        QTest::newRow("no date") << "" << "";
    }
    void revisionDate()
    {
        QFETCH(QString, modified);
        QFETCH(QString, expected);
        QCOMPARE(Rev_Date_Text(modified), expected);
    }

    void paginate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("short lines fill pages of three") << "a\nb\nc\nd" << "a|b|c // d";
        QTest::newRow("a long line breaks after its last blank") << "aaaa bbbb cccc" << "aaaa bbbb |cccc";
        QTest::newRow("a tag stays whole on the line it closes") << "<b>xxxxxxxxx" << "<b>|xxxxxxxxx";
        QTest::newRow("no blank: cut by the widened average") << "abcdefghijklmno" << "abcdefghi|jklmno";
        QTest::newRow("a blank that overruns ends the line") << "aaaaaaaaaa bb" << "aaaaaaaaaa |bb";
        QTest::newRow("a tab is measured as wide as it is drawn") << "a\tbbbbbbbb" << "a^T|bbbbbbbb";
        QTest::newRow("text after a tab still breaks") << "\taaaa bbbb cc" << "^Taaaa |bbbb cc";
        QTest::newRow("an indent narrows the line") << "{500}aaaa bbbb" << "{500}aaaa |{500}bbbb";
        QTest::newRow("indent wider than the line: a character a line") << "{1200}abcd"
                                                                         << "{1200}a|{1200}b|{1200}c // {1200}d";
        QTest::newRow("a page ends at a break as at a line end")
            << "aaaa bbbb cccc dddd eeee ffff gggg" << "aaaa bbbb |cccc dddd |eeee ffff  // gggg";
        QTest::newRow("page-break tag on a line of its own") << "a\n<pb>\nb" << "a // b";
        QTest::newRow("text on both sides of a tag is kept") << "a<pb>b\nc" << "a // b|c";
        QTest::newRow("a tag after a full page starts no empty one") << "a\nb\nc\n<pb>\nd" << "a|b|c // d";
        QTest::newRow("a tag at the end leaves no empty page") << "a\nb\n<pb>" << "a|b";
        QTest::newRow("two tags in a row: no empty page") << "a\n<pb>\n<pb>\nb" << "a // b";
        QTest::newRow("blank lines at the end make no page") << "a\nb\nc\n\n  \n" << "a|b|c";
        QTest::newRow("empty lines inside a page are kept") << "a\n\nb" << "a||b";
        QTest::newRow("nothing to print") << " \n\t" << "";
    }
    void paginate()
    {
        QFETCH(QString, text);
        const Source s = source(text);
        CharWidths widths = hundredEach();
        QFETCH(QString, expected);
        QCOMPARE(drawn(s, Paginate(s.text, s.indents, tenCharsThreeLines(), widths)), expected);
    }

    // Long files keep every page, and each character is measured once.
    void longFile()
    {
        QStringList lines;
        for (int i = 0; i < 3000; ++i)
            lines << QStringLiteral("line %1").arg(i);
        const QString text = lines.join(QLatin1Char('\n'));
        int measured = 0;
        CharWidths widths([&](char32_t) { ++measured; return 100.0; });
        const Pages pages = Paginate(text, {}, tenCharsThreeLines(), widths);
        QCOMPARE(pages.count(), 1000);
        QCOMPARE(text.mid(pages.pageStart(1000), pages.pageEnd(1000) - pages.pageStart(1000)),
                 QStringLiteral("line 2997\nline 2998\nline 2999"));
        QCOMPARE(measured, 15);  // "line " and the ten digits
        QCOMPARE(Paginate(text, {}, tenCharsThreeLines(), widths, [](int) { return false; }).count(), 0);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expected");
        QTest::newRow("0 copies: 1") << "0" << 1;
        QTest::newRow("empty: 1") << "" << 1;
        QTest::newRow("huge: 99") << "99999999999999" << 99;
        QTest::newRow("pasted letters: 1") << "3x" << 1;
        QTest::newRow("in range") << " 12 " << 12;
    }
    void numbers()
    {
        QFETCH(QString, typed);
        QFETCH(int, expected);
        QCOMPARE(Clamp_Number(typed, 1, 99), expected);
    }

    void previewScale_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<double>("expected");
        QTest::newRow("the sheet fits: full size") << QSize(13000, 16000) << 1.0;
        QTest::newRow("too low: fitted to the height") << QSize(13000, 7920) << 0.5;
        QTest::newRow("too narrow: fitted to the width") << QSize(6120, 16000) << 0.5;
        QTest::newRow("narrow and very low: fitted both ways") << QSize(6120, 3960) << 0.25;
        QTest::newRow("no room: never below 0.05") << QSize(-500, 10) << 0.05;
    }
    void previewScale()
    {
        QFETCH(QSize, area);
        QFETCH(double, expected);
        QCOMPARE(Preview_Scale(area, kLetter), expected);
    }

    void pageSetup_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");  // twips, then the box text for them
        QTest::newRow("inches, one inch") << 1 << "1" << "1440 1\"";
        QTest::newRow("inches, a fraction typed") << 1 << "2.25" << "3240 2 1/4\"";
        QTest::newRow("centimetres, 2.5 cm") << 2 << "2.5 cm" << "1417 2.5 cm";
        QTest::newRow("nothing typed: no margin") << 1 << "" << "0 ";
    }
    void pageSetup()
    {
        QFETCH(int, units);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        const int twips = page_setup::Margin_Twips(typed, units);
        QCOMPARE(QStringLiteral("%1 %2").arg(twips).arg(page_setup::Margin_Text(twips, units)), expected);
    }

    void marginLimits_data()
    {
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("opposite");
        QTest::addColumn<int>("expected");
        QTest::newRow("within the paper: kept") << 1440 << 1080 << 1440;
        QTest::newRow("negative: none") << -300 << 1080 << 0;
        QTest::newRow("opposite margin takes it all: none") << 500 << 12000 << 0;
    }
    void marginLimits()
    {
        QFETCH(int, margin);
        QFETCH(int, opposite);
        QFETCH(int, expected);
        QCOMPARE(page_setup::Limit_Margin(margin, kLetter.width(), opposite), expected);
    }

    void pagePicture()
    {
        QCOMPARE(page_setup::Sheet_Picture(kLetter), QRect(120, 120, 1224, 1584));
        // 1", 3/4", 3/4", 3/4" on letter paper.
        QCOMPARE(page_setup::Text_Area_Picture(kLetter, 1, 0.75, 0.75, 0.75, 1), QRect(264, 228, 972, 1368));
    }
};

TESK_TEST(PaginationTest)
#include "pagination_test.moc"
