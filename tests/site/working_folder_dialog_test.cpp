// The working folder dialog driven through its controls: choosing and making
// folders, the remembered list, the drive list, and what changes (or does not)
// in the program when the dialog closes.

#include "tesk_test.h"
#include "test_support.h"

#include "app/arrange.h"
#include "ui/forms.h"
#include "app/frm_Start.h"
#include "core/shared_state.h"
#include "ui/folder_controls.h"
#include "site/folder_list.h"
#include "site/frm_Working_Folder.h"
#include "source/frm_Source.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>

#include <memory>

using namespace tesk::test;

class WorkingFolderDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempSite> site_;
    std::unique_ptr<ScriptedDialogs> script_;  // every message of a test, checked used up at its end

    // The site folder as the tree shows it (no trailing separator).
    QString siteFolder() const { return fs::withoutSeparator(site_->workingFolder()); }
    QString listFile() const { return site_->programFolder() + QStringLiteral("References/Folder.lst"); }
    bool writeList(const QStringList& lines) const
    {
        return writeFile(listFile(), fs::encodeText(fs::joinLines(lines)));
    }

    // The folder shown: the tree's, when the label says the same.
    static QString shown(frm_Working_Folder* d)
    {
        const QString tree = d->dir_Folder->path();
        const QString label = d->lbl_cur_Folder->text();
        return label == tree ? tree : tree + QStringLiteral(" (label: %1)").arg(label);
    }
    // The remembered list as shown: its entries, the one selected and the
    // button of the pair that is shown.
    static QString listShown(frm_Working_Folder* d)
    {
        const bool add = d->cmd_List[0]->isVisibleTo(d);
        const char* button = add == d->cmd_List[1]->isVisibleTo(d) ? "both or neither" : add ? "Add" : "Delete";
        return items(d->cbo_List).join(QLatin1Char('|')) + QStringLiteral(" @%1 ").arg(d->cbo_List->currentIndex())
            + QLatin1String(button);
    }

    frm_Working_Folder* open()
    {
        forms::Start()->mnu_File_Working_Folder->trigger();
        return forms::Working_Folder_If_Loaded();
    }

