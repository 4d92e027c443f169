// Copy Folders & Files, Delete Pages and Rename Pages driven through their
// controls on a site in a temporary folder, with a trash of the test's own:
// what ends up in the folders and the trash, and what the user is asked.

#include "tesk_test.h"
#include "test_support.h"

#include "app/arrange.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "site/frm_Copy.h"
#include "site/frm_Delete.h"
#include "site/frm_Rename.h"
#include "site/frm_Verify.h"
#include "source/frm_Source.h"
#include "ui/forms.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

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
    // The answers of the "File Exists" questions, by button (-1: Esc).
    void answerVerify(std::initializer_list<int> answers)
    {
        for (int a : answers)
            script_->onModal([a](QDialog& d) {
                auto* v = qobject_cast<frm_Verify*>(&d);
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
        resetProgram();
        site_ = std::make_unique<TempSite>();
        script_ = std::make_unique<ScriptedDialogs>();
        site_->apply();
        dataHome_ = qgetenv("XDG_DATA_HOME");
        // Deleted files go to a trash of the test's own.
        QDir().mkpath(at("data"));
        qputenv("XDG_DATA_HOME", at("data").toUtf8());
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
        QVERIFY(script_->allUsed());
        script_.reset();
        resetProgram();
        qputenv("XDG_DATA_HOME", dataHome_);
        site_.reset();
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

    // Rows: the page chosen; what is in the working folder and the trash
    // after Delete; the message, if any.
    void deletePages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("trash");
        QTest::newRow("about: both files") << "about" << false << "about.htm=about page about.rtf=about source";
        QTest::newRow("draft: no page file") << "draft" << false << "draft.rtf=draft source";
        QTest::newRow("read-only source stays") << "index.htm" << true << "";
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
