// The editor window's documents: the empty start, new pages from their
// templates, every way to open and to save, with what ends up on disk.

#include "tesk_test.h"
#include "source_window_support.h"

#include "source/new_page.h"
#include "source/tag_bars.h"
#include "source/text_commands.h"

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTextDocument>
#include <QToolButton>

using namespace tesk::test;

class SourceDocumentsTest : public QObject {
    Q_OBJECT

private:
    TempSite* site_ = nullptr;
    frm_Source* w_ = nullptr;
    ScriptedDialogs* d_ = nullptr;

    QString wp(const QString& name) const { return workingPages(*site_) + name; }
    QByteArray page(const QString& name) const { return readFile(finalPages(*site_) + name); }
    // A source made by the editor control, opened from the Open Plus list.
    void open(const QString& name, const QString& text)
    {
        QVERIFY(writeSource(wp(name + ".rtf"), text));
        d_->onModal(answer(name));
        w_->Open_Plus_File();
        QCOMPARE(w_->rtf_Source->Text(), text);
    }
    const dialogs::Message& lastMessage() const { return d_->messages().last(); }
    // The six document commands of the main menu are all in this state.
    static bool documentCommands(bool enabled)
    {
        frm_Start* m = forms::Start();
        for (QAction* a : {m->mnu_Source_Save, m->mnu_Source_Save_As, m->mnu_Source_New,
                           m->mnu_Source_Keys->menuAction(), m->mnu_Source_Print, m->mnu_Source_Preview})
            if (a->isEnabled() != enabled)
                return false;
        return true;
    }

private Q_SLOTS:
    void init()
    {
        resetProgram();
        site_ = new TempSite;
        w_ = startEditor(*site_);
        d_ = new ScriptedDialogs;
    }
    void cleanup()
    {
        QVERIFY(d_->allUsed());
        delete d_;
        resetProgram();
        delete site_;
    }

    void startsEmptySayingSelectAFile()
    {
        resetProgram();
        Main(site_->programFolder());
        w_ = forms::Source();
        QCOMPARE(w_->windowTitle(), QStringLiteral("Source File"));
        QCOMPARE(w_->rtf_Source->Text(), QStringLiteral("Select a File"));
        const QFont f = w_->rtf_Source->textCursor().charFormat().font();
        QCOMPARE(f.family(), QStringLiteral("Arial"));
        QCOMPARE(f.pointSize(), 10);
        QVERIFY(!w_->rtf_Source->isEnabled());
        QVERIFY(documentCommands(false));
    }

