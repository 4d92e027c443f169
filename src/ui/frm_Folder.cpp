#include "ui/frm_Folder.h"

#include "ui/window_manner.h"
#include "platform/screen.h"
#include "core/shared_state.h"
#include "ui/folder_controls.h"
#include "core/site_layout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frm_Folder::frm_Folder(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Folder"));
    setWindowTitle(QStringLiteral("Add Folder to List"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    buildControls();
    Form_Load();
}

void frm_Folder::buildControls()
{
    txt_New_Folder = new QLineEdit(this);
    txt_New_Folder->setObjectName(QStringLiteral("txt_New_Folder"));
    drv_Folder = new DriveList(this);
    drv_Folder->setObjectName(QStringLiteral("drv_Folder"));
    dir_Folder = new FolderTree(this);
    dir_Folder->setObjectName(QStringLiteral("dir_Folder"));
    dir_Folder->setMinimumSize(300, 260);
    lbl_cur_Folder = new QLabel(this);
    lbl_cur_Folder->setObjectName(QStringLiteral("lbl_cur_Folder"));
    Make_Sunken(lbl_cur_Folder);
    cmd_Add = new QPushButton(QStringLiteral("&Add Current Folder to List"), this);
    cmd_Add->setObjectName(QStringLiteral("cmd_Add"));
    cmd_Exit = new QPushButton(QStringLiteral("&X"), this);
    cmd_Exit->setObjectName(QStringLiteral("cmd_Exit"));
    cmd_Exit->setFixedWidth(cmd_Exit->sizeHint().height() + 6);
    // Enter belongs to the name box and the tree, never to a default button.
    for (QPushButton* b : {cmd_Add, cmd_Exit}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    Make_Sunken(lbl_Focus);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Create a New Folder:"), this), 0, 0);
    grid->addWidget(txt_New_Folder, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Current Drive:"), this), 1, 0);
    grid->addWidget(drv_Folder, 1, 1);
    grid->addWidget(dir_Folder, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Current Folder:"), this), 3, 0);
    grid->addWidget(lbl_cur_Folder, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd_Add, 1);
    buttons->addWidget(cmd_Exit);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->addWidget(lbl_Focus, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    setTabOrder(txt_New_Folder, drv_Folder);
    setTabOrder(drv_Folder, dir_Folder);
    setTabOrder(dir_Folder, cmd_Add);
    setTabOrder(cmd_Add, cmd_Exit);

    box_.c = {this, txt_New_Folder, dir_Folder, drv_Folder, lbl_Focus};
    box_.title = QStringLiteral("Add Folder");
    box_.hints = {
        {cmd_Add, QStringLiteral(" Add Folder to List ")},
        {cmd_Exit, QStringLiteral(" Close Dialog Box ")},
        {dir_Folder, QStringLiteral(" List of Folders ")},
        {drv_Folder, QStringLiteral(" Select a Drive ")},
        {txt_New_Folder, QStringLiteral(" Enter a Folder Name ")},
    };
    box_.open = [this] { return isVisible(); };
    box_.create = [this] { Create_New_Folder(); };
    box_.move = [this](int& keyCode, int shift) { return Move_Window_Keys(keyCode, shift, this); };
    box_.Watch_Controls();

    connect(cmd_Add, &QPushButton::clicked, this, [this] {
        state().Selected_Folder = dir_Folder->path();
        accept();
    });
    connect(cmd_Exit, &QPushButton::clicked, this, [this] { reject(); });
    connect(drv_Folder, &DriveList::driveChosen, this, [this] {
        if (loaded_)
            Drive_Changed(drv_Folder, dir_Folder);
    });
    connect(dir_Folder, &FolderTree::pathChanged, this, [this](const QString& path) {
        if (!loaded_)
            return;
        lbl_cur_Folder->setText(path);
        emit folderShown(path);
    });
}

void frm_Folder::Form_Load()
{
    SharedState& s = state();
    if (s.Selected_Folder.isEmpty())
        s.Selected_Folder = s.Working_Folder;
    drv_Folder->Refresh_Drives();
    drv_Folder->setDrive(s.Selected_Folder);
    dir_Folder->setPath(s.Selected_Folder);
    lbl_cur_Folder->setText(dir_Folder->path());
    adjustSize();
    loaded_ = true;
}

void frm_Folder::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

void frm_Folder::Form_Activate()
{
    Place_Over_Help_Window(this);
}

void frm_Folder::Create_New_Folder()
{
    // The new folder appears in the tree; the folder shown stays.
    box_.Create(cmd_Add);
}

bool frm_Folder::eventFilter(QObject* watched, QEvent* event)
{
    return box_.Handle_Event(watched, event) || QDialog::eventFilter(watched, event);
}
