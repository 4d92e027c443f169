// Files of every encoding a desk holds: Unicode text saved by Windows editors
// reads by its byte-order mark, older single-byte text keeps its characters,
// and pictures or programs are told apart from text so that nobody opens
// them as a page.

#include "tesk_test.h"
#include "logic_support.h"

#include "platform/file_system.h"
#include "platform/rtf_reader.h"
#include "platform/text_encoding.h"

#include <iterator>

using namespace tesk::test;

namespace {

QByteArray bytes(const char* s, qsizetype n) { return QByteArray(s, n); }
#define BYTES(s) bytes(s, sizeof(s) - 1)
// A UTF-16 literal, NULs included.
#define TEXT(s) QString::fromUtf16(s, qsizetype(std::size(s) - 1))

} // namespace

class TextEncodingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The file's bytes, the text they are, and whether they are text at all.
    void readsEveryKindOfFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isText");
        const QString page = TEXT(u"<p>caf\u00e9 \U0001F600</p>\r\n");
        QTest::newRow("UTF-16 LE with BOM")
            << BYTES("\xFF\xFE<\0p\0>\0c\0a\0f\0\xE9\0 \0\x3D\xD8\x00\xDE<\0/\0p\0>\0\r\0\n\0") << page << true;
        QTest::newRow("UTF-16 BE with BOM")
            << BYTES("\xFE\xFF\0<\0p\0>\0c\0a\0f\0\xE9\0 \xD8\x3D\xDE\x00\0<\0/\0p\0>\0\r\0\n") << page << true;
        QTest::newRow("UTF-32 LE with BOM")
            << BYTES("\xFF\xFE\0\0<\0\0\0\xE9\0\0\0\x00\xF6\x01\0>\0\0\0") << TEXT(u"<\u00e9\U0001F600>") << true;
        QTest::newRow("UTF-32 BE with BOM")
            << BYTES("\0\0\xFE\xFF\0\0\0<\0\0\0\xE9\0\x01\xF6\x00\0\0\0>") << TEXT(u"<\u00e9\U0001F600>") << true;
        QTest::newRow("UTF-8 with BOM") << BYTES("\xEF\xBB\xBF<p>caf\xC3\xA9</p>") << TEXT(u"<p>caf\u00e9</p>") << true;
        QTest::newRow("UTF-8 without BOM") << BYTES("<p>caf\xC3\xA9 \xF0\x9F\x98\x80</p>\r\n") << page << true;
        QTest::newRow("Windows-1252") << BYTES("<p>caf\xE9 \x80 \x93q\x94</p>")
                                      << TEXT(u"<p>caf\u00e9 \u20ac \u201cq\u201d</p>") << true;
        QTest::newRow("empty file") << QByteArray() << QString() << true;
        QTest::newRow("a BOM and nothing else") << BYTES("\xFF\xFE") << QString() << true;
        QTest::newRow("tab, form feed, escape, a DOS end mark last") << BYTES("a\tb\fc\x1B[0m\r\n\x1A")
                                                                       << TEXT(u"a\tb\fc\x1B[0m\r\n\x1A") << true;
        QTest::newRow("UTF-16 cut short: the odd byte is no character")
            << BYTES("\xFF\xFEo\0k\0!") << TEXT(u"ok\uFFFD") << true;
        QTest::newRow("UTF-16 lone surrogates") << BYTES("\xFF\xFE\x00\xDCx\0\x3D\xD8") << TEXT(u"\uFFFDx\uFFFD") << true;
        QTest::newRow("UTF-32 beyond U+10FFFF and a surrogate")
            << BYTES("\0\0\xFE\xFF\0\x11\0\0\0\0\xD8\0\0\0\0A") << TEXT(u"\uFFFD\uFFFDA") << true;
        QTest::newRow("binary with NULs") << BYTES("ab\0\0\x01\x02" "cd") << TEXT(u"ab\0\0\x01\x02" "cd") << false;
        QTest::newRow("a PNG header") << BYTES("\x89PNG\r\n\x1A\n\0\0\0\rIHDR")
                                      << TEXT(u"\u2030PNG\r\n\x1A\n\0\0\0\rIHDR") << false;
        QTest::newRow("a PNG signature alone: the end mark is not last")
            << BYTES("\x89PNG\r\n\x1A\n") << TEXT(u"\u2030PNG\r\n\x1A\n") << false;
        QTest::newRow("UTF-16 holding a NUL character") << BYTES("\xFF\xFEo\0\0\0k\0") << TEXT(u"o\0k") << false;
        QTest::newRow("UTF-16 without a BOM: its NULs") << BYTES("o\0k\0") << TEXT(u"o\0k\0") << false;
        QTest::newRow("one stray control character") << BYTES("<p>\x01</p>") << TEXT(u"<p>\x01</p>") << false;
    }
    void readsEveryKindOfFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(bool, isText);
        QCOMPARE(textenc::decode(file), text);
        QCOMPARE(textenc::isText(textenc::decode(file)), isText);
        // Read as the editor opens a source: refused, or the text shown.
        rtf::Content c;
        c.text = QStringLiteral("untouched");
        QCOMPARE(rtf::readSource(file, c), isText);
        QCOMPARE(c.text, isText ? rtf::editorText(text) : QStringLiteral("untouched"));
        // Every reader of text files reads the same characters.
        TempSite site;
        const QString path = site.path("file.txt");
        QVERIFY(writeFile(path, file));
        QString read;
        QCOMPARE(fs::readText(path, read), fs::Result::Ok);
        QCOMPARE(read, text);
    }
};
TESK_TEST(TextEncodingTest)

#include "text_encoding_test.moc"
