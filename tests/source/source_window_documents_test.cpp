// The editor window's documents: the empty start, new pages from their
// templates, every way to open and to save, with what ends up on disk.

#include "tesk_test.h"
#include "source_window_support.h"

#include "source/new_page.h"
#include "text/text_commands.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>

using namespace tesk::test;

namespace {

QByteArray utf8(const QString& s) { return s.toUtf8(); }

// The six document commands of the main menu.
QList<QAction*> documentCommands()
{
    frm_Start* m = forms::Start();
    return {m->mnu_Source_Save, m->mnu_Source_Save_As, m->mnu_Source_New, m->mnu_Source_Keys->menuAction(),
            m->mnu_Source_Print, m->mnu_Source_Preview};
}

bool allEnabled(bool enabled)
{
    for (QAction* a : documentCommands())
        if (a->isEnabled() != enabled)
            return false;
    return true;
}

} // namespace

class SourceDocumentsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { resetProgram(); }
    void cleanup() { resetProgram(); }

    void startsEmptySayingSelectAFile()
    {
        TempSite site;
        Main(site.programFolder());
        frm_Source* w = forms::Source();
        QCOMPARE(w->windowTitle(), QStringLiteral("Source File"));
        QCOMPARE(w->rtf_Source->Text(), QStringLiteral("Select a File"));
        const QFont f = w->rtf_Source->textCursor().charFormat().font();
        QCOMPARE(f.family(), QStringLiteral("Arial"));
        QCOMPARE(f.pointSize(), 10);
        QVERIFY(!w->rtf_Source->isEnabled());
        QVERIFY(allEnabled(false));
        QVERIFY(!state().Source_Changed);
    }

    void newPageFromTheBuiltInText()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        ScriptedDialogs d;
        QString proposed = QStringLiteral("?");
        d.onModal(nameSource(QStringLiteral("home"), &proposed));
        QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(d.allUsed());
        QCOMPARE(proposed, QString());

        const QString text = newpage::Built_In_Page_Text();
        QCOMPARE(w->rtf_Source->Text(), text);
        QCOMPARE(readFile(finalPages(site) + "home.html"), utf8(text));
        QCOMPARE(rtf::crlfText(readSource(workingPages(site) + "home.rtf")), text);
        QCOMPARE(w->lbl_Source_File->text(), QStringLiteral("home"));
        QCOMPARE(state().Source_Path, workingPages(site) + "home.rtf");
        QCOMPARE(state().Status_Path_Panel.text(), state().Source_Path);
        QVERIFY(w->rtf_Source->isEnabled());
        QVERIFY(allEnabled(true));
        QVERIFY(!state().Source_Changed);
        // A new page starts its own undo history.
        QVERIFY(!w->rtf_Source->document()->isUndoAvailable());
    }

    void cancelledNewPageLeavesTheEditorEmpty()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        ScriptedDialogs d;
        d.onModal(nameSource(QString()));
        w->Start_New_Page();
        QVERIFY(d.allUsed());
        QCOMPARE(w->rtf_Source->Text(), QString());
        QVERIFY(!w->rtf_Source->isEnabled());
        QVERIFY(allEnabled(false));
        QCOMPARE(QDir(workingPages(site)).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(finalPages(site)).entryList(QDir::Files), QStringList());
    }

    void templatesInOrderAndSaveForNewPages()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        ScriptedDialogs d;
        // The program's template, colours included.
        QVERIFY(writeSource(site.programFolder() + "New Page.rtf", "<p>shipped</p>\r\n"));
        d.onModal(nameSource("one"));
        w->Start_New_Page();
        QCOMPARE(w->rtf_Source->Text(), QStringLiteral("<p>shipped</p>\r\n"));
        QCOMPARE(readSource(workingPages(site) + "one.rtf").colorAt(0), Palette_Color(9));

        // Save for New Pages: an empty editor asks nothing; No writes nothing.
        const QString own = workingPages(site) + "New Page";
        d.expectMessage("Use this File to Start New Pages?", dialogs::Answer::No);
        w->Save_New();
        QVERIFY(!QFile::exists(own));
        QCOMPARE(d.messages().last().title, QStringLiteral("New Page Template"));
        QCOMPARE(d.messages().last().icon, dialogs::Icon::Question);
        w->rtf_Source->setText("<p>mine</p>");
        w->rtf_Source->setSelStart(0);
        w->rtf_Source->setSelLength(3);
        w->rtf_Source->setSelColor(Palette_Color(12));
        d.expectMessage("Use this File to Start New Pages?", dialogs::Answer::Yes);
        w->Save_New();
        QVERIFY(QFile::exists(own));
        // The document itself is not saved by it and keeps its name.
        QCOMPARE(readFile(finalPages(site) + "one.html"), QByteArray("<p>shipped</p>\r\n"));
        QCOMPARE(state().Source_Title, QStringLiteral("one.rtf"));

        // The working folder's template comes first and is never listed.
        d.answerNextMessage(dialogs::Answer::No);  // the changes of "one"
        QStringList listed;
        d.onModal([&listed](QDialog& dlg) {
            auto& s = dynamic_cast<frm_Source_Save_As&>(dlg);
            for (int i = 0; i < s.lst_Html_Pages->count(); ++i)
                listed << s.lst_Html_Pages->item(i)->text();
            s.txt_Save_As->setText("two");
            s.cmd_Save_As->click();
            return s.result();
        });
        w->Start_New_Page();
        QVERIFY(d.allUsed());
        QCOMPARE(listed, QStringList{"one"});
        QCOMPARE(w->rtf_Source->Text(), QStringLiteral("<p>mine</p>"));
        QCOMPARE(readSource(workingPages(site) + "two.rtf").colorAt(0), Palette_Color(12));

        w->Clear_Source();
        w->Save_New();  // nothing to store: no question
        QVERIFY(d.allUsed());
    }

    void openPlusRewritesBothFilesAtOnce()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        const QString text = QStringLiteral("<h1>Caf\u00e9</h1>\r\n\t<p>x</p>\r\n");
        QVERIFY(writeSource(workingPages(site) + "index.rtf", text));
        QVERIFY(writeFile(workingPages(site) + "about.rtf", "{\\rtf1 about}"));
        QVERIFY(writeFile(workingPages(site) + "x.RTF", "{\\rtf1 x}"));
        ScriptedDialogs d;
        QStringList listed;
        d.onModal(chooseSource("index", &listed));
        QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(d.allUsed());
        QCOMPARE(listed, (QStringList{"about", "index"}));
        QCOMPARE(w->rtf_Source->Text(), text);
        QCOMPARE(readFile(finalPages(site) + "index.html"), utf8(text));
        const rtf::Content back = readSource(workingPages(site) + "index.rtf");
        QCOMPARE(rtf::crlfText(back), text);
        QCOMPARE(back.colorAt(0), Palette_Color(9));
        QCOMPARE(back.indents.front(), 720);
        QCOMPARE(w->lbl_Source_File->text(), QStringLiteral("index"));
        QVERIFY(!state().Source_Changed);
        QVERIFY(!w->rtf_Source->document()->isUndoAvailable());

        // Cancelling the list changes nothing.
        d.onModal(chooseSource(QString()));
        w->Open_Plus_File();
        QCOMPARE(state().Source_Title, QStringLiteral("index.rtf"));
        QCOMPARE(w->rtf_Source->Text(), text);
    }

    void openFileImportsFromAnotherFolder()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        const QString other = site.path("elsewhere/");
        QVERIFY(QDir().mkpath(other));
        QVERIFY(writeFile(other + "about.htm", "<p>about</p>\n"));
        ScriptedDialogs d;
        d.onFile([&](const dialogs::FileRequest& r) { return dialogs::FileResult{other + "about.htm", other}; });
        QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        const dialogs::FileRequest r = d.fileRequests().first();
        QCOMPARE(r.title, QStringLiteral("Open Source File"));
        QCOMPARE(r.folder, workingPages(site));
        QCOMPARE(r.filterIndex, 1);
        QVERIFY(r.filter.startsWith("Source Files (*.rtf)|*.rtf|"));
        QVERIFY(r.mustExist);
        QCOMPARE(readFile(finalPages(site) + "about.htm"), QByteArray("<p>about</p>\r\n"));
        QCOMPARE(rtf::crlfText(readSource(workingPages(site) + "about.htm.rtf")), QStringLiteral("<p>about</p>\r\n"));
        QCOMPARE(readFile(other + "about.htm"), QByteArray("<p>about</p>\n"));
        QCOMPARE(state().Source_Folder, other);

        // The next Open dialog starts there; no file chosen: nothing happens.
        d.onFile([](const dialogs::FileRequest&) { return dialogs::FileResult{}; });
        w->Open_File();
        QCOMPARE(d.fileRequests().last().folder, other);
        QCOMPARE(state().Source_Title, QStringLiteral("about.htm.rtf"));
    }

    void openFromElsewhereAsksBeforeReplacingASource()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "index.rtf", "<p>site</p>\r\n"));
        QVERIFY(writeSource(workingPages(site) + "keep.rtf", "<p>keep</p>\r\n"));
        const QByteArray before = readFile(workingPages(site) + "index.rtf");
        QVERIFY(writeFile(site.path("index.rtf"), "{\\rtf1 other}"));
        ScriptedDialogs d;
        d.onModal(chooseSource("keep"));
        w->Open_Plus_File();

        auto pick = [&](const dialogs::FileRequest&) { return dialogs::FileResult{site.path("index.rtf"), {}}; };
        d.onFile(pick).expectMessage("Replace Existing File?", dialogs::Answer::No);
        w->Open_File();
        QCOMPARE(d.messages().last().title, QStringLiteral("File Exists"));
        QCOMPARE(readFile(workingPages(site) + "index.rtf"), before);
        QCOMPARE(w->rtf_Source->Text(), QStringLiteral("<p>keep</p>\r\n"));
        QCOMPARE(state().Source_Title, QStringLiteral("keep.rtf"));

        d.onFile(pick).expectMessage("Replace Existing File?", dialogs::Answer::Yes);
        w->Open_File();
        QCOMPARE(w->rtf_Source->Text(), QStringLiteral("other"));
        QCOMPARE(readFile(finalPages(site) + "index.html"), QByteArray("other"));
        QVERIFY(d.allUsed());
    }

    void aSourceThatCannotBeLoadedChangesNothing()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "keep.rtf", "<p>keep</p>\r\n"));
        ScriptedDialogs d;
        d.onModal(chooseSource("keep"));
        w->Open_Plus_File();
        w->rtf_Source->setSelText("edited ");
        d.onFile([&](const dialogs::FileRequest&) { return dialogs::FileResult{site.path("gone.rtf"), {}}; });
        d.answerNextMessage(dialogs::Answer::No);  // save the changes first? no
        d.answerNextMessage(dialogs::Answer::Ok);
        w->Open_File();
        QVERIFY(d.messages().last().text.contains(site.path("gone.rtf")));
        QCOMPARE(d.messages().last().title, QStringLiteral("TWE - File Not Opened"));
        QCOMPARE(w->rtf_Source->Text(), QStringLiteral("edited <p>keep</p>\r\n"));
        QCOMPARE(state().Source_Title, QStringLiteral("keep.rtf"));
        QCOMPARE(state().Source_Path, workingPages(site) + "keep.rtf");
        QVERIFY(!QFile::exists(workingPages(site) + "gone.rtf"));
    }

    void referenceSourcesAreCopiedNeverWritten()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        const QString ref = site.programFolder() + "References/";
        QVERIFY(writeSource(ref + "table.rtf", "<table></table>\r\n"));
        QVERIFY(writeSource(ref + "form.rtf", "<form></form>\r\n"));
        const QByteArray original = readFile(ref + "table.rtf");
        ScriptedDialogs d;
        auto choose = [](const QString& entry, QString* preselected) {
            return [entry, preselected](QDialog& dlg) {
                auto& r = dynamic_cast<frm_Ref_Open&>(dlg);
                *preselected = r.lst_Ref_Pages->selectedItems().isEmpty()
                    ? QString() : r.lst_Ref_Pages->selectedItems().first()->text();
                if (!entry.isEmpty())
                    r.lst_Ref_Pages->setCurrentItem(r.lst_Ref_Pages->findItems(entry, Qt::MatchExactly).first());
                r.cmd_Open->click();
                return r.result();
            };
        };
        QString preselected;
        d.onModal(choose("table", &preselected));
        forms::Start()->mnu_Source_Open_Ref->trigger();
        QCOMPARE(preselected, QString());
        QCOMPARE(readFile(ref + "table.rtf"), original);
        QCOMPARE(readFile(finalPages(site) + "table.html"), QByteArray("<table></table>\r\n"));
        QCOMPARE(state().Source_Path, workingPages(site) + "table.rtf");
        QCOMPARE(state().Source_Folder, ref);
        // The last reference chosen is preselected next time; opening it
        // again would replace the working copy, which asks first.
        d.onModal(choose(QString(), &preselected)).expectMessage("Replace Existing File?", dialogs::Answer::No);
        w->Open_Reference_File();
        QCOMPARE(preselected, QStringLiteral("table"));
        QVERIFY(d.allUsed());
    }

    void readOnlySourceProtectsItsPage()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "index.rtf", "<p>old</p>\r\n"));
        ScriptedDialogs d;
        d.onModal(chooseSource("index"));
        w->Open_Plus_File();
        const QByteArray page = readFile(finalPages(site) + "index.html");
        const QByteArray source = readFile(workingPages(site) + "index.rtf");
        setReadOnly(workingPages(site) + "index.rtf", true);
        w->rtf_Source->setSelText("new ");
        QVERIFY(state().Source_Changed);
        state().Status_Path_Panel.clear();
        d.expectMessage("This is a Read Only File\r\nand cannot be changed");
        QTest::keyClick(w->rtf_Source, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(d.allUsed());
        QCOMPARE(d.messages().last().title, QStringLiteral("TWE - Protected Page"));
        QCOMPARE(d.messages().last().icon, dialogs::Icon::Critical);
        QCOMPARE(readFile(finalPages(site) + "index.html"), page);
        QCOMPARE(readFile(workingPages(site) + "index.rtf"), source);
        QCOMPARE(state().Status_Path_Panel.text(), workingPages(site) + "index.rtf");
        QVERIFY(!state().Source_Changed);
        setReadOnly(workingPages(site) + "index.rtf", false);
    }

    void otherSaveFailuresSayWhichFileAndKeepTheChanges()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "index.rtf", "<p>old</p>\r\n"));
        ScriptedDialogs d;
        d.onModal(chooseSource("index"));
        w->Open_Plus_File();
        w->rtf_Source->setSelText("new ");
        QVERIFY(QDir(workingPages(site)).removeRecursively());
        d.answerNextMessage(dialogs::Answer::Ok);
        w->Save_Source();
        QVERIFY(d.messages().last().text.contains(workingPages(site) + "index.rtf"));
        QCOMPARE(d.messages().last().title, QStringLiteral("TWE - File Not Saved"));
        QVERIFY(state().Source_Changed);
        // So leaving the document asks again.
        d.expectMessage("Save Changes to index.rtf?", dialogs::Answer::No);
        w->closeRequested();
        QVERIFY(d.allUsed());
    }

    void pageFailureIsReported()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "index.rtf", "<p>old</p>\r\n"));
        QVERIFY(QDir(finalPages(site)).removeRecursively());
        ScriptedDialogs d;
        d.onModal(chooseSource("index")).answerNextMessage(dialogs::Answer::Ok);
        w->Open_Plus_File();
        QVERIFY(d.messages().last().text.contains(finalPages(site) + "index.html"));
        // The source itself was saved.
        QVERIFY(!state().Source_Changed);
    }

    void saveChangesBeforeLeavingADocument_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes saves") << true;
        QTest::newRow("No loses the changes") << false;
    }
    void saveChangesBeforeLeavingADocument()
    {
        QFETCH(bool, yes);
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "index.rtf", "<p>old</p>\r\n"));
        QVERIFY(writeSource(workingPages(site) + "other.rtf", "<p>other</p>\r\n"));
        ScriptedDialogs d;
        d.onModal(chooseSource("index"));
        w->Open_Plus_File();
        QTest::keyClicks(w->rtf_Source, "Hi ");
        QVERIFY(state().Source_Changed);
        d.expectMessage("Save Changes to index.rtf?", yes ? dialogs::Answer::Yes : dialogs::Answer::No);
        d.onModal(chooseSource("other"));
        w->Open_Plus_File();
        QVERIFY(d.allUsed());
        QCOMPARE(d.messages().last().title, QStringLiteral("Source File Change"));
        QCOMPARE(d.messages().last().icon, dialogs::Icon::Exclamation);
        QCOMPARE(readFile(finalPages(site) + "index.html"),
                 yes ? QByteArray("Hi <p>old</p>\r\n") : QByteArray("<p>old</p>\r\n"));
        QCOMPARE(w->rtf_Source->Text(), QStringLiteral("<p>other</p>\r\n"));
    }

    void exitOffersToSaveTheChanges()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "index.rtf", "<p>old</p>\r\n"));
        ScriptedDialogs d;
        d.onModal(chooseSource("index"));
        w->Open_Plus_File();
        QTest::keyClicks(w->rtf_Source, "New ");
        d.expectMessage("Save Changes to index.rtf?", dialogs::Answer::Yes);
        forms::Start()->mnu_File_Exit->trigger();
        QVERIFY(d.allUsed());
        QCOMPARE(readFile(finalPages(site) + "index.html"), QByteArray("New <p>old</p>\r\n"));
    }

    void unnamedPageIsOfferedAsNewFile()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        ScriptedDialogs d;
        d.onModal(nameSource("home"));
        w->Start_New_Page();
        QTest::keyClicks(w->rtf_Source, "x");
        // As it is after a cancelled name for a page the user asked to save.
        state().Source_Title.clear();
        state().Source_Path.clear();
        QString proposed;
        d.expectMessage("Save Changes to New File?", dialogs::Answer::Yes).onModal(nameSource("", &proposed));
        w->closeRequested();
        QVERIFY(d.allUsed());
        QCOMPARE(proposed, QStringLiteral("New File"));
        // A named text is kept, not cleared, when its naming is cancelled.
        QVERIFY(w->rtf_Source->TextLength() > 0);
    }

    void saveAsUnderAnotherName()
    {
        TempSite site;
        frm_Source* w = startEditor(site);
        QVERIFY(writeSource(workingPages(site) + "index.rtf", "<p>i</p>\r\n"));
        ScriptedDialogs d;
        d.onModal(chooseSource("index"));
        w->Open_Plus_File();
        QString proposed;
        d.onModal(nameSource("news.php", &proposed));
        QTest::keyClick(w->rtf_Source, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(proposed, QStringLiteral("index"));
        QCOMPARE(readFile(finalPages(site) + "news.php"), QByteArray("<p>i</p>\r\n"));
        QVERIFY(QFile::exists(workingPages(site) + "news.php.rtf"));
        QCOMPARE(w->lbl_Source_File->text(), QStringLiteral("news.php"));
        QCOMPARE(state().HTML_Path, finalPages(site) + "news.php");
        // Cancelling a named document's Save As keeps it.
        d.onModal(nameSource(QString()));
        w->Save_As();
        QVERIFY(w->rtf_Source->isEnabled());
        QCOMPARE(state().Source_Title, QStringLiteral("news.php.rtf"));
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
