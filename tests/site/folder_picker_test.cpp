// The "Add Folder to List" picker: where it starts, what it hands back, and
// the folders it makes.

#include "tesk_test.h"
#include "test_support.h"

#include "core/screen.h"
#include "core/shared_state.h"
#include "platform/file_system.h"
#include "site/folder_controls.h"
#include "site/frm_Folder.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace tesk::test;

class FolderPickerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempSite> site_;
    QString siteFolder() const { return fs::withoutSeparator(site_->workingFolder()); }

private slots:
    void init()
    {
        resetProgram();
        site_ = std::make_unique<TempSite>();
        QVERIFY(site_->ok());
        site_->apply();
    }
    void cleanup()
    {
        resetProgram();
        site_.reset();
    }

    void startsInTheWorkingFolder()
    {
        frm_Folder picker;
        QCOMPARE(picker.windowTitle(), QStringLiteral("Add Folder to List"));
        QCOMPARE(state().Selected_Folder, site_->workingFolder());
        QCOMPARE(picker.dir_Folder->path(), siteFolder());
        QCOMPARE(picker.lbl_cur_Folder->text(), siteFolder());
        QCOMPARE(picker.drv_Folder->drive(), fs::rootOf(siteFolder()));
    }

    void startsInTheSelectedFolder()
    {
        const QString images = site_->path(QStringLiteral("site/Final-Pages/Images"));
        state().Selected_Folder = images;
        frm_Folder picker;
        QCOMPARE(picker.dir_Folder->path(), images);
        QCOMPARE(picker.lbl_cur_Folder->text(), images);
    }

    void addHandsBackTheFolderShown()
    {
        frm_Folder picker;
        const QString images = site_->path(QStringLiteral("site/Final-Pages/Images"));
        QSignalSpy shown(&picker, &frm_Folder::folderShown);
        picker.dir_Folder->setPath(images);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).toString(), images);
        QCOMPARE(picker.lbl_cur_Folder->text(), images);
        QTest::mouseClick(picker.cmd_Add, Qt::LeftButton);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QCOMPARE(state().Selected_Folder, images);
    }

    void exitKeepsTheSelectedFolder()
    {
        state().Selected_Folder = site_->workingFolder();
        frm_Folder picker;
        picker.dir_Folder->setPath(site_->programFolder());
        QTest::mouseClick(picker.cmd_Exit, Qt::LeftButton);
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QCOMPARE(state().Selected_Folder, site_->workingFolder());
    }

    void newFolderIsMadeButTheTreeStays()
    {
        frm_Folder picker;
        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("Use Pictures as a New Folder?"), dialogs::Answer::Yes);
        picker.txt_New_Folder->setText(QStringLiteral("Pictures"));
        QTest::keyClick(picker.txt_New_Folder, Qt::Key_Return);
        QVERIFY(script.allUsed());
        QCOMPARE(script.messages().at(0).title, QStringLiteral("Add Folder"));
        QVERIFY(QFileInfo(siteFolder() + QStringLiteral("/Pictures")).isDir());
        QCOMPARE(picker.dir_Folder->path(), siteFolder());
        QVERIFY(picker.txt_New_Folder->text().isEmpty());
        QCOMPARE(picker.result(), int(QDialog::Rejected));  // Enter did not close the picker
    }

    void hints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cmd_Add") << "cmd_Add" << " Add Folder to List ";
        QTest::newRow("cmd_Exit") << "cmd_Exit" << " Close Dialog Box ";
        QTest::newRow("dir_Folder") << "dir_Folder" << " List of Folders ";
        QTest::newRow("drv_Folder") << "drv_Folder" << " Select a Drive ";
        QTest::newRow("txt_New_Folder") << "txt_New_Folder" << " Enter a Folder Name ";
    }
    void hints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        frm_Folder picker;
        QWidget* w = picker.findChild<QWidget*>(control);
        QVERIFY(w);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(w, &in);
        QCOMPARE(picker.lbl_Focus->text(), hint);
    }

    void helpWindowIsPushedClear()
    {
        SharedState& s = state();
        s.Help_Shown = 1;
        s.Help_Left = 10;
        s.Help_Top = 10;
        frm_Folder picker;
        picker.Form_Activate();
        QCOMPARE(s.Help_Left, Px_From_Twips_X(1000));
        QCOMPARE(s.Help_Top, Px_From_Twips_Y(2000));
        QCOMPARE(picker.pos(), QPoint(Px_From_Twips_X(60), Px_From_Twips_Y(850)));
    }
};
TESK_TEST(FolderPickerTest)

#include "folder_picker_test.moc"
