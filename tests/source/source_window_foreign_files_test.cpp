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

    // The other ways a file is opened: what is said, and which files of the
    // site hold which bytes afterwards. "WP/" and "FP/" are the page
    // folders, "~/" the throw-away root, "P/" the program folder.
    void everyWayOfOpeningKeepsTheBytes_data()
    {
        QTest::addColumn<QString>("given");     // file=bytes (Latin-1 escapes in C), or "readonly f", "full disk x"
        QTest::addColumn<QString>("steps");     // pick f (Open File), plus name, ref name
        QTest::addColumn<QString>("asked");     // the start of each message, " | " between
        // file=what it holds afterwards, "; " between: "orig" the bytes first
        // given, "rtf", "utf8" the text the editor shows, "same" as given,
        // "none"; "changed": the text shown, marked changed.
        QTest::addColumn<QString>("expected");
        QTest::newRow("Open File of a UTF-16 source in Working-Pages")
            << "WP/notes.rtf=utf16" << "pick WP/notes.rtf" << "WP/notes.rtf was not in the editor's own form"
            << "WP/notes.rtf=rtf; WP/notes.rtf.orig=orig";
        QTest::newRow("Open File of a page in Final-Pages, Windows-1252")
            << "FP/about.htm=cp1252" << "pick FP/about.htm" << "FP/about.htm was not in the editor's own form"
            << "FP/about.htm=utf8; FP/about.htm.orig=orig; WP/about.htm.rtf=rtf";
        QTest::newRow("Open File of a plain file in Working-Pages: a source beside it")
            << "WP/about.htm=utf16" << "pick WP/about.htm" << ""
            << "WP/about.htm=same; WP/about.htm.rtf=rtf";
        QTest::newRow("Open File of a picture elsewhere: refused")
            << "~/shot.png=png" << "pick ~/shot.png" << "~/shot.png is not a text file"
            << "~/shot.png=same; WP/shot.png.rtf=none";
        QTest::newRow("an earlier original is never written over")
            << "WP/notes.rtf=utf16; WP/notes.rtf.orig=cp1252" << "plus notes"
            << "WP/notes.rtf was not in the editor's own form"
            << "WP/notes.rtf=rtf; WP/notes.rtf.orig=cp1252; WP/notes.rtf.1.orig=orig";
        QTest::newRow("a reference in UTF-16: copied, never written")
            << "P/References/table.rtf=utf16" << "ref table" << ""
            << "P/References/table.rtf=same; P/References/table.rtf.orig=none; WP/table.rtf=rtf";
        QTest::newRow("a read-only source: nothing written, no copy left")
            << "WP/notes.rtf=utf16; readonly WP/notes.rtf" << "plus notes" << "This is a Read Only File"
            << "WP/notes.rtf=same; WP/notes.rtf.orig=none";
        QTest::newRow("no room for the original: the file left alone, the text marked changed")
            << "WP/notes.rtf=utf16; full disk .orig" << "plus notes"
            << "WP/notes.rtf is not in the editor's own form, and a copy of its original could not be kept"
            << "WP/notes.rtf=same; WP/notes.rtf.orig=none; FP/notes.html=none; changed";
        QTest::newRow("a picture as the new-page template: refused, left as it is")
            << "WP/New Page=png" << "new page" << "WP/New Page is not a text file"
            << "WP/New Page=same";
    }
    void everyWayOfOpeningKeepsTheBytes()
    {
        QFETCH(QString, given);
        QFETCH(QString, steps);
        QFETCH(QString, asked);
        QFETCH(QString, expected);
        const QHash<QString, QByteArray> kinds{
            {"utf16", BYTES("\xFF\xFE<\0p\0>\0\xE9\0")},
            {"cp1252", BYTES("<p>\xE9</p>\r\n")},
            {"png", BYTES("\x89PNG\r\n\x1A\n\0\0\0\rIHDR")},
        };
        const QHash<QString, QString> texts{{"utf16", TEXT(u"<p>\u00e9")}, {"cp1252", TEXT(u"<p>\u00e9</p>\r\n")}};
        QString kind;
        for (const QString& g : given.split("; ")) {
            if (g.startsWith("readonly ")) {
                setReadOnly(f_->expand(g.section(' ', 1)), true);
            } else if (g.startsWith("full disk ")) {
                fullDisk(g.section(' ', 2));
            } else {
                const QString path = f_->expand(g.section('=', 0, 0));
                QVERIFY(QDir().mkpath(QFileInfo(path).path()));
                QVERIFY(writeFile(path, kinds.value(g.section('=', 1))));
                if (kind.isEmpty())
                    kind = g.section('=', 1);
            }
        }
        const QByteArray bytes = kinds.value(kind);
        const qsizetype messages = asked.isEmpty() ? 0 : asked.count(" | ") + 1;
        for (qsizetype i = 0; i < messages; ++i)
            f_->dialogs.answerNextMessage(dialogs::Answer::Ok);
        const QString how = steps.section(' ', 0, 0), arg = steps.section(' ', 1);
        if (how == "pick") {
            f_->run("pick " + arg);
            f_->w->Open_File();
        } else if (how == "plus") {
            f_->choose(arg);
            f_->w->Open_Plus_File();
        } else if (how == "ref") {
            f_->dialogs.onModal([&](QDialog& d) {
                auto* list = d.findChild<QListWidget*>();
                list->setCurrentItem(list->findItems(arg, Qt::MatchExactly).value(0));
                d.findChild<QPushButton*>("cmd_Open")->click();
                return d.result();
            });
            f_->w->Open_Reference_File();
        } else {
            f_->choose(QString());  // the name of the new page: cancelled
            f_->w->Start_New_Page();
        }
        fullDisk({});

        QStringList said;
        for (const dialogs::Message& m : f_->dialogs.messages())
            said << f_->shorten(m.text);
        for (qsizetype i = 0; i < messages; ++i) {
            const QString start = asked.section(" | ", int(i), int(i));
            QVERIFY2(i < said.size() && said[i].startsWith(start), qPrintable(said.join(" | ")));
        }
        QCOMPARE(said.size(), messages);

        for (const QString& fact : expected.split("; ")) {
            if (fact == "changed") {
                QVERIFY(state().Source_Changed);
                QVERIFY(f_->w->frame()->windowTitle().endsWith(" *"));
                QCOMPARE(f_->box->Text(), texts.value(kind));
                continue;
            }
            const QString path = f_->expand(fact.section('=', 0, 0)), holds = fact.section('=', 1);
            const QByteArray now = readFile(path);
            if (holds == "none")
                QVERIFY2(!fs::exists(path), qPrintable(fact));
            else if (holds == "rtf")
                QVERIFY2(now.startsWith("{\\rtf"), qPrintable(fact));
            else if (holds == "utf8")
                QCOMPARE(now, texts.value(kind).toUtf8());
            else if (holds == "orig")
                QCOMPARE(now, bytes);
            else
                QCOMPARE(now, kinds.value(holds == "same" ? kind : holds));
        }
    }
};
TESK_TEST(SourceForeignFilesTest)

#include "source_window_foreign_files_test.moc"
