// The "Add Folder to List" picker: where it starts, what it hands back, the
// folders it makes and where it places itself.

#include "tesk_test.h"
#include "test_support.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "ui/folder_controls.h"
#include "ui/frm_Folder.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace tesk::test;

class FolderPickerTest : public QObject {
    Q_OBJECT

    TempSite site_;
    QString siteFolder() const { return fs::withoutSeparator(site_.workingFolder()); }
    QString images() const { return site_.path(QStringLiteral("site/Final-Pages/Images")); }

private slots:
    void init()
    {
        resetProgram();
        site_.apply();
    }
    void cleanup() { resetProgram(); }

    // It starts in the working folder (or the folder asked for), hands back
    // the folder shown with Add and keeps the one asked for with X.
    void startsAndHandsBack_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("add");
        QTest::newRow("working folder, Add") << QString() << true;
        QTest::newRow("folder asked for, X") << "site/Final-Pages" << false;
    }
    void startsAndHandsBack()
    {
        QFETCH(QString, selected);
        QFETCH(bool, add);
        if (!selected.isEmpty())
            state().Selected_Folder = site_.path(selected);
        const QString start = selected.isEmpty() ? siteFolder() : site_.path(selected);
        frm_Folder picker;
        QCOMPARE(picker.dir_Folder->path(), start);
        const QString before = state().Selected_Folder;
        QSignalSpy shown(&picker, &frm_Folder::folderShown);
        picker.dir_Folder->setPath(images());
        QCOMPARE(shown.count(), 1);
        QTest::mouseClick(add ? picker.cmd_Add : picker.cmd_Exit, Qt::LeftButton);
        QCOMPARE(picker.result(), int(add ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(state().Selected_Folder, add ? images() : before);
    }

    // The new folder is made, the tree stays and Enter does not close the
    // picker.
    void newFolder()
    {
        frm_Folder picker;
        ScriptedDialogs script;
        script.expectMessage(QStringLiteral("Use Pictures as a New Folder?"), dialogs::Answer::Yes);
        picker.txt_New_Folder->setText(QStringLiteral("Pictures"));
        QTest::keyClick(picker.txt_New_Folder, Qt::Key_Return);
        QVERIFY(script.allUsed());
        QVERIFY(QFileInfo(siteFolder() + QStringLiteral("/Pictures")).isDir());
        QCOMPARE(picker.dir_Folder->path(), siteFolder());
        QVERIFY(picker.txt_New_Folder->text().isEmpty());
        QCOMPARE(picker.result(), int(QDialog::Rejected));
    }

};
TESK_TEST(FolderPickerTest)

#include "folder_picker_test.moc"
