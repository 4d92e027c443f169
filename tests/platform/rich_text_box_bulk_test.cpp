// Colouring a whole page at once, as Color Code does, against colouring it
// one run at a time through the selection (what the control did before it
// colours in bulk); and the long lines that keep their shaped glyphs.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/palette.h"
#include "text/color_coding.h"

#include "../../bench/html_sample.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace tesk::test;

namespace {

// The page as the editor holds it: CR LF breaks whatever the file has.
QString readPage(const QString& path)
{
    return QString::fromUtf8(readFile(path))
        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// The page in a colour no slot has, its second line indented and a stretch
// of it bold, so that what must stay shows.
void prepare(RichTextBox& box, const QString& text)
{
    box.setText(text);
    box.setSelStart(0);
    box.setSelLength(box.TextLength());
    box.setSelColor(Palette_Color(13));
    box.setSelStart(int(text.indexOf(QLatin1Char('\n'))) + 1);
    box.setSelIndent(720);
    box.setSelStart(5);
    box.setSelLength(40);
    box.setSelBold(true);
    box.setSelStart(0);
    box.document()->clearUndoRedoStacks();
}

std::vector<RichTextBox::ColorRun> colourRuns(const QString& text)
{
    const quint32 colours[4] = {Palette_Color(0), Palette_Color(9), Palette_Color(2), Palette_Color(12)};
    std::vector<RichTextBox::ColorRun> out;
    for (const colorcode::SlotRun& r : colorcode::Color_Code_Runs(text, 0, 0))
        out.push_back({r.start, r.length, colours[r.slot]});
    return out;
}

// The colour of every character but the line breaks: those of before, with
// the runs laid over them one after the other, character by character.
QList<quint32> runByRun(const rtf::Content& before, const QString& crlfText,
                        const std::vector<RichTextBox::ColorRun>& runs)
{
    std::vector<quint32> colour(size_t(crlfText.size()), 0);
    for (int i = 0, c = 0; i < crlfText.size(); ++i)
        if (crlfText[i] != u'\r')
            colour[size_t(i)] = before.colorAt(c++);
    for (const RichTextBox::ColorRun& r : runs)
        std::fill(colour.begin() + r.start, colour.begin() + r.start + r.length, r.color);
    QList<quint32> out;
    for (int i = 0; i < crlfText.size(); ++i)
        if (crlfText[i] != u'\r' && crlfText[i] != u'\n')
            out << colour[size_t(i)];
    return out;
}

QList<quint32> coloursOf(const rtf::Content& c)
{
    QList<quint32> out;
    for (int i = 0; i < c.text.size(); ++i)
        if (c.text[i] != u'\n')
            out << c.colorAt(i);
    return out;
}

// Bold or not, character by character (line breaks left out).
QString boldness(const QTextDocument& doc)
{
    QString s;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            s += QString(it.fragment().length(),
                         it.fragment().charFormat().fontWeight() == QFont::Bold ? QLatin1Char('b') : QLatin1Char('.'));
    return s;
}

} // namespace

class RichTextBoxBulkColourTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Real and generated pages, coloured in pieces of several sizes: the
    // same colours, indents and bold text as run after run through the
    // selection, in one undo step that takes every colour back.
    void sameAsRunByRun_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("piece");
        QTest::addColumn<bool>("throughSelection");  // else worked out character by character
        const char* const pages[] = {"resources/Samples/index.html", "resources/Samples/layout.html",
                                     "resources/Samples/links.html", "resources/Samples/table.html",
                                     "tests/text/data/club_page.html", "tests/text/data/order_form.php"};
        for (const char* page : pages) {
            const QString text = readPage(QStringLiteral(TESK_SOURCE_DIR "/") + QLatin1String(page));
            QTest::addRow("%s, one piece", page) << text << richdoc::kColorPiece << true;
            QTest::addRow("%s, pieces of 7", page) << text << 7 << true;
        }
        // More runs than a piece: laid out afresh once coloured (too many
        // to colour through the selection in a test's time).
        QTest::newRow("generated 300 KB") << tesk::sample::Sample_Html(300000) << 1000 << false;
    }
    void sameAsRunByRun()
    {
        QFETCH(QString, text);
        QFETCH(int, piece);
        QFETCH(bool, throughSelection);
        const std::vector<RichTextBox::ColorRun> runs = colourRuns(text);
        RichTextBox bulk;
        prepare(bulk, text);
        const rtf::Content before = bulk.content();
        const QString boldBefore = boldness(*bulk.document());
        int steps = 0;
        QVERIFY(richdoc::applyColorRuns(*bulk.document(), runs, [&](int) { return ++steps > 0; }, piece));

        if (throughSelection) {
            RichTextBox byRun;
            prepare(byRun, text);
            for (const RichTextBox::ColorRun& r : runs) {
                byRun.setSelStart(r.start);
                byRun.setSelLength(r.length);
                byRun.setSelColor(r.color);
            }
            QCOMPARE(bulk.content(), byRun.content());
        } else {
            QVERIFY(runs.size() > size_t(richdoc::kColorPiece));
            QCOMPARE(coloursOf(bulk.content()), runByRun(before, text, runs));
            QCOMPARE(bulk.content().indents, before.indents);
        }
        QCOMPARE(boldness(*bulk.document()), boldBefore);
        QVERIFY(bulk.document()->isLayoutEnabled());
        if (piece == 7)
            QVERIFY(steps > 0);
        bulk.document()->undo();
        QCOMPARE(bulk.content(), before);
        QVERIFY(!bulk.document()->isUndoAvailable());
    }

    // Lines longer than the limit keep their shaped glyphs, whether they
    // come with the page or are typed or pasted later; shorter ones do not.
    void longLinesStayShaped_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<bool>("kept");
        QTest::newRow("at the limit") << richdoc::kLongLine - 1 << false << false;
        QTest::newRow("longer, with the page") << richdoc::kLongLine + 1 << false << true;
        QTest::newRow("longer, pasted") << richdoc::kLongLine + 1 << true << true;
    }
    void longLinesStayShaped()
    {
        QFETCH(int, length);
        QFETCH(bool, pasted);
        QFETCH(bool, kept);
        const QString line = QStringLiteral("<b>x</b> ").repeated(length / 9 + 1).left(length);
        RichTextBox box;
        if (pasted) {
            box.setText(QStringLiteral("a\r\n\r\nb\r\n") + QString(length, QLatin1Char(' ')));
            box.setSelStart(3);
            box.setSelText(line);
        } else {
            box.setText(QStringLiteral("a\r\n") + line + QStringLiteral("\r\nb"));
        }
        const QTextBlock second = box.document()->begin().next();
        QCOMPARE(second.length() - 1, length);
        QCOMPARE(second.layout()->cacheEnabled(), kept);
        QVERIFY(!box.document()->begin().layout()->cacheEnabled());
    }
};
TESK_TEST(RichTextBoxBulkColourTest)

#include "rich_text_box_bulk_test.moc"