    void newPageFromTheBuiltInText()
    {
        // Naming cancelled: the editor stays empty, nothing is written.
        d_->onModal(answer(QString()));
        w_->Start_New_Page();
        QCOMPARE(w_->rtf_Source->Text(), QString());
        QVERIFY(documentCommands(false));
        QCOMPARE(QDir(workingPages(*site_)).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(finalPages(*site_)).entryList(QDir::Files), QStringList());
        QString proposed = QStringLiteral("?");
        d_->onModal(answer("home", nullptr, &proposed));
        QTest::keyClick(w_, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(proposed, QString());
        const QString text = newpage::Built_In_Page_Text();
        QCOMPARE(w_->rtf_Source->Text(), text);
        QCOMPARE(page("home.html"), text.toUtf8());
        QVERIFY(QFile::exists(wp("home.rtf")));
        QVERIFY(documentCommands(true));
        // A new page starts its own undo history.
        QVERIFY(!w_->rtf_Source->document()->isUndoAvailable());
    }

    void templatesInOrderAndSaveForNewPages()
    {
        // The program's template, colours included.
        QVERIFY(writeSource(site_->programFolder() + "New Page.rtf", "<p>shipped</p>\r\n"));
        d_->onModal(answer("one"));
        w_->Start_New_Page();
        QCOMPARE(w_->rtf_Source->Text(), QStringLiteral("<p>shipped</p>\r\n"));
        QCOMPARE(readSource(wp("one.rtf")).colorAt(0), Palette_Color(9));

        // Save for New Pages: No writes nothing; Yes stores the text, colours
        // included, and leaves the document as it was.
        d_->expectMessage("Use this File to Start New Pages?", dialogs::Answer::No);
        w_->Save_New();
        QVERIFY(!QFile::exists(wp("New Page")));
        QCOMPARE(lastMessage().title, QStringLiteral("New Page Template"));
        QCOMPARE(lastMessage().icon, dialogs::Icon::Question);
        w_->rtf_Source->setText("<p>mine</p>");
        w_->rtf_Source->setSelStart(0);
        w_->rtf_Source->setSelLength(3);
        w_->rtf_Source->setSelColor(Palette_Color(12));
        d_->answerNextMessage(dialogs::Answer::Yes);
        w_->Save_New();
        QVERIFY(QFile::exists(wp("New Page")));
        QCOMPARE(page("one.html"), QByteArray("<p>shipped</p>\r\n"));
        QCOMPARE(state().Source_Title, QStringLiteral("one.rtf"));

        // The working folder's template comes first and is never listed.
        d_->answerNextMessage(dialogs::Answer::No);  // the changes of "one"
        QStringList listed;
        d_->onModal(answer("two", &listed));
        w_->Start_New_Page();
        QCOMPARE(listed, QStringList{"one"});
        QCOMPARE(w_->rtf_Source->Text(), QStringLiteral("<p>mine</p>"));
        QCOMPARE(readSource(wp("two.rtf")).colorAt(0), Palette_Color(12));

        w_->Clear_Source();
        w_->Save_New();  // nothing to store: no question
    }

    void openPlusAndSaveAsRewriteBothFiles()
    {
        const QString text = QStringLiteral("<h1>Caf\u00e9</h1>\r\n\t<p>x</p>\r\n");
        QVERIFY(writeSource(wp("index.rtf"), text));
        d_->onModal(answer("index"));
        QTest::keyClick(w_, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(w_->rtf_Source->Text(), text);
        QCOMPARE(page("index.html"), text.toUtf8());
        const rtf::Content back = readSource(wp("index.rtf"));
        QCOMPARE(rtf::crlfText(back), text);
        QCOMPARE(back.colorAt(0), Palette_Color(9));
        QCOMPARE(back.indents.front(), 720);
        QCOMPARE(w_->lbl_Source_File->text(), QStringLiteral("index"));
        QVERIFY(!state().Source_Changed);
        QVERIFY(!w_->rtf_Source->document()->isUndoAvailable());

        // Cancelling the list changes nothing.
        d_->onModal(answer(QString()));
        w_->Open_Plus_File();
        QCOMPARE(state().Source_Title, QStringLiteral("index.rtf"));
        QCOMPARE(w_->rtf_Source->Text(), text);

        // Save As under another name, the name offered being the document's.
        QString proposed;
        d_->onModal(answer("news.php", nullptr, &proposed));
        QTest::keyClick(w_->rtf_Source, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(proposed, QStringLiteral("index"));
        QCOMPARE(page("news.php"), text.toUtf8());
        QCOMPARE(rtf::crlfText(readSource(wp("news.php.rtf"))), text);
        QCOMPARE(w_->lbl_Source_File->text(), QStringLiteral("news.php"));
        // Cancelling a named document's Save As keeps it.
        d_->onModal(answer(QString()));
        w_->Save_As();
        QVERIFY(w_->rtf_Source->isEnabled());
        QCOMPARE(state().Source_Title, QStringLiteral("news.php.rtf"));
    }

    void openFileImportsFromAnotherFolder()
    {
        const QString other = site_->path("elsewhere/");
        QVERIFY(QDir().mkpath(other));
        QVERIFY(writeFile(other + "about.htm", "<p>about</p>\n"));
        d_->onFile([&](const dialogs::FileRequest&) { return dialogs::FileResult{other + "about.htm", other}; });
        QTest::keyClick(w_, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        const dialogs::FileRequest r = d_->fileRequests().first();
        QCOMPARE(r.title, QStringLiteral("Open Source File"));
        QCOMPARE(r.folder, workingPages(*site_));
        QCOMPARE(r.filterIndex, 1);
        QVERIFY(r.filter.startsWith("Source Files (*.rtf)|*.rtf|"));
        QVERIFY(r.mustExist);
        QCOMPARE(page("about.htm"), QByteArray("<p>about</p>\r\n"));
        QCOMPARE(rtf::crlfText(readSource(wp("about.htm.rtf"))), QStringLiteral("<p>about</p>\r\n"));
        QCOMPARE(readFile(other + "about.htm"), QByteArray("<p>about</p>\n"));
        QCOMPARE(state().Source_Folder, other);

        // The next Open dialog starts there; no file chosen: nothing happens.
        d_->onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        w_->Open_File();
        QCOMPARE(d_->fileRequests().last().folder, other);
        QCOMPARE(state().Source_Title, QStringLiteral("about.htm.rtf"));
    }

    void openFromElsewhereAsksBeforeReplacingASource()
    {
        QVERIFY(writeSource(wp("index.rtf"), "<p>site</p>\r\n"));
        const QByteArray before = readFile(wp("index.rtf"));
        open("keep", "<p>keep</p>\r\n");
        QVERIFY(writeFile(site_->path("index.rtf"), "{\\rtf1 other}"));
        auto pick = [&](const dialogs::FileRequest&) { return dialogs::FileResult{site_->path("index.rtf"), {}}; };
        d_->onFile(pick).expectMessage("Replace Existing File?", dialogs::Answer::No);
        w_->Open_File();
        QCOMPARE(lastMessage().title, QStringLiteral("File Exists"));
        QCOMPARE(readFile(wp("index.rtf")), before);
        QCOMPARE(w_->rtf_Source->Text(), QStringLiteral("<p>keep</p>\r\n"));
        QCOMPARE(state().Source_Title, QStringLiteral("keep.rtf"));

        d_->onFile(pick).answerNextMessage(dialogs::Answer::Yes);
        w_->Open_File();
        QCOMPARE(w_->rtf_Source->Text(), QStringLiteral("other"));
        QCOMPARE(page("index.html"), QByteArray("other"));
    }

    void aSourceThatCannotBeLoadedChangesNothing()
    {
        open("keep", "<p>keep</p>\r\n");
        w_->rtf_Source->setSelText("edited ");
        d_->onFile([&](const dialogs::FileRequest&) { return dialogs::FileResult{site_->path("gone.rtf"), {}}; });
        d_->answerNextMessage(dialogs::Answer::No);  // save the changes first? no
        d_->answerNextMessage(dialogs::Answer::Ok);
        w_->Open_File();
        QVERIFY(lastMessage().text.contains(site_->path("gone.rtf")));
        QCOMPARE(lastMessage().title, QStringLiteral("TWE - File Not Opened"));
        QCOMPARE(w_->rtf_Source->Text(), QStringLiteral("edited <p>keep</p>\r\n"));
        QCOMPARE(state().Source_Path, wp("keep.rtf"));
        QVERIFY(!QFile::exists(wp("gone.rtf")));
    }

    void referenceSourcesAreCopiedNeverWritten()
    {
        const QString ref = site_->programFolder() + "References/";
        QVERIFY(writeSource(ref + "table.rtf", "<table></table>\r\n"));
        QVERIFY(writeSource(ref + "form.rtf", "<form></form>\r\n"));
        const QByteArray original = readFile(ref + "table.rtf");
        d_->onModal(answer("table"));
        forms::Start()->mnu_Source_Open_Ref->trigger();
        QCOMPARE(readFile(ref + "table.rtf"), original);
        QCOMPARE(page("table.html"), QByteArray("<table></table>\r\n"));
        QCOMPARE(state().Source_Path, wp("table.rtf"));
        QCOMPARE(state().Source_Folder, ref);
        // Opening it again would replace the working copy, which asks first.
        d_->onModal(answer("table")).expectMessage("Replace Existing File?", dialogs::Answer::No);
        w_->Open_Reference_File();
        QCOMPARE(state().Source_Path, wp("table.rtf"));
    }

    void readOnlySourceProtectsItsPage()
    {
        open("index", "<p>old</p>\r\n");
        const QByteArray html = page("index.html");
        const QByteArray source = readFile(wp("index.rtf"));
        setReadOnly(wp("index.rtf"), true);
        w_->rtf_Source->setSelText("new ");
        state().Status_Path_Panel.clear();
        d_->expectMessage("This is a Read Only File\r\nand cannot be changed");
        QTest::keyClick(w_->rtf_Source, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(lastMessage().title, QStringLiteral("TWE - Protected Page"));
        QCOMPARE(lastMessage().icon, dialogs::Icon::Critical);
        QCOMPARE(page("index.html"), html);
        QCOMPARE(readFile(wp("index.rtf")), source);
        QCOMPARE(state().Status_Path_Panel.text(), wp("index.rtf"));
        QVERIFY(!state().Source_Changed);
        setReadOnly(wp("index.rtf"), false);
    }

    void saveFailuresNameTheFile_data()
    {
        QTest::addColumn<bool>("sourceFolder");
        QTest::newRow("source folder gone: the changes stay unsaved") << true;
        QTest::newRow("page folder gone: the source is saved") << false;
    }
    void saveFailuresNameTheFile()
    {
        QFETCH(bool, sourceFolder);
        open("index", "<p>old</p>\r\n");
        w_->rtf_Source->setSelText("new ");
        const QString folder = sourceFolder ? workingPages(*site_) : finalPages(*site_);
        QVERIFY(QDir(folder).removeRecursively());
        d_->answerNextMessage(dialogs::Answer::Ok);
        w_->Save_Source();
        QVERIFY(lastMessage().text.contains(folder + (sourceFolder ? "index.rtf" : "index.html")));
        QCOMPARE(lastMessage().title, QStringLiteral("TWE - File Not Saved"));
        QCOMPARE(state().Source_Changed, sourceFolder);
        // So leaving the document asks again.
        if (sourceFolder) {
            d_->answerNextMessage(dialogs::Answer::No);
            w_->closeRequested();
            QCOMPARE(d_->messages().size(), 2);
        }
    }

    void leavingAChangedDocumentAsks_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("yes");
        QTest::newRow("opening another, Yes saves") << 0 << true;
        QTest::newRow("opening another, No loses the changes") << 0 << false;
        QTest::newRow("File > Exit, Yes saves") << 1 << true;
        QTest::newRow("close button, Yes saves") << 2 << true;
    }
    void leavingAChangedDocumentAsks()
    {
        QFETCH(int, how);
        QFETCH(bool, yes);
        QVERIFY(writeSource(wp("other.rtf"), "<p>other</p>\r\n"));
        open("index", "<p>old</p>\r\n");
        QTest::keyClicks(w_->rtf_Source, "Hi ");
        QVERIFY(state().Source_Changed);
        d_->expectMessage("Save Changes to index.rtf?", yes ? dialogs::Answer::Yes : dialogs::Answer::No);
        if (how == 0) {
            d_->onModal(answer("other"));
            w_->Open_Plus_File();
            QCOMPARE(w_->rtf_Source->Text(), QStringLiteral("<p>other</p>\r\n"));
        } else if (how == 1) {
            forms::Start()->mnu_File_Exit->trigger();
        } else {
            QTest::mouseClick(w_->cmd_Close, Qt::LeftButton);
            QVERIFY(!w_->frameVisible());
        }
        QCOMPARE(lastMessage().title, QStringLiteral("Source File Change"));
        QCOMPARE(lastMessage().icon, dialogs::Icon::Exclamation);
        QCOMPARE(page("index.html"), yes ? QByteArray("Hi <p>old</p>\r\n") : QByteArray("<p>old</p>\r\n"));
    }

    void unnamedPageIsOfferedAsNewFile()
    {
        d_->onModal(answer("home"));
        w_->Start_New_Page();
        QTest::keyClicks(w_->rtf_Source, "x");
        // As it is after a cancelled name for a page the user asked to save.
        state().Source_Title.clear();
        state().Source_Path.clear();
        QString proposed;
        d_->expectMessage("Save Changes to New File?", dialogs::Answer::Yes).onModal(answer("", nullptr, &proposed));
        w_->closeRequested();
        QCOMPARE(proposed, QStringLiteral("New File"));
        // A text that has a title is kept when its naming is cancelled.
        QVERIFY(w_->rtf_Source->TextLength() > 0);
    }

    void aNewSiteBringsItsOwnListsAndTargets()
    {
        QVERIFY(writeFile(wp("Target.lst"), "old_frame\r\n"));
        w_->Working_Folder_Files();
        QCOMPARE(w_->tagBars->cbo_Target[2]->findText("old_frame"), 5);
        TempSite other;
        QVERIFY(writeFile(workingPages(other) + "Target.lst", "new_frame\r\n"));
        QVERIFY(writeSource(workingPages(other) + "home.rtf", "<p>home</p>\r\n"));
        other.apply();
        w_->Working_Folder_Files();
        for (int i : {2, 4}) {
            QCOMPARE(w_->tagBars->cbo_Target[i]->findText("old_frame"), -1);
            QCOMPARE(w_->tagBars->cbo_Target[i]->findText("new_frame"), 5);
        }
        QCOMPARE(w_->tagBars->cbo_Tag[4]->findText("home"), 1);
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
        const rtf::Content c = readSource(shipped);
        QCOMPARE(c, box.content());
        QCOMPARE(rtf::crlfText(c), newpage::Shipped_Page_Text());
        QCOMPARE(c.colorAt(0), Palette_Color(2));  // the doctype, a declaration
        QVERIFY(rtf::crlfText(c).contains("<meta charset=\"UTF-8\">"));
    }
};
TESK_TEST(SourceDocumentsTest)

#include "source_window_documents_test.moc"
