// The working folder dialog driven through its controls: choosing and making
// folders, the remembered list, the drive list, and what changes (or does not)
// in the program when the dialog closes.

#include "tesk_test.h"
#include "test_support.h"

#include "core/arrange.h"
#include "core/forms.h"
#include "core/frm_Start.h"
#include "core/screen.h"
#include "core/shared_state.h"
#include "site/folder_controls.h"
#include "site/folder_list.h"
#include "site/frm_Working_Folder.h"
#include "source/frm_Source.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

#include <memory>

using namespace tesk::test;

class WorkingFolderDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempSite> site_;

    // The site folder as the tree shows it (no trailing separator).
    QString siteFolder() const { return fs::withoutSeparator(site_->workingFolder()); }
    QString listFile() const { return site_->programFolder() + QStringLiteral("References/Folder.lst"); }

    frm_Working_Folder* open()
    {
        forms::Start()->mnu_File_Working_Folder->trigger();
        return forms::Working_Folder_If_Loaded();
    }

    static bool visibleIn(QWidget* w, QWidget* dialog) { return w->isVisibleTo(dialog); }

private slots:
    void init()
    {
        resetProgram();
        site_ = std::make_unique<TempSite>();
        QVERIFY(site_->ok());
        site_->apply();
        // The browser is not needed here; keep the arrangement to the dialog.
        state().Browser_Window_Pos = -2;
        state().Source_Window_Pos = -2;
        frm_Start* start = forms::Start();
        start->resize(1000, 760);
        start->show();
        Adjust_Sliders();
    }
    void cleanup()
    {
        resetProgram();
        site_.reset();
    }

    void opensInTheDialogManner()
    {
        frm_Working_Folder* d = open();
        QVERIFY(d);
        QVERIFY(d->frameVisible());
        QVERIFY(!forms::Start()->topMenusEnabled());
        QCOMPARE(d->frame()->windowTitle(), QStringLiteral("Working Folder"));
        QCOMPARE(d->lbl_cur_Folder->text(), siteFolder());
        QCOMPARE(d->dir_Folder->path(), siteFolder());
        QVERIFY(d->dir_Folder->currentIndex().isValid());
        QCOMPARE(d->drv_Folder->drive(), fs::rootOf(siteFolder()));
        QCOMPARE(d->cbo_List->count(), 1);
        QCOMPARE(d->cbo_List->itemText(0), QStringLiteral(" Select a Folder"));
        QCOMPARE(d->cbo_List->currentIndex(), 0);
        QVERIFY(visibleIn(d->cmd_List[0], d));
        QVERIFY(!visibleIn(d->cmd_List[1], d));

        QTest::mouseClick(d->cmd_Cancel, Qt::LeftButton);
        QVERIFY(!d->frameVisible());
        QVERIFY(forms::Start()->topMenusEnabled());
        QCOMPARE(state().Working_Folder, site_->workingFolder());
    }

    void startsAtTheDriveRootWhenTheWorkingFolderIsGone()
    {
        state().Working_Folder = site_->path(QStringLiteral("gone/"));
        frm_Working_Folder* d = open();
        QCOMPARE(d->dir_Folder->path(), fs::withoutSeparator(fs::rootOf(site_->programFolder())));
        QCOMPARE(d->lbl_cur_Folder->text(), d->dir_Folder->path());
        QTest::mouseClick(d->cmd_Close, Qt::LeftButton);
        QCOMPARE(state().Working_Folder, site_->path(QStringLiteral("gone/")));
    }

    // What a new user does: type a name, Enter, Yes, OK.
    void newFolderBecomesTheSite()
    {
        state().Source_Window_Pos = 2;
        forms::Source();
        frm_Working_Folder* d = open();
        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("Use My Club as a New Folder?"), dialogs::Answer::Yes);
        d->txt_New_Folder->setText(QStringLiteral("My Club"));
        QTest::keyClick(d->txt_New_Folder, Qt::Key_Return);
        QVERIFY(script.allUsed());
        QCOMPARE(script.messages().at(0).title, QStringLiteral("Working Folder"));
        QCOMPARE(script.messages().at(0).buttons, dialogs::Buttons::YesNo);
        QCOMPARE(script.messages().at(0).icon, dialogs::Icon::None);

        const QString club = siteFolder() + QStringLiteral("/My Club");
        QVERIFY(QFileInfo(club).isDir());
        QCOMPARE(d->dir_Folder->path(), club);
        QCOMPARE(d->lbl_cur_Folder->text(), club);
        QVERIFY(d->txt_New_Folder->text().isEmpty());

        QTest::mouseClick(d->cmd_OK, Qt::LeftButton);
        for (const char* sub : {"Working-Pages", "Final-Pages", "Final-Pages/Images", "Final-Pages/Backgrnd"})
            QVERIFY2(QFileInfo(club + QLatin1Char('/') + QLatin1String(sub)).isDir(), sub);
        const SharedState& s = state();
        QCOMPARE(s.Working_Folder, club + QLatin1Char('/'));
        QCOMPARE(s.Working_Pages_Folder, club + QStringLiteral("/Working-Pages/"));
        QCOMPARE(s.Final_Pages_Folder, club + QStringLiteral("/Final-Pages/"));
        QCOMPARE(s.Status_Folder_Panel.text(), club + QLatin1Char('/'));
        QCOMPARE(forms::Start()->sb_Status[1]->text(), club + QLatin1Char('/'));
        QVERIFY(!d->frameVisible());
        QVERIFY(forms::Start()->topMenusEnabled());

        // Opening again starts in the new site.
        d = open();
        QCOMPARE(d->lbl_cur_Folder->text(), club);
        QTest::mouseClick(d->cmd_Cancel, Qt::LeftButton);
    }

    void newFolderAnsweredNo()
    {
        frm_Working_Folder* d = open();
        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("Use Later as a New Folder?"), dialogs::Answer::No);
        d->txt_New_Folder->setText(QStringLiteral("Later"));
        d->Create_New_Folder();
        QVERIFY(script.allUsed());
        QVERIFY(!QFileInfo::exists(siteFolder() + QStringLiteral("/Later")));
        QVERIFY(d->txt_New_Folder->text().isEmpty());
        QCOMPARE(d->dir_Folder->path(), siteFolder());
    }

    void newFolderNameThatLeavesTheFolderIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("up and out") << "../escape";
        QTest::newRow("path") << "a/b";
    }
    void newFolderNameThatLeavesTheFolderIsRefused()
    {
        QFETCH(QString, typed);
        frm_Working_Folder* d = open();
        const QStringList before = QDir(site_->path(QString())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("Use ") + typed + QStringLiteral(" as a New Folder?"),
                             dialogs::Answer::Yes);
        script.expectMessage(typed + QStringLiteral(" could not be created. "));
        d->txt_New_Folder->setText(typed);
        d->Create_New_Folder();
        QVERIFY(script.allUsed());
        QCOMPARE(script.messages().at(1).title, dialogs::applicationTitle());
        QCOMPARE(script.messages().at(1).buttons, dialogs::Buttons::Ok);
        QCOMPARE(script.messages().at(1).icon, dialogs::Icon::None);
        QCOMPARE(QDir(site_->path(QString())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(!QFileInfo::exists(siteFolder() + QStringLiteral("/a")));
        QVERIFY(d->txt_New_Folder->text().isEmpty());
        QCOMPARE(d->dir_Folder->path(), siteFolder());
    }

    void folderNamedLikeAPageFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Working-Pages, Yes") << "Working-Pages" << true;
        QTest::newRow("Working-Pages, No") << "Working-Pages" << false;
        QTest::newRow("Final-Pages, Yes") << "Final-Pages" << true;
    }
    void folderNamedLikeAPageFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, yes);
        frm_Working_Folder* d = open();
        const QString chosen = siteFolder() + QLatin1Char('/') + name;
        d->dir_Folder->setPath(chosen);
        QCOMPARE(d->lbl_cur_Folder->text(), chosen);

        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("Do you wish to create\r\na Working-Pages Folder and\r\n"
                                            "a Final-Pages Folder\r\nwith in a ")
                                 + name + QStringLiteral(" File?"),
                             yes ? dialogs::Answer::Yes : dialogs::Answer::No);
        QTest::mouseClick(d->cmd_OK, Qt::LeftButton);
        QVERIFY(script.allUsed());
        QCOMPARE(script.messages().at(0).icon, dialogs::Icon::Question);
        QCOMPARE(script.messages().at(0).title, QStringLiteral("Working Folder"));
        if (yes) {
            QCOMPARE(state().Working_Folder, chosen + QLatin1Char('/'));
            QVERIFY(QFileInfo(chosen + QStringLiteral("/Working-Pages")).isDir());
            QVERIFY(QFileInfo(chosen + QStringLiteral("/Final-Pages/Backgrnd")).isDir());
            QVERIFY(!d->frameVisible());
        } else {
            QCOMPARE(state().Working_Folder, site_->workingFolder());
            QVERIFY(!QFileInfo::exists(chosen + QStringLiteral("/Working-Pages")));
            QVERIFY(d->frameVisible());
            QVERIFY(!forms::Start()->topMenusEnabled());
        }
    }

    void readOnlyFolderIsChosenWithoutMessage()
    {
        const QString locked = site_->path(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(locked));
        setReadOnly(locked, true);
        frm_Working_Folder* d = open();
        d->dir_Folder->setPath(locked);
        QTest::mouseClick(d->cmd_OK, Qt::LeftButton);  // any message would fail the test
        setReadOnly(locked, false);
        QCOMPARE(state().Working_Folder, locked + QLatin1Char('/'));
        QCOMPARE(state().Working_Pages_Folder, locked + QStringLiteral("/Working-Pages/"));
        QVERIFY(!QFileInfo::exists(locked + QStringLiteral("/Working-Pages")));
        QVERIFY(!d->frameVisible());
    }

    void addThenDeleteTheCurrentFolder()
    {
        frm_Working_Folder* d = open();
        QTest::mouseClick(d->cmd_List[0], Qt::LeftButton);
        QCOMPARE(readFile(listFile()), QByteArray("site\r\n") + siteFolder().toUtf8() + "\r\n");
        QCOMPARE(d->cbo_List->count(), 2);
        QCOMPARE(d->cbo_List->itemText(1), QStringLiteral("site"));
        QCOMPARE(d->cbo_List->currentIndex(), 1);
        QVERIFY(visibleIn(d->cmd_List[1], d));
        QVERIFY(!visibleIn(d->cmd_List[0], d));

        // Adding it again writes nothing.
        d->Add_Folder_to_List();
        QCOMPARE(d->cbo_List->count(), 2);
        QCOMPARE(readFile(listFile()).count('\n'), 2);

        QTest::mouseClick(d->cmd_List[1], Qt::LeftButton);
        QVERIFY(QFileInfo(listFile()).isFile());
        QCOMPARE(QFileInfo(listFile()).size(), 0);
        QCOMPARE(d->cbo_List->count(), 1);
        QCOMPARE(d->cbo_List->currentIndex(), 0);
        QVERIFY(visibleIn(d->cmd_List[0], d));
        QCOMPARE(folder_list::Count(state().Folder_List), 0);
        // The tree stays where it was.
        QCOMPARE(d->dir_Folder->path(), siteFolder());
    }

    void listThatCannotBeWrittenStaysAsItWas()
    {
        const QString refs = site_->programFolder() + QStringLiteral("References");
        setReadOnly(refs, true);
        frm_Working_Folder* d = open();
        ScriptedDialogs script;
        script.answerNextMessage(dialogs::Answer::Ok);
        QTest::mouseClick(d->cmd_List[0], Qt::LeftButton);
        setReadOnly(refs, false);
        QVERIFY(script.allUsed());
        const dialogs::Message m = script.messages().at(0);
        QVERIFY2(m.text.contains(listFile()), qPrintable(m.text));
        QCOMPARE(m.title, QStringLiteral("TWE - Folder Selection"));
        QVERIFY(!QFileInfo::exists(listFile()));
        QCOMPARE(folder_list::Count(state().Folder_List), 0);
        QCOMPARE(d->cbo_List->count(), 1);
        QVERIFY(visibleIn(d->cmd_List[0], d));
    }

    void deleteThatCannotBeWrittenStaysAsItWas()
    {
        const QByteArray old = QByteArray("site\r\n") + siteFolder().toUtf8() + "\r\nother\r\n/other\r\n";
        QVERIFY(writeFile(listFile(), old));
        frm_Working_Folder* d = open();
        QCOMPARE(d->cbo_List->currentIndex(), 1);
        setReadOnly(listFile(), true);
        ScriptedDialogs script;
        script.answerNextMessage(dialogs::Answer::Ok);
        QTest::mouseClick(d->cmd_List[1], Qt::LeftButton);
        setReadOnly(listFile(), false);
        QVERIFY(script.allUsed());
        QCOMPARE(readFile(listFile()), old);
        QCOMPARE(d->cbo_List->count(), 3);
        QCOMPARE(d->cbo_List->currentIndex(), 1);
        QCOMPARE(folder_list::Count(state().Folder_List), 2);
        QCOMPARE(state().Folder_List[1].Name, QStringLiteral("site"));
    }

    void twoFoldersWithTheSameName()
    {
        const QString a = site_->path(QStringLiteral("a/club"));
        const QString b = site_->path(QStringLiteral("b/club"));
        QVERIFY(QDir().mkpath(a));
        QVERIFY(QDir().mkpath(b));
        QVERIFY(writeFile(listFile(), fs::encodeText(fs::joinLines({"club", a, "club", b}))));
        state().Working_Folder = b + QLatin1Char('/');
        frm_Working_Folder* d = open();
        // The folder shown finds its own entry and the tree stays on it.
        QCOMPARE(d->cbo_List->currentIndex(), 2);
        QCOMPARE(d->dir_Folder->path(), b);
        QVERIFY(visibleIn(d->cmd_List[1], d));

        d->cbo_List->setCurrentIndex(1);
        QCOMPARE(d->dir_Folder->path(), a);
        QCOMPARE(d->lbl_cur_Folder->text(), a);
        QCOMPARE(d->cbo_List->currentIndex(), 1);
    }

    void choosingARememberedFolder()
    {
        const QString other = site_->path(QStringLiteral("other"));
        QVERIFY(QDir().mkpath(other));
        QVERIFY(writeFile(listFile(), fs::encodeText(fs::joinLines(
                                          {"gone", site_->path(QStringLiteral("gone")), "other", other}))));
        frm_Working_Folder* d = open();
        QCOMPARE(d->cbo_List->count(), 3);
        QCOMPARE(d->cbo_List->currentIndex(), 0);

        // A remembered folder that no longer exists: nothing happens.
        d->cbo_List->setCurrentIndex(1);
        QCOMPARE(d->dir_Folder->path(), siteFolder());

        d->cbo_List->setCurrentIndex(2);
        QCOMPARE(d->dir_Folder->path(), other);
        QCOMPARE(d->lbl_cur_Folder->text(), other);
        QVERIFY(visibleIn(d->cmd_List[1], d));
        // Nothing is chosen until OK.
        QCOMPARE(state().Working_Folder, site_->workingFolder());
        QTest::mouseClick(d->cmd_OK, Qt::LeftButton);
        QCOMPARE(state().Working_Folder, other + QLatin1Char('/'));
    }

    void fullListTakesNoMore()
    {
        QStringList lines;
        for (int i = 1; i <= 50; ++i)
            lines << QStringLiteral("f%1").arg(i) << QStringLiteral("/nowhere/f%1").arg(i);
        QVERIFY(writeFile(listFile(), fs::encodeText(fs::joinLines(lines))));
        frm_Working_Folder* d = open();
        QCOMPARE(d->cbo_List->count(), 51);
        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("No More Folders May be Added"));
        QTest::mouseClick(d->cmd_List[0], Qt::LeftButton);
        QVERIFY(script.allUsed());
        QCOMPARE(script.messages().at(0).icon, dialogs::Icon::Critical);
        QCOMPARE(script.messages().at(0).title, QStringLiteral("TWE - Folder Selection"));
        QCOMPARE(readFile(listFile()), fs::encodeText(fs::joinLines(lines)));
        QCOMPARE(d->cbo_List->count(), 51);
    }

    void defaultWorkingFolderIsTheProgramFolder()
    {
        frm_Working_Folder* d = open();
        QTest::mouseClick(d->cmd_App, Qt::LeftButton);
        const QString program = fs::withoutSeparator(site_->programFolder());
        QCOMPARE(d->dir_Folder->path(), program);
        QCOMPARE(d->lbl_cur_Folder->text(), program);
        QCOMPARE(state().Working_Folder, site_->workingFolder());
    }

    void driveThatCannotBeRead()
    {
        frm_Working_Folder* d = open();
        d->dir_Folder->setPath(site_->programFolder());
        d->drv_Folder->addItem(QStringLiteral("/no/such/drive/"));
        const int bad = d->drv_Folder->count() - 1;
        d->drv_Folder->setCurrentIndex(bad);
        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("This Drive is not Available"));
        emit d->drv_Folder->activated(bad);
        QVERIFY(script.allUsed());
        QCOMPARE(script.messages().at(0).icon, dialogs::Icon::Critical);
        QCOMPARE(script.messages().at(0).title, QStringLiteral("TWE - Select Drive"));
        QCOMPARE(d->drv_Folder->drive(), fs::rootOf(site_->workingFolder()));
        QCOMPARE(d->dir_Folder->path(), siteFolder());
    }

    void choosingADriveShowsItsRoot()
    {
        frm_Working_Folder* d = open();
        const int i = d->drv_Folder->findText(QStringLiteral("/"));
        QVERIFY(i >= 0);
        d->drv_Folder->setCurrentIndex(i);
        emit d->drv_Folder->activated(i);
        QCOMPARE(d->dir_Folder->path(), QStringLiteral("/"));
        QCOMPARE(d->lbl_cur_Folder->text(), QStringLiteral("/"));
    }

    void hints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cbo_List") << "cbo_List" << " Select an existing Working Folder ";
        QTest::newRow("cmd_App") << "cmd_App" << " Use the Default Working Folder ";
        QTest::newRow("cmd_Cancel") << "cmd_Cancel" << " Cancel - Do not change Working Folders ";
        QTest::newRow("cmd_Close") << "cmd_Close" << " Close Dialog Box ";
        QTest::newRow("cmd_List(0)") << "cmd_List_0" << " Add Current Folder to List ";
        QTest::newRow("cmd_List(1)") << "cmd_List_1" << " Remove Current Folder from List ";
        QTest::newRow("cmd_OK") << "cmd_OK" << " OK - Use Current Folder ";
        QTest::newRow("dir_Folder") << "dir_Folder" << " Select a Folder ";
        QTest::newRow("drv_Folder") << "drv_Folder" << " Select a Drive ";
        QTest::newRow("txt_New_Folder") << "txt_New_Folder" << " Enter a name for a new Folder ";
    }
    void hints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        frm_Working_Folder* d = open();
        QWidget* w = d->findChild<QWidget*>(control);
        QVERIFY(w);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(w, &in);
        QCOMPARE(d->lbl_Focus->text(), hint);
    }

    void altHomeMovesTheDialog()
    {
        frm_Working_Folder* d = open();
        d->moveTwips(900, 900);
        QTest::keyClick(d->cbo_List, Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(d->frame()->pos(), QPoint(Px_From_Twips_X(60), Px_From_Twips_Y(60)));
    }

    void closeButtonOfTheFrameClosesLikeCancel()
    {
        frm_Working_Folder* d = open();
        d->dir_Folder->setPath(site_->programFolder());
        d->frame()->close();
        QVERIFY(!d->frameVisible());
        QVERIFY(forms::Start()->topMenusEnabled());
        QCOMPARE(state().Working_Folder, site_->workingFolder());
    }
};
TESK_TEST(WorkingFolderDialogTest)

#include "working_folder_dialog_test.moc"