private slots:
    void init()
    {
        resetProgram();
        site_ = std::make_unique<TempSite>();
        script_ = std::make_unique<ScriptedDialogs>();
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
        QVERIFY(script_->allUsed());
        script_.reset();
        resetProgram();
        site_.reset();
    }

    // Opened in the dialog manner on the working folder; the control that
    // gets the focus is named in the hint line.
    void opensOnTheWorkingFolder()
    {
        frm_Working_Folder* d = open();
        QVERIFY(d && d->frameVisible() && !forms::Start()->topMenusEnabled());
        QCOMPARE(shown(d), siteFolder());
        QCOMPARE(d->drv_Folder->drive(), fs::rootOf(siteFolder()));
        QCOMPARE(listShown(d), QStringLiteral(" Select a Folder @0 Add"));
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(d->cmd_OK, &in);
        const QString okHint = d->lbl_Focus->text();
        QCoreApplication::sendEvent(d->dir_Folder, &in);
        QVERIFY(!okHint.trimmed().isEmpty() && d->lbl_Focus->text() != okHint);
    }

    // "&Default Working Folder" shows the program folder; every way out but
    // OK leaves the working folder as it was.
    void waysOutChangeNothing_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Cancel") << "cmd_Cancel";
        QTest::newRow("X") << "cmd_Close";
        QTest::newRow("the frame's close button") << "";
    }
    void waysOutChangeNothing()
    {
        QFETCH(QString, way);
        frm_Working_Folder* d = open();
        QTest::mouseClick(d->cmd_App, Qt::LeftButton);
        QCOMPARE(shown(d), fs::withoutSeparator(site_->programFolder()));
        if (way.isEmpty())
            d->frame()->close();
        else
            QTest::mouseClick(d->findChild<QPushButton*>(way), Qt::LeftButton);
        QVERIFY(!d->frameVisible() && forms::Start()->topMenusEnabled());
        QCOMPARE(state().Working_Folder, site_->workingFolder());
    }

    void startsAtTheDriveRootWhenTheWorkingFolderIsGone()
    {
        state().Working_Folder = site_->path(QStringLiteral("gone/"));
        QCOMPARE(shown(open()), fs::withoutSeparator(fs::rootOf(site_->programFolder())));
    }

    // What a new user does: type a name, Enter, Yes, OK. Edits not yet
    // saved are offered first, and saved into the old site; the new site's
    // folders are made, the program points at them and the editor is cleared.
    void newFolderBecomesTheSite()
    {
        SharedState& s = state();
        s.Source_Window_Pos = 2;
        const QString oldPage = s.Final_Pages_Folder + QStringLiteral("index.html");
        s.Source_Title = QStringLiteral("index.rtf");
        s.Source_Path = s.Working_Pages_Folder + s.Source_Title;
        s.HTML_Name = QStringLiteral("index");
        forms::Source()->rtf_Source->setText(QStringLiteral("a page of the old site"));
        s.Source_Changed = true;
        frm_Working_Folder* d = open();
        script_->expectMessage(QStringLiteral("Use My Club as a New Folder?"), dialogs::Answer::Yes);
        script_->expectMessage(QStringLiteral("Save Changes to index.rtf?"), dialogs::Answer::Yes);
        d->txt_New_Folder->setText(QStringLiteral("My Club"));
        QTest::keyClick(d->txt_New_Folder, Qt::Key_Return);
        const QString club = siteFolder() + QStringLiteral("/My Club");
        QCOMPARE(shown(d), club);
        QVERIFY(d->txt_New_Folder->text().isEmpty());

        QTest::mouseClick(d->cmd_OK, Qt::LeftButton);
        QCOMPARE(readFile(oldPage), QByteArray("a page of the old site"));
        for (const char* sub : {"Working-Pages", "Final-Pages", "Final-Pages/Images", "Final-Pages/Backgrnd"})
            QVERIFY2(QFileInfo(club + QLatin1Char('/') + QLatin1String(sub)).isDir(), sub);
        QCOMPARE(s.Working_Folder, club + QLatin1Char('/'));
        QCOMPARE(forms::Source()->rtf_Source->TextLength(), 0);
        QVERIFY(!d->frameVisible() && forms::Start()->topMenusEnabled());
        QCOMPARE(shown(open()), club);  // opening again starts in the new site
    }

    // Leaving the box asks too; a name that would leave the folder shown is
    // refused, and nothing is made on No.
    void newFolderNotEntered_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("yes");
        QTest::newRow("leaving the box, Yes: made") << "Garden" << true;
        QTest::newRow("No: nothing made") << "Later" << false;
        QTest::newRow("up and out: refused") << "../escape" << true;
    }
    void newFolderNotEntered()
    {
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        const bool made = yes && !typed.contains(QLatin1Char('/'));
        frm_Working_Folder* d = open();
        const auto entries = [&] {
            return QDir(site_->path(QString())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                + QDir(siteFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();
        script_->expectMessage(QStringLiteral("Use ") + typed + QStringLiteral(" as a New Folder?"),
                             yes ? dialogs::Answer::Yes : dialogs::Answer::No);
        if (yes && !made)
            script_->expectMessage(typed + QStringLiteral(" could not be created. "));
        d->txt_New_Folder->setText(typed);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(d->txt_New_Folder, &out);
        QTRY_VERIFY(script_->allUsed());
        QCOMPARE(shown(d), made ? siteFolder() + QLatin1Char('/') + typed : siteFolder());
        if (!made)
            QCOMPARE(entries(), before);
        QVERIFY(d->txt_New_Folder->text().isEmpty());
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
        script_->expectMessage(QStringLiteral("Do you wish to create\r\na Working-Pages Folder and\r\n"
                                            "a Final-Pages Folder\r\nwith in a ")
                                 + name + QStringLiteral(" File?"),
                             yes ? dialogs::Answer::Yes : dialogs::Answer::No);
        QTest::mouseClick(d->cmd_OK, Qt::LeftButton);
        QCOMPARE(state().Working_Folder, yes ? chosen + QLatin1Char('/') : site_->workingFolder());
        QCOMPARE(QFileInfo(chosen + QStringLiteral("/Final-Pages/Backgrnd")).isDir(), yes);
        QCOMPARE(std::pair(d->frameVisible(), forms::Start()->topMenusEnabled()), std::pair(!yes, yes));
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
        QVERIFY(!QFileInfo::exists(locked + QStringLiteral("/Working-Pages")));
        QVERIFY(!d->frameVisible());
    }

    // The list file's rules are the list's own; here the list shown, the
    // button pair and the list in memory follow them.
    void addThenDeleteTheCurrentFolder()
    {
        frm_Working_Folder* d = open();
        QTest::mouseClick(d->cmd_List[0], Qt::LeftButton);
        QCOMPARE(readFile(listFile()), QByteArray("site\r\n") + siteFolder().toUtf8() + "\r\n");
        QCOMPARE(listShown(d), QStringLiteral(" Select a Folder|site @1 Delete"));
        QTest::mouseClick(d->cmd_List[1], Qt::LeftButton);
        QCOMPARE(QFileInfo(listFile()).size(), 0);
        QCOMPARE(listShown(d), QStringLiteral(" Select a Folder @0 Add"));
        QCOMPARE(folder_list::Count(state().Folder_List), 0);
    }

    // A delete or an add that cannot be written, or an add to a full list,
    // changes neither the list shown nor the list in memory; the user is told.
    // (A full disk fails the same way: the file service's tests.)
    void listThatCannotChangeStaysAsItWas()
    {
        const QString refs = site_->programFolder() + QStringLiteral("References");
        QVERIFY(writeList({"site", siteFolder(), "other", "/other"}));
        frm_Working_Folder* d = open();
        const QString before = QStringLiteral(" Select a Folder|site|other @1 Delete");
        QCOMPARE(listShown(d), before);
        setReadOnly(listFile(), true);
        setReadOnly(refs, true);
        script_->answerNextMessage(dialogs::Answer::Ok).answerNextMessage(dialogs::Answer::Ok);
        QTest::mouseClick(d->cmd_List[1], Qt::LeftButton);
        QCOMPARE(listShown(d), before);
        d->dir_Folder->setPath(site_->programFolder());
        QTest::mouseClick(d->cmd_List[0], Qt::LeftButton);
        setReadOnly(refs, false);
        setReadOnly(listFile(), false);
        for (const dialogs::Message& m : script_->messages())
            QVERIFY2(m.text.contains(listFile()), qPrintable(m.text));
        QCOMPARE(listShown(d), QStringLiteral(" Select a Folder|site|other @0 Add"));
        QCOMPARE(folder_list::Count(state().Folder_List), 2);

        QStringList lines;
        for (int i = 1; i <= 50; ++i)
            lines << QStringLiteral("f%1").arg(i) << QStringLiteral("/nowhere/f%1").arg(i);
        QVERIFY(writeList(lines));
        d->Retrieve_Folders();
        script_->expectMessage(QStringLiteral("No More Folders May be Added"));
        QTest::mouseClick(d->cmd_List[0], Qt::LeftButton);
        QCOMPARE(d->cbo_List->count(), 51);
    }

    // A remembered folder moves the tree to it, found by its path even when
    // another has the same name; one that is gone changes nothing; nothing
    // is chosen until OK.
    void choosingARememberedFolder()
    {
        const QString a = site_->path(QStringLiteral("a/club"));
        const QString b = site_->path(QStringLiteral("b/club"));
        QVERIFY(QDir().mkpath(a) && QDir().mkpath(b));
        QVERIFY(writeList({"gone", site_->path(QStringLiteral("gone")), "club", a, "club", b}));
        state().Working_Folder = b + QLatin1Char('/');
        frm_Working_Folder* d = open();
        QCOMPARE(listShown(d), QStringLiteral(" Select a Folder|gone|club|club @3 Delete"));
        QCOMPARE(shown(d), b);
        d->cbo_List->setCurrentIndex(1);
        QCOMPARE(shown(d), b);
        d->cbo_List->setCurrentIndex(2);
        QCOMPARE(shown(d), a);
        QCOMPARE(state().Working_Folder, b + QLatin1Char('/'));
        QTest::mouseClick(d->cmd_OK, Qt::LeftButton);
        QCOMPARE(state().Working_Folder, a + QLatin1Char('/'));
    }

    // By keys alone: the dialog opens on the tree; Tab and Shift+Tab go
    // round its controls in the order they are read; Esc cancels, and the
    // focus is then where the user works: the editor, or the empty editor's
    // open button.
    void byKeysAlone_data()
    {
        QTest::addColumn<bool>("back");
        QTest::addColumn<QString>("round");
        const QString order = "dir_Folder drv_Folder cmd_OK cmd_Cancel cmd_Close txt_New_Folder cbo_List cmd_List_0 "
                              "cmd_App dir_Folder";
        QTest::newRow("Tab, no document") << false << order;
        QStringList reversed = order.split(' ');
        std::reverse(reversed.begin(), reversed.end());
        QTest::newRow("Shift+Tab, a document open") << true << reversed.join(' ');
    }
    void byKeysAlone()
    {
        QFETCH(bool, back);
        state().Source_Window_Pos = 2;
        frm_Source* source = forms::Source();
        back ? source->Enable_Menus() : source->Clear_Source();
        QVERIFY(QTest::qWaitForWindowActive(forms::Start()));
        frm_Working_Folder* d = open();
        QStringList round{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            round << QApplication::focusWidget()->objectName();
        }
        QTEST(round.join(' '), "round");

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!d->frameVisible());
        QCOMPARE(state().Working_Folder, site_->workingFolder());
        QTRY_COMPARE(QApplication::focusWidget(), back ? static_cast<QWidget*>(source->rtf_Source) : source->cmd_Open);
    }

    // A drive that cannot be read says so, and the dialog goes back to the
    // working folder.
    void driveNotAvailable()
    {
        frm_Working_Folder* d = open();
        d->drv_Folder->addItem(QStringLiteral("/no/such/drive/"));
        const int bad = d->drv_Folder->count() - 1;
        d->drv_Folder->setCurrentIndex(bad);
        script_->expectMessage(QStringLiteral("This Drive is not Available"));
        emit d->drv_Folder->activated(bad);
        QCOMPARE(d->drv_Folder->drive(), fs::rootOf(site_->workingFolder()));
        QCOMPARE(shown(d), siteFolder());
    }
};
TESK_TEST(WorkingFolderDialogTest)

#include "working_folder_dialog_test.moc"
