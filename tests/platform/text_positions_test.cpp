// The editor's CR LF text and its QTextDocument, without a widget. The CR
// LF text as a QString is the reference: a break counts two there and one in
// the document, and a position between CR and LF lies before the break.

#include "tesk_test.h"

#include "platform/text_positions.h"

#include <QRandomGenerator>
#include <QTextDocument>

namespace {

// The document position of every position of a CR LF text, counted along.
std::vector<int> documentPositions(const QString& t)
{
    std::vector<int> d;
    for (int p = 0, chars = 0; p <= t.size(); ++p) {
        d.push_back(p > 0 && t[p - 1] == u'\r' ? chars - 1 : chars);
        chars += p < t.size() && t[p] != u'\n';
    }
    return d;
}

bool betweenCrLf(const QString& t, int p) { return p > 0 && t[p - 1] == u'\r'; }

} // namespace

class TextPositionsTest : public QObject {
    Q_OBJECT
private slots:
    // Every position both ways, and every piece (out of range too) read from
    // the document, the line remembered or not.
    void everyPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("only breaks") << "\r\n\r\n";
        QTest::newRow("breaks") << "ab\r\n\r\ncd\r\n";
        QTest::newRow("leading break") << "\r\nz";
        QTest::newRow("mixed") << QString::fromUtf16(u"\t\u00e9\r\nx\U0001F600\r\n\r\n_");
    }
    void everyPosition()
    {
        QFETCH(QString, text);
        QTextDocument doc;
        doc.setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        const int n = int(text.size());
        QCOMPARE(textpos::length(doc), n);
        QCOMPARE(textpos::text(doc), text);
        const std::vector<int> d = documentPositions(text);
        textpos::Locator located;
        for (int p = -1; p <= n + 1; ++p) {
            const int at = std::clamp(p, 0, n);
            const textpos::Place place = located.locate(doc, p);
            QCOMPARE(place.doc(), d[at]);
            QCOMPARE(place.betweenCrLf(), betweenCrLf(text, at));
            QCOMPARE(textpos::fromDocument(doc, d[at]), at - betweenCrLf(text, at));
            for (int len = -1; len <= n + 2; ++len) {
                const int end = std::clamp(p + std::max(len, 0), 0, n);
                QCOMPARE(textpos::slice(doc, p, len, located), text.mid(at, std::max(end - at, 0)));
            }
        }
        QCOMPARE(textpos::fromDocument(doc, -1), 0);
        QCOMPARE(textpos::fromDocument(doc, n + 5), n);
    }

    // Thousands of lines of every length (runs of empty ones too): jumps
    // anywhere, and runs of nearby positions after each, map right.
    void manyLines()
    {
        QRandomGenerator rng(31337);
        QString text;
        for (int line = 0; line < 4000; ++line) {
            if (line)
                text += QLatin1String("\r\n");
            const int kind = rng.bounded(10);
            const int len = kind < 3 ? 0 : kind < 9 ? rng.bounded(60) : 200 + rng.bounded(400);
            for (int i = 0; i < len; ++i)
                text += QChar(char16_t(u'a' + text.size() % 26));
        }
        QTextDocument doc;
        doc.setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        const std::vector<int> d = documentPositions(text);
        const int n = int(text.size());
        textpos::Locator located;
        for (int k = 0, p = 0; k < 20000; ++k) {
            p = k % 4 == 0 ? rng.bounded(n + 1) : std::min(p + int(rng.bounded(40)), n);
            if (located.locate(doc, p).doc() != d[p] || textpos::fromDocument(doc, d[p]) != p - betweenCrLf(text, p)
                || textpos::slice(doc, p, 3, located) != text.mid(p, 3))
                QFAIL(qPrintable(QStringLiteral("position %1").arg(p)));
        }
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("found");
        QTest::newRow("whole word") << "bone one" << "one" << 0 << -1 << 2 << 5;
        QTest::newRow("whole word underscore") << "x_one one" << "one" << 0 << -1 << 2 << 6;
        QTest::newRow("must end before end") << "abcabc" << "abc" << 1 << 5 << 0 << -1;
        QTest::newRow("ending exactly at end") << "abcabc" << "abc" << 1 << 6 << 0 << 3;
        QTest::newRow("start at the match") << "abc" << "abc" << 0 << -1 << 0 << 0;
        QTest::newRow("start past the match") << "abc" << "abc" << 1 << -1 << 0 << -1;
        QTest::newRow("LF alone") << "a\r\nb" << "\nb" << 0 << -1 << 0 << 2;
        QTest::newRow("empty text never found") << "abc" << "" << 0 << -1 << 0 << -1;
        QTest::newRow("start beyond the text") << "abc" << "c" << 9 << -1 << 0 << -1;
        QTest::newRow("end beyond the text") << "abc" << "c" << 0 << 99 << 0 << 2;
        QTest::newRow("[caf]é is no whole word") << "un café" << "caf" << 0 << -1 << 2 << -1;
        QTest::newRow("[café] whole word") << "un café." << "café" << 0 << -1 << 2 << 3;
        QTest::newRow("[cafe]+combining acute is no whole word") << "cafe\u0301" << "cafe" << 0 << -1 << 2 << -1;
        QTest::newRow("letter beyond the first plane joins the word")
            << "\U00010400one one" << "one" << 0 << -1 << 2 << 6;
        QTest::newRow("ignore case: CAFÉ") << "CAFÉ" << "café" << 0 << -1 << 0 << 0;
        QTest::newRow("match case: CAFÉ skipped") << "CAFÉ café" << "café" << 0 << -1 << 4 << 5;
        QTest::newRow("ignore case: final sigma") << "ΟΔΟΣ" << "οδος" << 0 << -1 << 0 << 0;
        QTest::newRow("ignore case: Kelvin sign") << "1 \u212A" << "k" << 0 << -1 << 0 << 2;
        QTest::newRow("ignore case beyond the first plane") << "x\U00010400" << "X\U00010428" << 0 << -1 << 0 << 0;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, what);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, options);
        QTEST(textpos::find(text, what, start, end, options), "found");
    }
};
TESK_TEST(TextPositionsTest)

#include "text_positions_test.moc"
