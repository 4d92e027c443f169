// Copy Folders & Files, Delete Pages and Rename Pages driven through their
// controls on a site in a temporary folder, with a trash of the test's own:
// what ends up in the folders and the trash, and what the user is asked.

#include "tesk_test.h"
#include "test_support.h"

#include "app/arrange.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "platform/file_system.h"
#include "site/frm_Copy.h"
#include "site/frm_Delete.h"
#include "site/frm_Rename.h"
#include "site/frm_Verify.h"
#include "source/frm_Source.h"
#include "ui/folder_controls.h"
#include "ui/forms.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>
#include <utility>

using namespace tesk::test;

class SiteFilesDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempSite> site_;
    std::unique_ptr<ScriptedDialogs> script_;  // checked used up at the end of each test
    QByteArray dataHome_;

    QString at(const QString& relative) const { return site_->path(relative); }
    void put(const QString& relative, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(at(relative)).absolutePath());
        QVERIFY(writeFile(at(relative), text));
    }
    // Every file below folder as "path=text", links as "path->", by path.
    QString tree(const QString& folder) const
    {
        QStringList out;
        QDirIterator it(at(folder), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
                continue;
            const QString rel = path.mid(at(folder).size() + 1);
            out << (QFileInfo(path).isSymLink() ? rel + "->" : rel + '=' + readFile(path));
        }
        out.sort();
        return out.join(' ');
    }
    // Every file below folder with what marks it: "=text", "->" for a
    // link, "(2001)" for the time of the originals kept, "(ro)" read-only.
    QString treeMarked(const QString& folder) const
    {
        QStringList out;
        QDirIterator it(at(folder), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (info.isDir() && !info.isSymLink())
                continue;
            const QString rel = info.filePath().mid(at(folder).size() + 1);
            if (info.isSymLink()) {
                out << rel + "->";
                continue;
            }
            out << rel + '=' + readFile(info.filePath()) + (info.lastModified().date().year() == 2001 ? "(2001)" : "")
                    + (fs::isReadOnly(info.filePath()) ? "(ro)" : "");
        }
        out.sort();
        return out.join(' ');
    }
    // "folder/name=text" a file dated 2001, "ro path" read-only, "path->target"
    // a link, separated by "; ".
    void makeTree(const QString& steps)
    {
        for (const QString& step : steps.split("; ", Qt::SkipEmptyParts)) {
            if (step.startsWith("ro ")) {
                setReadOnly(at(step.mid(3)), true);
                readOnly_ << at(step.mid(3));
            } else if (step.contains("->")) {
                QDir().mkpath(QFileInfo(at(step.section("->", 0, 0))).absolutePath());
                QVERIFY(QFile::link(at(step.section("->", 1)), at(step.section("->", 0, 0))));
            } else if (step.endsWith('/')) {
                QVERIFY(QDir().mkpath(at(step)));
            } else {
                put(step.section('=', 0, 0), step.section('=', 1).toUtf8());
                QFile f(at(step.section('=', 0, 0)));
                QVERIFY(f.open(QIODevice::ReadWrite)
                        && f.setFileTime(QDateTime(QDate(2001, 5, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
            }
        }
    }
    QStringList readOnly_;  // made writable again at the end
    QStringList verified_;  // what the "File Exists" questions showed

    // The answers of the "File Exists" questions, by button (-1: Esc).
    void answerVerify(std::initializer_list<int> answers)
    {
        for (int a : answers)
            script_->onModal([a, this](QDialog& d) {
                auto* v = qobject_cast<frm_Verify*>(&d);
                verified_ << v->lbl_File->text();
                if (a < 0)
                    QTest::keyClick(v, Qt::Key_Escape);
                else
                    v->cmd_Replace[a]->click();
                return d.result();
            });
    }
    frm_Copy* openCopy(const QString& from, const QString& to)
    {
        forms::Start()->mnu_File_Copy->trigger();
        frm_Copy* d = forms::Copy_If_Loaded();
        d->dir_Folder[0]->setPath(at(from));
        d->dir_Folder[1]->setPath(at(to));
        return d;
    }
    static void choose(QListWidget* list, const QStringList& names)
    {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(names.contains(list->item(i)->text()));
    }
    static void choosePage(PageDialog* d, const QString& name)
    {
        d->lst_Html_Pages->setCurrentItem(d->lst_Html_Pages->findItems(name, Qt::MatchExactly).value(0));
    }

private slots:
    void init()
    {
        // Deleted files go to a trash of the test's own.
        dataHome_ = openSiteSession(site_, script_);
        state().Source_Window_Pos = -2;
        frm_Start* start = forms::Start();
        start->resize(1000, 760);
        start->show();
        start->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(start));
        Adjust_Sliders();
        put("site/Working-Pages/about.rtf", "about source");
        put("site/Final-Pages/about.htm", "about page");
        put("site/Working-Pages/index.htm.rtf", "index source");
        put("site/Final-Pages/index.htm", "index page");
        put("site/Working-Pages/draft.rtf", "draft source");
    }
    void cleanup()
    {
        for (const QString& path : std::exchange(readOnly_, {}))
            setReadOnly(path, false);
        verified_.clear();
        QVERIFY(script_->allUsed());
        closeSiteSession(site_, script_, dataHome_);
    }

    // a and c are at the destination already; a b c are copied.
    void copyFilesAsksForExistingOnes_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("result");
        QTest::newRow("not a, replace c") << QList<int>{2, 1} << "a=old b=new c=new";
        QTest::newRow("replace all") << QList<int>{0} << "a=new b=new c=new";
        QTest::newRow("cancel") << QList<int>{3} << "a=old c=old";
        QTest::newRow("Esc is cancel") << QList<int>{-1} << "a=old c=old";
    }
    void copyFilesAsksForExistingOnes()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QString, result);
        for (const char* n : {"a", "b", "c"})
            put(QStringLiteral("from/%1").arg(n), "new");
        put("to/a", "old");
        put("to/c", "old");
        frm_Copy* d = openCopy("from", "to");
        choose(d->fil_Files[0], {"a", "b", "c"});
        for (int a : answers)
            answerVerify({a});
        d->cmd_Copy_Files->click();
        QCOMPARE(tree("to"), result);
        QVERIFY(d->frameVisible());
    }

    // The folder copy asks too; a link is copied as a link, never followed;
    // a folder is never copied into itself; deleting goes to the trash, and a
    // protected file stays.
    void folderCopyAndDelete()
    {
        put("from/a", "new");
        put("from/sub/x", "x");
        QVERIFY(QFile::link("..", at("from/sub/up")));
        put("to/a", "old");
        frm_Copy* d = openCopy("from", "to");
        answerVerify({2});
        d->cmd_Copy_Folder->click();
        QCOMPARE(tree("to"), "a=old sub/up-> sub/x=x");

        d->dir_Folder[1]->setPath(at("from/sub"));
        script_->expectMessage(at("from/sub") + "\r\nis inside the folder to copy from,\r\n" + at("from")
                             + "\r\nso the copy would copy itself without end.\r\nChoose a folder outside it.");
        d->cmd_Copy_Folder->click();
        QCOMPARE(tree("from"), "a=new sub/up-> sub/x=x");

        d->dir_Folder[1]->setPath(at("to"));
        setReadOnly(at("to/sub/x"), true);
        choose(d->fil_Files[1], {"a"});
        d->cmd_Delete->setEnabled(true);
        d->cmd_Delete->click();
        QVERIFY(!d->cmd_Delete->isEnabled());
        QCOMPARE(tree("data/Trash/files"), "a=old");
        d->dir_Folder[1]->setPath(at("to/sub"));
        choose(d->fil_Files[1], {"x"});
        script_->expectMessage("x\r\nis a Read Only File\r\nand cannot be Deleted");
        d->Delete_File();
        QCOMPARE(tree("to"), "sub/up-> sub/x=x");
    }

    // A copy writes only inside the To folder, asks before replacing a
    // link there (and then replaces the link itself), names the files it
    // cannot write before asking anything else, and keeps the originals'
    // times and read-only marks. Rows: the folders before; the command
    // ("folder", or "files" and the names chosen); the answers in turn
    // (Yes/No/Ok to a message, 0-3 to "File Exists"); the To folder after;
    // the questions and messages shown.
    void copyWritesOnlyInsideTo_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("shown");
        const QString linked = "from/page.html=new; elsewhere/file=theirs; to/page.html->elsewhere/file";
        QTest::newRow("link to a file elsewhere: the link is replaced")
            << linked << "files page.html" << "1" << "page.html=new(2001)" << "page.html?";
        QTest::newRow("link to a file elsewhere: kept") << linked << "files page.html" << "2" << "page.html->"
                                                        << "page.html?";
        QTest::newRow("link to nothing: asked too")
            << "from/page.html=new; to/page.html->elsewhere/missing" << "files page.html" << "1"
            << "page.html=new(2001)" << "page.html?";
        QTest::newRow("folder copy over a link")
            << linked << "folder" << "0" << "page.html=new(2001)" << "page.html?";
        QTest::newRow("the question names the subfolder")
            << "from/a=new; from/sub/a=new; to/sub/a=old" << "folder" << "1"
            << "a=new(2001) sub/a=new(2001)" << "sub/a?";
        QTest::newRow("a link on the way out: named, the rest copied")
            << "from/b=new; from/sub/x=new; elsewhere/file=theirs; to/sub->elsewhere" << "folder" << "Yes"
            << "b=new(2001) sub->"
            << "These files cannot be written in the folder to copy to:||sub/x (a folder on the way is a link "
               "to another place)||Copy the other files? (Yes by default)";
        QTest::newRow("read-only target named first: stop")
            << "from/a=new; from/sub/ro=new; to/a=old; to/sub/ro=old; ro to/sub/ro" << "folder" << "No"
            << "a=old(2001) sub/ro=old(2001)(ro)"
            << "These files cannot be written in the folder to copy to:||sub/ro (read-only)||Copy the other files? "
               "(Yes by default)";
        QTest::newRow("read-only target named first: go on")
            << "from/a=new; from/sub/ro=new; to/a=old; to/sub/ro=old; ro to/sub/ro" << "folder" << "Yes 1"
            << "a=new(2001) sub/ro=old(2001)(ro)"
            << "These files cannot be written in the folder to copy to:||sub/ro (read-only)||Copy the other files? "
               "(Yes by default) a?";
        QTest::newRow("only read-only targets: nothing to copy")
            << "from/ro=new; to/ro=old; ro to/ro" << "files ro" << "Ok" << "ro=old(2001)(ro)"
            << "These files cannot be written in the folder to copy to:||ro (read-only)||Nothing was copied.";
        QTest::newRow("read-only folder") << "from/sub/a=new; to/sub/; ro to/sub" << "folder" << "Ok" << ""
            << "These files cannot be written in the folder to copy to:||sub/a (its folder is read-only)||"
               "Nothing was copied.";
        QTest::newRow("the original's read-only mark kept")
            << "from/p=new; ro from/p; to/" << "files p" << "" << "p=new(2001)(ro)" << "";
    }
    void copyWritesOnlyInsideTo()
    {
        QFETCH(QString, before);
        QFETCH(QString, command);
        QFETCH(QString, answers);
        makeTree(before);
        QDir().mkpath(at("to"));
        for (const QString& a : answers.split(' ', Qt::SkipEmptyParts)) {
            if (a == "Yes" || a == "No" || a == "Ok")
                script_->answerNextMessage(a == "Yes" ? dialogs::Answer::Yes : a == "No" ? dialogs::Answer::No
                                                                                         : dialogs::Answer::Ok);
            else
                answerVerify({a.toInt()});
        }
        frm_Copy* d = openCopy("from", "to");
        if (command == "folder") {
            d->cmd_Copy_Folder->click();
        } else {
            choose(d->fil_Files[0], command.mid(6).split(' '));
            d->cmd_Copy_Files->click();
        }
        QTEST(treeMarked("to"), "after");
        QStringList shown;
        for (const dialogs::Message& m : script_->messages())
            shown << QString(m.text).replace("\r\n", "|")
                    + (m.buttons == dialogs::Buttons::YesNo
                           ? (m.defaultButton == dialogs::Answer::No ? " (No by default)" : " (Yes by default)")
                           : "");
        for (const QString& v : verified_)
            shown << v + '?';
        QTEST(shown.join(' '), "shown");
        if (QFileInfo::exists(at("elsewhere")))
            QCOMPARE(treeMarked("elsewhere"), before.contains("elsewhere/file") ? "file=theirs(2001)" : "");
    }

    // A To folder that is a link into the From folder is the From folder's
    // own subfolder: refused like any copy into itself.
    void toFolderLinkedIntoFrom()
    {
        makeTree("from/sub/a=new; to->from/sub");
        frm_Copy* d = openCopy("from", "to");
        script_->expectMessage(at("to") + "\r\nis inside the folder to copy from,\r\n" + at("from")
                               + "\r\nso the copy would copy itself without end.\r\nChoose a folder outside it.");
        d->cmd_Copy_Folder->click();
        QCOMPARE(treeMarked("from"), "sub/a=new(2001)");
    }

    // The From folder chosen stays chosen when it is removed on disk (the
    // tree would move to a neighbour), is taken up again when made anew, and
    // a copy from a folder that is gone says so.
    void chosenFolderStays()
    {
        makeTree("from/a=new; next/b=other; to/");
        frm_Copy* d = openCopy("from", "to");
        FolderTree* tree = d->dir_Folder[0];
        QTRY_VERIFY(tree->currentIndex().isValid());
        QVERIFY(QDir(at("from")).removeRecursively());
        QTRY_VERIFY(tree->currentIndex().data(QFileSystemModel::FilePathRole).toString() != at("from"));
        QCOMPARE(d->lbl_Folder[0]->text(), at("from"));
        script_->expectMessage(at("from") + "\r\nNo Longer Exists");
        d->cmd_Copy_Folder->click();
        QCOMPARE(treeMarked("to"), "");
        makeTree("from/c=again");
        QTRY_COMPARE(d->fil_Files[0]->count(), 1);
        QCOMPARE(d->lbl_Folder[0]->text(), at("from"));
        QCOMPARE(d->fil_Files[0]->item(0)->text(), "c");
        d->cmd_Copy_Folder->click();
        QCOMPARE(treeMarked("to"), "c=again(2001)");
    }

    // Delete Selected Files takes the entry listed: a link, never what it
    // points to. Rows: the To folder's entry, then what is left in the To
    // folder and elsewhere, and what went to the trash.
    void deleteTakesTheLinkItself_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("trash");
        QTest::newRow("link to nothing") << "to/x->elsewhere/missing" << "" << "";
        QTest::newRow("link to a file") << "elsewhere/file=theirs; to/x->elsewhere/file" << "file=theirs(2001)" << "x->";
        QTest::newRow("link to a read-only file")
            << "elsewhere/file=theirs; ro elsewhere/file; to/x->elsewhere/file" << "file=theirs(2001)(ro)" << "x->";
    }
    void deleteTakesTheLinkItself()
    {
        QFETCH(QString, before);
        makeTree("elsewhere/; " + before);
        frm_Copy* d = openCopy("to", "to");
        QCOMPARE(d->fil_Files[1]->count(), 1);
        choose(d->fil_Files[1], {"x"});
        d->cmd_Delete->setEnabled(true);
        d->cmd_Delete->click();
        QCOMPARE(d->fil_Files[1]->count(), 0);
        QCOMPARE(treeMarked("to"), "");
        QTEST(treeMarked("elsewhere"), "left");
        QTEST(treeMarked("data/Trash/files"), "trash");
    }

    // Rows: the page chosen; what is in the working folder and the trash
    // after Delete; the message, if any.
    void deletePages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("trash");
        QTest::addColumn<QString>("hint");
        QTest::newRow("about: both files") << "about" << false << "about.htm=about page about.rtf=about source"
                                           << " about.rtf and about.htm went to the Trash ";
        QTest::newRow("draft: no page file") << "draft" << false << "draft.rtf=draft source"
                                             << " draft.rtf went to the Trash ";
        QTest::newRow("read-only source stays") << "index.htm" << true << "" << "";
    }
    void deletePages()
    {
        QFETCH(QString, page);
        QFETCH(bool, readOnly);
        QFETCH(QString, trash);
        if (readOnly)
            setReadOnly(at("site/Working-Pages/index.htm.rtf"), true);
        forms::Start()->mnu_Source_Delete->trigger();
        frm_Delete* d = forms::Delete_If_Loaded();
        QVERIFY(d->frameVisible() && !forms::Start()->topMenusEnabled() && !d->cmd_Delete->isEnabled());
        QCOMPARE(d->lst_Html_Pages->count(), 3);
        choosePage(d, page);
        QCOMPARE(d->lbl_Current_File->text(), page);
        if (readOnly)
            script_->expectMessage("This is a Read Only File\r\nand cannot be Deleted");
        d->cmd_Delete->click();
        QCOMPARE(tree("data/Trash/files"), trash);
        QTEST(d->lbl_Focus->text(), "hint");
        QCOMPARE(d->lst_Html_Pages->count(), readOnly ? 3 : 2);
        QCOMPARE(d->cmd_Delete->isEnabled(), readOnly);
        // The minimised main window ends the dialog.
        End_Page_Dialog();
        QVERIFY(!d->frameVisible() && forms::Start()->topMenusEnabled() && state().Page_Dialog == 0);
    }

    // Rows: page, name typed, answer to the replace question (none: not
    // asked), and the site's pages afterwards.
    void renamePages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("pages");
        const QString untouched = "about.htm=about page index.htm=index page | about.rtf=about source "
                                  "draft.rtf=draft source index.htm.rtf=index source";
        QTest::newRow("about -> contact.rtf keeps .htm")
            << "about" << "contact.rtf" << ""
            << "contact.htm=about page index.htm=index page | contact.rtf=about source "
               "draft.rtf=draft source index.htm.rtf=index source";
        QTest::newRow("draft without page file") << "draft" << "notes" << ""
            << "about.htm=about page index.htm=index page | about.rtf=about source "
               "index.htm.rtf=index source notes.rtf=draft source";
        QTest::newRow("onto index.htm, No") << "about" << "index.htm" << "No" << untouched;
        QTest::newRow("onto index.htm, Yes") << "about" << "index.htm" << "Yes"
            << "index.htm=about page | draft.rtf=draft source index.htm.rtf=about source";
        QTest::newRow("a slash: box stays open") << "about" << "a/b" << "" << untouched;
        QTest::newRow("same name") << "about" << "about" << "" << untouched;
    }
    void renamePages()
    {
        QFETCH(QString, page);
        QFETCH(QString, typed);
        QFETCH(QString, question);
        QFETCH(QString, pages);
        forms::Start()->mnu_Source_Rename->trigger();
        frm_Rename* d = forms::Rename_If_Loaded();
        choosePage(d, page);
        d->cmd_Rename->click();
        QVERIFY(d->txt_Rename->isVisible() && d->txt_Rename->text() == page);
        d->txt_Rename->setText(typed);
        if (!question.isEmpty())
            script_->expectMessage("Replace existing page " + typed + "?",
                                 question == "Yes" ? dialogs::Answer::Yes : dialogs::Answer::No);
        QTest::keyClick(d->txt_Rename, Qt::Key_Return);
        QTRY_VERIFY(script_->allUsed());
        QTest::qWait(0);
        // Yes would replace the other page: Enter must not.
        if (!question.isEmpty())
            QCOMPARE(script_->messages().last().defaultButton, dialogs::Answer::No);
        QCOMPARE(tree("site/Final-Pages") + " | " + tree("site/Working-Pages"), pages);
        QCOMPARE(d->txt_Rename->isVisible(), typed == "a/b");
        QCOMPARE(d->lbl_Rename_Hint->isVisible(), typed == "a/b");
        d->cmd_Exit->click();
        QVERIFY(!d->frameVisible() && forms::Start()->topMenusEnabled());
    }

    // An edited page open in the editor is offered for saving first, and the
    // editor follows its page's new name.
    void editorKeepsItsPage()
    {
        SharedState& s = state();
        s.Source_Window_Pos = 2;
        frm_Source* source = forms::Source();
        s.Source_Title = "about.rtf";
        s.Source_Path = at("site/Working-Pages/about.rtf");
        s.Source_Changed = true;
        script_->expectMessage("Save Changes to about.rtf?", dialogs::Answer::No);
        forms::Start()->mnu_Source_Rename->trigger();
        QVERIFY(script_->allUsed());
        frm_Rename* d = forms::Rename_If_Loaded();
        choosePage(d, "about");
        d->cmd_Rename->click();
        d->txt_Rename->setText("contact");
        QTest::keyClick(d->txt_Rename, Qt::Key_Tab);
        QTRY_COMPARE(s.Source_Path, at("site/Working-Pages/contact.rtf"));
        QCOMPARE(source->lbl_Source_File->text(), "contact");
        QVERIFY(s.Source_Changed);
        d->End_Rename();
        QCOMPARE(s.Source_Window_Pos, 2);
    }
};

TESK_TEST(SiteFilesDialogsTest)
#include "site_files_dialogs_test.moc"
