// The editor window's documents: the empty start, new pages from their
// templates, every way to open and to save, with what ends up on disk.

#include "tesk_test.h"
#include "source_window_support.h"

#include "platform/file_system.h"
#include "source/new_page.h"
#include "source/tag_bars.h"
#include "source/text_commands.h"

#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QTextDocument>
#include <QToolButton>

#include <csignal>

using namespace tesk::test;

namespace {

// 1 when the editor, a control and a menu command that need a document are
// enabled, 0 when all are disabled.
QString documentCommands(const frm_Source* w)
{
    const bool on = w->rtf_Source->isEnabled();
    return on == w->cmd_Html->isEnabled() && on == forms::Start()->mnu_Source_Save->isEnabled()
        ? QString::number(on)
        : QStringLiteral("?");
}

} // namespace

class SourceDocumentsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SourceWindow> f_;
    qsizetype asked_ = 0;  // messages before the row's own steps
    QString wrongTitle_;   // a title that disagreed with the document

    QString show(const QString& text) const
    {
        return text == newpage::Built_In_Page_Text() ? QStringLiteral("(new page)") : f_->shorten(text);
    }
    // The document as facts: the editor's text, the names, Source_Folder,
    // whether it is open, changed and can be undone, the path panel, whether
    // the window shows, the messages (without their reasons) and dialogs of
    // the row; then every file of the throw-away root, a source as its text
    // with the palette number of its first character and its first indent.
    Facts facts()
    {
        const SharedState& s = state();
        QStringList asked;
        for (qsizetype i = asked_; i < f_->dialogs.messages().size(); ++i)
            asked << f_->shorten(f_->dialogs.messages()[i].text.section("\r\n(", 0, 0));
        // The window's title names the document and marks unsaved changes.
        const QString caption = f_->w->frame()->windowTitle(), label = f_->w->lbl_Source_File->text();
        if (caption.endsWith(" *") != s.Source_Changed || !caption.contains(label))
            wrongTitle_ = caption;
        Facts f = {{"text", show(f_->box->Text())}, {"label", label},
                   {"title", s.Source_Title}, {"folder", f_->shorten(s.Source_Folder)},
                   {"open", documentCommands(f_->w)}, {"changed", QString::number(s.Source_Changed)},
                   {"undo", QString::number(f_->box->document()->isUndoAvailable())},
                   {"panel", f_->shorten(s.Status_Path_Panel.text())},
                   {"shown", QString::number(f_->w->frameVisible())},
                   {"asked", asked.join(" | ")}, {"offered", f_->offered.join(" | ")}};
        QStringList files;
        for (QDirIterator it(f_->site.path(""), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            if (const QString path = it.next(); !path.endsWith(".ini"))
                files << path;
        files.sort();
        for (const QString& path : files) {
            const QByteArray bytes = readFile(path);
            QString value = show(QString::fromUtf8(bytes));
            if (bytes.startsWith("{\\rtf")) {
                const rtf::Content c = readSource(path);
                value = QStringLiteral("%1 {%2,%3}").arg(show(rtf::crlfText(c)))
                            .arg(Palette_Index(c.colorAt(0)))
                            .arg(c.indents.empty() ? 0 : c.indents.front());
            }
            f.push_back({"disk:" + f_->shorten(path), value});
        }
        return f;
    }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        wrongTitle_.clear();
        f_ = std::make_unique<SourceWindow>();
    }
    void cleanup()
    {
        QVERIFY(f_->dialogs.allUsed());
        QCOMPARE(wrongTitle_, QString());
        f_.reset();
    }

    void startsWithTheDocumentCommandsOff() { QCOMPARE(documentCommands(f_->w), QStringLiteral("0")); }

    // What a row's steps change, after what it is given (see
    // SourceWindow::act); "WP/" and "FP/" are the site's page folders, "P/"
    // the program folder, "~/" the throw-away root, "¶" a CR LF.
    void documents_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& given, const QString& steps, const QString& expected) {
            QTest::newRow(name) << given << steps << expected;
        };
        const QString edited = "write WP/index.rtf=<p>site</p>\r\n; write ~/index.rtf=other; "
                               "open keep=<p>keep</p>\r\n; type edited ";
        const QString references = "write P/References/table.rtf=<table></table>\r\n; "
                                   "write P/References/form.rtf=<form></form>\r\n";
        const QString changed = "write WP/other.rtf=<p>other</p>\r\n; open index=<p>old</p>\r\n; type Hi ";
        const QString saved = "asked=Save Changes to index.rtf? disk:FP/index.html=Hi <p>old</p>\u00b6 "
                              "disk:WP/index.rtf=Hi <p>old</p>\u00b6 {0,720}";

        row("a new page not named: still empty, nothing written", "", "cancel; mnu_Source_NewPage",
            "offered=Source_Save_As '' []");
        row("the program's template, colours included", "write P/New Page.rtf=<p>shipped</p>\r\n",
            "choose one; Ctrl+N on frm_Source",
            "text=<p>shipped</p>\u00b6 label=one title=one.rtf open=1 panel=WP/one.rtf offered=Source_Save_As '' [] "
            "disk:FP/one.html=<p>shipped</p>\u00b6 disk:WP/one.rtf=<p>shipped</p>\u00b6 {9,720}");
        row("Save for New Pages, No: nothing stored", "open one=<p>one</p>\r\n", "answer No; mnu_Source_New",
            "asked=Use this File to Start New Pages?");
        row("Save for New Pages, Yes: the text and its colours", "open one=<p>one</p>\r\n", "answer Yes; mnu_Source_New",
            "asked=Use this File to Start New Pages? disk:WP/New Page=<p>one</p>\u00b6 {9,720}");
        row("no document: the commands do nothing, ask nothing", "",
            "mnu_Source_Color; mnu_Source_Paste; Ctrl+S on frm_Source; Ctrl+Shift+S on frm_Source; Ctrl+] on frm_Source", "");
        row("Open Plus: the source rewritten, its page written",
            "write WP/index.rtf=<h1>Caf\u00e9</h1>\r\n\t<p>x</p>\r\n; write FP/index.html=old",
            "choose index; Ctrl+O on frm_Source",
            "text=<h1>Caf\u00e9</h1>\u00b6\t<p>x</p>\u00b6 label=index title=index.rtf open=1 panel=WP/index.rtf "
            "offered=Source_Open '' [index] disk:FP/index.html=<h1>Caf\u00e9</h1>\u00b6\t<p>x</p>\u00b6");
        row("Open Plus cancelled: nothing", "open index=<p>x</p>\r\n", "cancel; mnu_Source_Open_Plus",
            "offered=Source_Open 'index' [index]");
        row("Save As: both files under the new name, the old one offered", "open index=<h1>x</h1>\r\n",
            "choose news.php; Ctrl+Shift+S",
            "label=news.php title=news.php.rtf panel=WP/news.php.rtf offered=Source_Save_As 'index' [index] "
            "disk:FP/news.php=<h1>x</h1>\u00b6 disk:WP/news.php.rtf=<h1>x</h1>\u00b6 {9,720}");
        row("Open File: imported from elsewhere, the original untouched", "write ~/elsewhere/about.htm=<p>about</p>\n",
            "pick ~/elsewhere/about.htm; Ctrl+Shift+O on frm_Source",
            "text=<p>about</p>\u00b6 label=about.htm title=about.htm.rtf folder=~/elsewhere/ open=1 "
            "panel=WP/about.htm.rtf offered=file in WP/ disk:FP/about.htm=<p>about</p>\u00b6 "
            "disk:WP/about.htm.rtf=<p>about</p>\u00b6 {0,0}");
        row("Open File again: starts there; no file chosen: nothing",
            "write ~/elsewhere/about.htm=<p>about</p>\n; pick ~/elsewhere/about.htm; mnu_Source_Open", "pick; mnu_Source_Open",
            "offered=file in ~/elsewhere/");
        row("Open File of a source's name, No: nothing replaced, the text kept unnamed", edited,
            "answer No; pick ~/index.rtf; answer No; mnu_Source_Open",
            "text=other label= title= folder=~/ undo=0 panel= asked=Save Changes to keep.rtf? | "
            "Replace existing index.rtf? offered=file in WP/");
        row("Open File of another source's page, No: nothing replaced",
            "write WP/index.rtf=<p>site</p>\r\n; write FP/index.html=site; write ~/index.html=<p>mine</p>",
            "pick ~/index.html; answer No; Ctrl+Shift+O on frm_Source",
            "text=<p>mine</p> folder=~/ open=1 changed=1 asked=Replace existing index.html? offered=file in WP/");
        row("a file that cannot be loaded: said, nothing changes", edited,
            "answer No; pick ~/gone.rtf; answer Ok; mnu_Source_Open",
            "folder=~/ asked=Save Changes to keep.rtf? | The file could not be opened:\u00b6~/gone.rtf "
            "offered=file in WP/");
        row("a reference copied, never written", references, "choose table; mnu_Source_Open_Ref",
            "text=<table></table>\u00b6 label=table title=table.rtf folder=P/References/ open=1 panel=WP/table.rtf "
            "offered=Ref_Open '' [form,table] disk:FP/table.html=<table></table>\u00b6 "
            "disk:WP/table.rtf=<table></table>\u00b6 {9,720}");
        row("a reference again: asks before replacing its copy", references + "; choose table; mnu_Source_Open_Ref",
            "choose table; answer No; mnu_Source_Open_Ref",
            "label= title= changed=1 panel= asked=Replace existing table.rtf? offered=Ref_Open 'table' [form,table]");
        row("a read-only source: said, its page protected, the changes kept for the question",
            "open index=<p>old</p>\r\n; type new ; readonly WP/index.rtf; clear panel",
            "answer Ok; Ctrl+S; answer No; cmd_Close",
            "panel=WP/index.rtf shown=0 asked=This is a Read Only File\u00b6and cannot be changed | "
            "Save Changes to index.rtf?");
        row("a read-only source opened: said, nothing to ask on leaving",
            "open index=<p>old</p>\r\n; readonly WP/index.rtf", "answer Ok; choose index; mnu_Source_Open_Plus; cmd_Close",
            "shown=0 asked=This is a Read Only File\u00b6and cannot be changed "
            "offered=Source_Open 'index' [index]");
        row("a read-only Working-Pages folder: the folder named, the changes kept",
            "open index=<p>old</p>\r\n; type new ; readonly WP/; clear panel", "answer Ok; Ctrl+S",
            "panel=WP/index.rtf asked=~/site/Working-Pages\u00b6is a Read Only Folder\u00b6"
            "and the page cannot be saved in it");
        row("a read-only Working-Pages folder on Save As: the folder named, nothing written",
            "open index=<h1>x</h1>\r\n; readonly WP/", "choose news; answer Ok; Ctrl+Shift+S",
            "label=news title=news.rtf changed=1 panel=WP/news.rtf asked=~/site/Working-Pages\u00b6"
            "is a Read Only Folder\u00b6and the page cannot be saved in it offered=Source_Save_As 'index' [index]");
        row("a read-only source in a read-only folder: the file's own message",
            "open index=<p>old</p>\r\n; type new ; readonly WP/index.rtf; readonly WP/; clear panel",
            "answer Ok; Ctrl+S", "panel=WP/index.rtf asked=This is a Read Only File\u00b6and cannot be changed");
        row("a read-only page: said, kept, the source saved",
            "open index=<p>old</p>\r\n; type new ; readonly FP/index.html; clear panel", "answer Ok; Ctrl+S",
            "changed=0 panel=WP/index.rtf asked=The page file could not be saved:\u00b6FP/index.html "
            "disk:WP/index.rtf=new <p>old</p>\u00b6 {0,720}");
        row("a full disk: the old source kept, said, the changes stay marked",
            "open index=<p>old</p>\r\n; type new ; clear panel; full disk /Working-Pages/", "answer Ok; Ctrl+S",
            "panel=WP/index.rtf asked=The source file could not be saved:\u00b6WP/index.rtf");
        row("a full disk for the page: the old page kept, said, the changes stay marked",
            "write FP/index.html=<p>page</p>; open index=<p>old</p>\r\n; type new ; clear panel; full disk .html",
            "answer Ok; Ctrl+S", "panel=WP/index.rtf asked=The page file could not be saved:\u00b6FP/index.html "
            "disk:WP/index.rtf=new <p>old</p>\u00b6 {0,720}");
        row("a full disk on Save As: nothing written, the changes stay marked",
            "open index=<h1>x</h1>\r\n; full disk /Working-Pages/news", "choose news.php; answer Ok; Ctrl+Shift+S",
            "label=news.php title=news.php.rtf changed=1 panel=WP/news.php.rtf "
            "asked=The source file could not be saved:\u00b6WP/news.php.rtf offered=Source_Save_As 'index' [index]");
        row("a full disk for the template: the old one kept, said",
            "write WP/New Page=<p>mine</p>\r\n; open one=<p>one</p>\r\n; full disk New Page",
            "answer Yes; answer Ok; mnu_Source_New", "asked=Use this File to Start New Pages? | "
            "The new page template could not be saved:\u00b6WP/New Page");
        row("opening another asks first; Yes saves", changed, "answer Yes; choose other; mnu_Source_Open_Plus",
            "text=<p>other</p>\u00b6 label=other title=other.rtf changed=0 undo=0 panel=WP/other.rtf "
            "asked=Save Changes to index.rtf? offered=Source_Open 'index' [index,other] "
            "disk:FP/index.html=Hi <p>old</p>\u00b6 disk:FP/other.html=<p>other</p>\u00b6 "
            "disk:WP/index.rtf=Hi <p>old</p>\u00b6 {0,720}");
        row("opening another asks first; No loses the changes", changed, "answer No; choose other; mnu_Source_Open_Plus",
            "text=<p>other</p>\u00b6 label=other title=other.rtf changed=0 undo=0 panel=WP/other.rtf "
            "asked=Save Changes to index.rtf? offered=Source_Open 'index' [index,other] "
            "disk:FP/other.html=<p>other</p>\u00b6");
        row("File > Exit asks; Yes saves", changed, "answer Yes; mnu_File_Exit", "changed=0 panel= shown=0 " + saved);
        row("the close button asks; Yes saves", changed, "answer Yes; cmd_Close",
            "changed=0 shown=0 " + saved);
    }
    void documents()
    {
        QFETCH(QString, given);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        f_->run(given);
        f_->offered.clear();
        asked_ = f_->dialogs.messages().size();
        const Facts before = facts();
        f_->run(steps);
        QCOMPARE(changes(before, facts(), expected), expected);
    }

    // Leaving the program asks about unsaved changes before anything is
    // written, with Cancel, which keeps the program running and the changes
    // in the editor; Enter saves.
    void leavingTheProgramAsksFirst_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("changed");  // the document has unsaved changes
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("onDisk");  // the source's text afterwards
        QTest::newRow("File > Exit, Cancel: still running, not saved")
            << "mnu_File_Exit" << "Cancel" << true << false << "<p>old</p>\r\n";
        QTest::newRow("the close button, Cancel: still running, not saved")
            << "close" << "Cancel" << true << false << "<p>old</p>\r\n";
        QTest::newRow("File > Exit, Yes: saved, ended") << "mnu_File_Exit" << "Yes" << true << true << "Hi <p>old</p>\r\n";
        QTest::newRow("the close button, No: ended, not saved") << "close" << "No" << true << true << "<p>old</p>\r\n";
        QTest::newRow("nothing changed: nothing asked") << "close" << "" << false << true << "<p>old</p>\r\n";
    }
    void leavingTheProgramAsksFirst()
    {
        QFETCH(QString, route);
        QFETCH(QString, answer);
        QFETCH(bool, changed);
        QFETCH(bool, ends);
        QFETCH(QString, onDisk);
        bool ended = false;
        setProgramExit([&ended] { ended = true; });
        f_->open("index", "<p>old</p>\r\n");
        if (changed)
            QTest::keyClicks(f_->box, "Hi ");
        const QString ini = f_->site.programFolder() + "Tesk Web Editor.ini";
        QFile::remove(ini);
        const qsizetype asked = f_->dialogs.messages().size();
        if (!answer.isEmpty())
            f_->run("answer " + answer);
        frm_Start* start = forms::Start();
        if (route == "close")
            start->close();
        else
            start->findChild<QAction*>(route)->trigger();
        setProgramExit([] {});
        QCOMPARE(ended, ends);
        QCOMPARE(fs::fileExists(ini), ends);
        QCOMPARE(start->isVisible(), !ends);
        QCOMPARE(rtf::crlfText(readSource(f_->wp("index.rtf"))), onDisk);
        QCOMPARE(f_->dialogs.messages().size() - asked, qsizetype(changed ? 1 : 0));
        if (changed) {
            const dialogs::Message& m = f_->dialogs.messages().last();
            QCOMPARE(m.buttons, dialogs::Buttons::YesNoCancel);
            QCOMPARE(m.defaultButton.value_or(dialogs::Answer::Yes), dialogs::Answer::Yes);
        }
        if (!ends) {
            // Nothing was lost: the changes are still there to save.
            QVERIFY(state().Source_Changed);
            QCOMPARE(f_->box->Text(), QStringLiteral("Hi <p>old</p>\r\n"));
            QVERIFY(f_->w->frameVisible());
        }
    }

    // A logout or shutdown ends the program as File > Exit does, asking
    // nothing: the settings stored, the edits kept beside their source, which
    // stays as it was. The next start offers them back.
    void endedFromOutsideKeepsTheEdits_data()
    {
        QTest::addColumn<int>("sig");
        QTest::addColumn<QString>("answer");
        QTest::newRow("SIGTERM, then Yes: back, not saved yet") << int(SIGTERM) << "Yes";
        QTest::newRow("SIGHUP, then No: thrown away") << int(SIGHUP) << "No";
        QTest::newRow("SIGTERM, then Cancel: kept for later") << int(SIGTERM) << "Cancel";
    }
    void endedFromOutsideKeepsTheEdits()
    {
        QFETCH(int, sig);
        QFETCH(QString, answer);
        bool ended = false;
        setProgramExit([&ended] { ended = true; });
        f_->open("index", "<p>old</p>\r\n");
        QTest::keyClicks(f_->box, "new ");
        const QByteArray source = readFile(f_->wp("index.rtf"));
        const QString kept = f_->wp("index.rtf.recovered");
        ::raise(sig);
        QTRY_VERIFY(ended);
        setProgramExit([] {});
        QCOMPARE(readFile(f_->wp("index.rtf")), source);
        QCOMPARE(rtf::crlfText(readSource(kept)), QStringLiteral("new <p>old</p>\r\n"));
        QVERIFY(fs::fileExists(f_->site.programFolder() + "Tesk Web Editor.ini"));

        resetProgram();
        f_->dialogs.answerNextMessage(answer == "Yes" ? dialogs::Answer::Yes
                                      : answer == "No" ? dialogs::Answer::No : dialogs::Answer::Cancel);
        Main(f_->site.programFolder());
        QCOMPARE(forms::Source()->rtf_Source->Text(), answer == "Yes" ? "new <p>old</p>\r\n" : "Select a File");
        QCOMPARE(state().Source_Changed, answer == "Yes");
        QCOMPARE(fs::fileExists(kept), answer == "Cancel");
        QCOMPARE(readFile(f_->wp("index.rtf")), source);
    }

    // A new site: its own lists and targets; the previous site's document
    // is forgotten (the path panel, the folder the Open dialog starts in).
    void aNewSiteBringsItsOwnListsAndTargets()
    {
        QVERIFY(writeFile(f_->wp("Target.lst"), "old_frame\r\n"));
        f_->w->Working_Folder_Files();
        f_->run("open index=<p>x</p>\r\n; pick; mnu_Source_Open");
        TagBars* tags = f_->w->tagBars;
        TempSite other;
        QVERIFY(writeFile(other.workingFolder() + "Working-Pages/Target.lst", "new_frame\r\n"));
        QVERIFY(writeSource(other.workingFolder() + "Working-Pages/home.rtf", "<p>home</p>\r\n"));
        other.apply();
        f_->w->Working_Folder_Files();
        QCOMPARE(tags->cbo_Target[4]->findText("new_frame"), 5);
        QCOMPARE(tags->cbo_Target[2]->findText("old_frame"), -1);
        QCOMPARE(tags->cbo_Tag[4]->findText("home"), 1);
        QCOMPARE(state().Status_Path_Panel.text() + state().Source_Path + state().HTML_Path + state().Source_Folder, "");
    }

    void shippedTemplateIsTheProgramsOwnColouring()
    {
        // The file beside the program is what the editor makes of the modern
        // page: set TESK_WRITE_NEW_PAGE=1 to write it again.
        RichTextBox box;
        box.setText(newpage::Shipped_Page_Text());
        Color_Code_Source(box);
        const QString shipped = QStringLiteral(TESK_SOURCE_DIR "/resources/New Page.rtf");
        if (qEnvironmentVariableIsSet("TESK_WRITE_NEW_PAGE"))
            QVERIFY(box.SaveFile(shipped, 0));
        QCOMPARE(readSource(shipped), box.content());
    }
};
TESK_TEST(SourceDocumentsTest)

#include "source_window_documents_test.moc"
