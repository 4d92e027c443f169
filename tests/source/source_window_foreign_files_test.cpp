// Files the editor did not write, opened in the source window: Unicode text
// from Windows editors, old single-byte text, pictures and programs that
// carry an RTF name. Opening shows the text or refuses the file, and the
// bytes that were on disk always survive.

#include "tesk_test.h"
#include "source_window_support.h"

#include "platform/file_system.h"

#include <QDirIterator>
#include <QTextDocument>

#include <iterator>

using namespace tesk::test;

namespace {

#define BYTES(s) QByteArray(s, qsizetype(sizeof(s) - 1))
#define TEXT(s) QString::fromUtf16(s, qsizetype(std::size(s) - 1))

const QString kRefused = QStringLiteral("(refused)");

// Every file of the site's two page folders, by name below the site.
QStringList siteFiles(const SourceWindow& f)
{
    QStringList out;
    const QString root = f.site.workingFolder();
    for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        if (const QString path = it.next(); !path.endsWith(".lst"))
            out << path.mid(root.size());
    out.sort();
    return out;
}

} // namespace

class SourceForeignFilesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceWindow> f_;

private Q_SLOTS:
    void init()
    {
        resetProgram();
        f_ = std::make_unique<SourceWindow>();
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        f_.reset();
    }

    // Working-Pages/notes.rtf holds these bytes and is opened from the Open
    // Plus list: the text shown (or the file refused), and whether its
    // original has to be kept beside it because opening rewrites it as RTF.
    void openingKeepsTheOriginalBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("kept");
        const QString page = TEXT(u"<p>caf\u00e9 \u20ac</p>\r\n");
        QTest::newRow("UTF-16 LE with BOM")
            << BYTES("\xFF\xFE<\0p\0>\0c\0a\0f\0\xE9\0 \0\xAC\x20<\0/\0p\0>\0\r\0\n\0") << page << true;
        QTest::newRow("UTF-16 BE with BOM")
            << BYTES("\xFE\xFF\0<\0p\0>\0c\0a\0f\0\xE9\0 \x20\xAC\0<\0/\0p\0>\0\r\0\n") << page << true;
        QTest::newRow("UTF-32 LE with BOM") << BYTES("\xFF\xFE\0\0\xE9\0\0\0\xAC\x20\0\0") << TEXT(u"\u00e9\u20ac")
                                            << true;
        QTest::newRow("UTF-32 BE with BOM") << BYTES("\0\0\xFE\xFF\0\0\0\xE9\0\0\x20\xAC") << TEXT(u"\u00e9\u20ac")
                                            << true;
        QTest::newRow("UTF-8 with BOM") << BYTES("\xEF\xBB\xBF<p>caf\xC3\xA9 \xE2\x82\xAC</p>\r\n") << page << true;
        QTest::newRow("UTF-8 without BOM, LF") << BYTES("<p>caf\xC3\xA9 \xE2\x82\xAC</p>\n") << page << true;
        QTest::newRow("Windows-1252") << BYTES("<p>caf\xE9 \x80</p>\r\n") << page << true;
        QTest::newRow("binary with NULs") << BYTES("\x7F" "ELF\x02\x01\x01\0\0\0\0") << kRefused << false;
        QTest::newRow("a PNG header") << BYTES("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10") << kRefused << false;
        QTest::newRow("UTF-16 without a BOM") << BYTES("<\0p\0>\0") << kRefused << false;
        QTest::newRow("an empty file: nothing to keep") << QByteArray() << QString() << false;
    }
    void openingKeepsTheOriginalBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(bool, kept);
        const QString source = f_->wp("notes.rtf"), original = f_->wp("notes.rtf.orig");
        QVERIFY(writeFile(source, bytes));
        const QStringList before = siteFiles(*f_);
        const QString empty = f_->box->Text();
        if (shown == kRefused || kept)
            f_->dialogs.answerNextMessage(dialogs::Answer::Ok);
        f_->choose("notes");
        f_->w->Open_Plus_File();
        const QList<dialogs::Message> asked = f_->dialogs.messages();

        if (shown == kRefused) {
            // Said, naming the file; nothing shown, nothing written.
            QCOMPARE(asked.size(), 1);
            QVERIFY2(asked[0].text.startsWith(source + " is not a text file"), qPrintable(asked[0].text));
            QCOMPARE(f_->box->Text(), empty);
            QCOMPARE(state().Source_Path, QString());
            QCOMPARE(readFile(source), bytes);
            QCOMPARE(siteFiles(*f_), before);
            return;
        }
        QCOMPARE(f_->box->Text(), shown);
        QCOMPARE(state().Source_Changed, false);
        QVERIFY(readFile(source).startsWith("{\\rtf"));
        QCOMPARE(readFile(f_->site.workingFolder() + "Final-Pages/notes.html"), shown.toUtf8());
        if (!kept) {
            QCOMPARE(asked.size(), 0);
            QVERIFY(!fs::exists(original));
            return;
        }
        QCOMPARE(readFile(original), bytes);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].text.contains(source) && asked[0].text.contains("notes.rtf.orig"), qPrintable(asked[0].text));
        QCOMPARE(asked[0].icon, dialogs::Icon::Information);

        // Now an RTF source: opened again, nothing more is kept or said.
        f_->choose("notes");
        f_->w->Open_Plus_File();
        QCOMPARE(f_->dialogs.messages().size(), 1);
        QCOMPARE(f_->box->Text(), shown);
        QVERIFY(!fs::exists(f_->wp("notes.rtf.1.orig")));
        QCOMPARE(readFile(original), bytes);
    }
};
TESK_TEST(SourceForeignFilesTest)

#include "source_window_foreign_files_test.moc"
