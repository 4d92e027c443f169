#include "site/frm_Working_Folder.h"

#include "ui/window_manner.h"
#include "ui/forms.h"
#include "platform/screen.h"
#include "core/main_window_port.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/vb_keys.h"
#include "ui/folder_controls.h"
#include "site/folder_list.h"
#include "core/site_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Working_Folder, Working_Folder)

namespace {

const QString kTitle = QStringLiteral("Working Folder");
const QString kListTitle = QStringLiteral("TWE - Folder Selection");

QString listFile()
{
    return folder_list::File_Path(state().Reference_Folder);
}

// The list could not be written: the user hears which file, and why.
void reportListNotSaved(fs::Result r)
{
    dialogs::message(QStringLiteral("The list of working folders could not be saved:\r\n") + listFile()
                         + QStringLiteral("\r\n(") + fs::describe(r)
                         + QStringLiteral(")\r\nThe list is unchanged."),
                     dialogs::Buttons::Ok, dialogs::Icon::Exclamation, kListTitle);
}

} // namespace

frm_Working_Folder::frm_Working_Folder() : ToolWindow(kTitle)
{
    setObjectName(QStringLiteral("frm_Working_Folder"));
    buildControls();
}

void frm_Working_Folder::buildControls()
{
    fra_New_Folder = new QGroupBox(QStringLiteral(" Create a &New Folder "), this);
    txt_New_Folder = new QLineEdit(fra_New_Folder);
    txt_New_Folder->setObjectName(QStringLiteral("txt_New_Folder"));
    auto* newLayout = new QVBoxLayout(fra_New_Folder);
    newLayout->addWidget(txt_New_Folder);

    fra_List = new QGroupBox(QStringLiteral(" &Existing Working Folders "), this);
    cbo_List = new QComboBox(fra_List);
    cbo_List->setObjectName(QStringLiteral("cbo_List"));
    cbo_List->setMinimumContentsLength(24);
    cbo_List->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmd_List[0] = new QPushButton(QStringLiteral("Add Current Folder to List"), fra_List);
    cmd_List[0]->setObjectName(QStringLiteral("cmd_List_0"));
    cmd_List[1] = new QPushButton(QStringLiteral("Delete Folder from List"), fra_List);
    cmd_List[1]->setObjectName(QStringLiteral("cmd_List_1"));
    cmd_List[1]->hide();
    cmd_App = new QPushButton(QStringLiteral("&Default Working Folder"), fra_List);
    cmd_App->setObjectName(QStringLiteral("cmd_App"));
    auto* listLayout = new QVBoxLayout(fra_List);
    listLayout->addWidget(cbo_List);
    listLayout->addWidget(cmd_List[0]);
    listLayout->addWidget(cmd_List[1]);
    listLayout->addWidget(cmd_App);

    fra_Note = new QGroupBox(QStringLiteral(" Important Note: "), this);
    auto* noteLayout = new QVBoxLayout(fra_Note);
    noteLayout->addWidget(new QLabel(QStringLiteral("For a new WEB Site a Working-Pages Folder and"), fra_Note));
    noteLayout->addWidget(new QLabel(QStringLiteral("a Final-Pages Folder will be added."), fra_Note));

    fra_Folder = new QGroupBox(QStringLiteral(" &Select a Folder "), this);
    dir_Folder = new FolderTree(fra_Folder);
    dir_Folder->setObjectName(QStringLiteral("dir_Folder"));
    dir_Folder->setMinimumSize(280, 230);
    drv_Folder = new DriveList(fra_Folder);
    drv_Folder->setObjectName(QStringLiteral("drv_Folder"));
    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(new QLabel(QStringLiteral("Change Drive:"), fra_Folder));
    driveRow->addWidget(drv_Folder, 1);
    auto* folderLayout = new QVBoxLayout(fra_Folder);
    folderLayout->addWidget(dir_Folder, 1);
    folderLayout->addLayout(driveRow);

    lbl_cur_Folder = new QLabel(this);
    lbl_cur_Folder->setObjectName(QStringLiteral("lbl_cur_Folder"));
    Make_Sunken(lbl_cur_Folder);
    lbl_cur_Folder->setMinimumWidth(300);

    cmd_OK = new QPushButton(QStringLiteral("&OK"), this);
    cmd_OK->setObjectName(QStringLiteral("cmd_OK"));
    cmd_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Close = Make_Close_Button(this, QStringLiteral("cmd_Close"));

    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    Make_Sunken(lbl_Focus);

    auto* left = new QVBoxLayout;
    left->addWidget(fra_New_Folder);
    left->addWidget(fra_List);
    left->addWidget(fra_Note);
    left->addStretch(1);

    auto* current = new QHBoxLayout;
    current->addWidget(new QLabel(QStringLiteral("Current Folder:"), this));
    current->addWidget(lbl_cur_Folder, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lbl_Focus, 1);
    buttons->addSpacing(12);
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_Cancel);
    buttons->addWidget(cmd_Close);

    auto* grid = new QGridLayout(this);
    grid->addLayout(left, 0, 0);
    grid->addWidget(fra_Folder, 0, 1);
    grid->addLayout(current, 1, 0, 1, 2);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // Tab order: the way the dialog is read, top left to bottom right.
    setTabOrder(txt_New_Folder, cbo_List);
    setTabOrder(cbo_List, cmd_List[0]);
    setTabOrder(cmd_List[0], cmd_List[1]);
    setTabOrder(cmd_List[1], cmd_App);
    setTabOrder(cmd_App, dir_Folder);
    setTabOrder(dir_Folder, drv_Folder);
    setTabOrder(drv_Folder, cmd_OK);
    setTabOrder(cmd_OK, cmd_Cancel);
    setTabOrder(cmd_Cancel, cmd_Close);

    box_.c = {this, txt_New_Folder, dir_Folder, drv_Folder, lbl_Focus};
    box_.title = kTitle;
    box_.hints = {
        {cbo_List, QStringLiteral(" Select an existing Working Folder ")},
        {cmd_App, QStringLiteral(" Use the Default Working Folder ")},
        {cmd_Cancel, QStringLiteral(" Cancel - Do not change Working Folders ")},
        {cmd_Close, QStringLiteral(" Close Dialog Box ")},
        {cmd_List[0], QStringLiteral(" Add Current Folder to List ")},
        {cmd_List[1], QStringLiteral(" Remove Current Folder from List ")},
        {cmd_OK, QStringLiteral(" OK - Use Current Folder ")},
        {dir_Folder, QStringLiteral(" Select a Folder ")},
        {drv_Folder, QStringLiteral(" Select a Drive ")},
        {txt_New_Folder, QStringLiteral(" Enter a name for a new Folder ")},
    };
    box_.open = [this] { return shown_; };
    box_.create = [this] { Create_New_Folder(); };
    box_.move = [this](int& keyCode, int shift) { return Move_Dialog_Keys(keyCode, shift, this); };
    box_.Watch_Controls();

    connect(cmd_OK, &QPushButton::clicked, this, [this] {
        if (!dir_Folder->path().isEmpty())
            Select_Working_Folder();
    });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { Close_Form(); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { Close_Form(); });
    connect(cmd_App, &QPushButton::clicked, this, [this] {
        const SharedState& s = state();
        const QString program = s.Default_Working_Folder.isEmpty() ? s.Program_Folder : s.Default_Working_Folder;
        drv_Folder->setDrive(program);
        dir_Folder->setPath(program);
    });
    connect(cmd_List[0], &QPushButton::clicked, this, [this] { Add_Folder_to_List(); });
    connect(cmd_List[1], &QPushButton::clicked, this, [this] { Delete_Folder_from_List(); });
    connect(cbo_List, &QComboBox::currentIndexChanged, this, [this](int line) { listSelected(line); });
    connect(drv_Folder, &DriveList::driveChosen, this, [this] {
        if (shown_)
            Drive_Changed(drv_Folder, dir_Folder);
    });
    connect(dir_Folder, &FolderTree::pathChanged, this, [this] { folderChanged(); });
}

void frm_Working_Folder::Form_Load()
{
    joinMainWindowAsDialog();
}

void frm_Working_Folder::Open_Dialog()
{
    frm_Working_Folder* d = forms::Working_Folder();
    d->Prepare();
    Show_Dialog(d);
    d->Form_Activate();
}

void frm_Working_Folder::Prepare()
{
    const SharedState& s = state();
    shown_ = false;
    const QString start = fs::folderExists(s.Working_Folder) ? s.Working_Folder
                                                             : site::Drive_Of(s.Program_Folder);
    drv_Folder->Refresh_Drives();
    drv_Folder->setDrive(start);
    dir_Folder->setPath(start);
    dir_Folder->Show_Path();
    lbl_cur_Folder->setText(dir_Folder->path());
    txt_New_Folder->clear();
}

void frm_Working_Folder::Form_Activate()
{
    SharedState& s = state();
    QPoint mainWindow(0, 0);
    if (const MainWindowPort* m = mainWindowPort())
        mainWindow = QPoint(Twips_From_Px_X(m->frameGeometryPx().x()),
                            Twips_From_Px_Y(m->frameGeometryPx().y()));
    const QPoint help(Twips_From_Px_X(s.Help_Left), Twips_From_Px_Y(s.Help_Top));
    const site::DialogPlacement p = site::Place_Working_Dialog(
        QSize(s.Client_Width, s.Client_Height), geometryTwips().size(), s.Help_Shown, mainWindow, help);
    if (p.moveHelp)
        Move_Help_Window(Px_From_Twips_X(p.help.x()), Px_From_Twips_Y(p.help.y()));
    if (p.moveDialog)
        moveTwips(p.dialog.x(), p.dialog.y());

    shown_ = true;
    Retrieve_Folders();
    // The tree is where a folder is chosen: arrow keys work at once.
    dir_Folder->setFocus();
}

// ---- the remembered folders ------------------------------------------------

void frm_Working_Folder::Retrieve_Folders()
{
    folder_list::Slots& list = state().Folder_List;
    const int count = folder_list::Read(listFile(), list);
    selecting_ = true;
    cbo_List->clear();
    cbo_List->addItem(QStringLiteral(" Select a Folder"));
    for (int i = 1; i <= count; ++i)
        cbo_List->addItem(list[i].Name);
    selecting_ = false;
    Find_Folder();
}

void frm_Working_Folder::Find_Folder()
{
    const QString path = lbl_cur_Folder->text();
    Show_Folder_Name(fs::folderExists(path) ? path : QString());
}

void frm_Working_Folder::Show_Folder_Name(const QString& path)
{
    // The entry is looked up by its path: two sites may share a folder name,
    // and a name alone would select (and move the tree to) the other one.
    const int line = path.isEmpty() ? 0 : folder_list::Find_Path(state().Folder_List, path);
    const bool found = line > 0 && line < cbo_List->count();
    selectLine(found ? line : 0);
    cmd_List[0]->setVisible(!found);
    cmd_List[1]->setVisible(found);
}

void frm_Working_Folder::selectLine(int line)
{
    if (cbo_List->currentIndex() != line)
        cbo_List->setCurrentIndex(line);
}

void frm_Working_Folder::listSelected(int line)
{
    (void)line;
    if (shown_ && !selecting_)
        Folder_Selected();
}

void frm_Working_Folder::Folder_Selected()
{
    const int i = cbo_List->currentIndex();
    if (i < 0 || i > folder_list::Max_Folders)
        return;
    const QString path = state().Folder_List[i].Path;
    if (!fs::folderExists(path))
        return;
    drv_Folder->setDrive(path);
    dir_Folder->setPath(path);
    dir_Folder->Refresh();
}

void frm_Working_Folder::Add_Folder_to_List()
{
    const QString path = lbl_cur_Folder->text();
    if (path.isEmpty() || !fs::folderExists(path))
        return;
    const QString name = folder_list::Folder_Name(path);
    const folder_list::AddResult r = folder_list::Add(state().Folder_List, listFile(), name, path);
    switch (r.outcome) {
    case folder_list::Added::Refreshed:
        Find_Folder();
        break;
    case folder_list::Added::Appended:
        selecting_ = true;
        cbo_List->addItem(name);
        selecting_ = false;
        Find_Folder();
        cmd_OK->setFocus();
        break;
    case folder_list::Added::Full:
        dialogs::message(QStringLiteral("No More Folders May be Added"), dialogs::Buttons::Ok,
                         dialogs::Icon::Critical, kListTitle);
        break;
    case folder_list::Added::Not_Saved:
        reportListNotSaved(r.io);
        break;
    }
}

void frm_Working_Folder::Delete_Folder_from_List()
{
    const int i = cbo_List->currentIndex();
    if (i < 1 || i >= cbo_List->count())
        return;
    if (const fs::Result r = folder_list::Remove(state().Folder_List, listFile(), i); r != fs::Result::Ok) {
        reportListNotSaved(r);
        return;
    }
    selecting_ = true;
    cbo_List->removeItem(i);
    selecting_ = false;
    selectLine(0);
    // The placeholder is selected: the button that goes with it is Add.
    cmd_List[0]->setVisible(true);
    cmd_List[1]->setVisible(false);
}

// ---- new folders and the choice ----------------------------------------------

void frm_Working_Folder::Create_New_Folder()
{
    box_.Create(cmd_OK, [this](const QString& made) { dir_Folder->setPath(made); });
}

void frm_Working_Folder::Select_Working_Folder()
{
    const QString folder = dir_Folder->path();
    // A folder removed behind the dialog's back cannot become the site.
    if (!fs::folderExists(folder))
        return;
    const QString name = folder_list::Folder_Name(folder);
    if (site::Is_Page_Folder_Name(name)) {
        const dialogs::Answer a = dialogs::message(site::Page_Folder_Question(name), dialogs::Buttons::YesNo,
                                                   dialogs::Icon::Question, kTitle);
        if (a != dialogs::Answer::Yes)
            return;
    }
    Change_Working_Folder(folder);
}

void frm_Working_Folder::Change_Working_Folder(const QString& folder)
{
    emit aboutToChangeFolder();
    site::Lay_Out_Site(folder);
    if (shown_)
        dir_Folder->Refresh();
    site::Set_Working_Folder(state(), folder);
    if (shown_)
        finishClose();

    // The open windows re-read what they show from the new site.
    emit workingFolderChanged();
}

void frm_Working_Folder::Close_Form()
{
    finishClose();
}

void frm_Working_Folder::closeRequested()
{
    Close_Form();
}

void frm_Working_Folder::finishClose()
{
    shown_ = false;
    Close_Dialog(this);
    emit closed();
}

void frm_Working_Folder::folderChanged()
{
    if (!shown_)
        return;
    lbl_cur_Folder->setText(dir_Folder->path());
    Find_Folder();
    dir_Folder->setFocus();
}

// ---- keys, hints, leaving the name box -----------------------------------------

bool frm_Working_Folder::eventFilter(QObject* watched, QEvent* event)
{
    if (box_.Handle_Event(watched, event))
        return true;
    if (event->type() == QEvent::KeyPress) {
        const vb::KeyStroke k = vb::fromEvent(*static_cast<QKeyEvent*>(event));
        // A folder picked from the list is looked at in the tree.
        if (watched == cbo_List && k.shift == 0 && (k.keyCode == vb::Key_Space || k.keyCode == vb::Key_Return)) {
            dir_Folder->setFocus();
            return true;
        }
        // Tab goes round the dialog's own controls in the order they are
        // read, never out to the windows behind it.
        const bool tab = k.keyCode == vb::Key_Tab && (k.shift == 0 || k.shift == vb::ShiftMask);
        const bool back = k.shift == vb::ShiftMask;
        if (tab && watched == (back ? static_cast<QObject*>(txt_New_Folder) : cmd_Close)) {
            (back ? static_cast<QWidget*>(cmd_Close) : txt_New_Folder)->setFocus(back ? Qt::BacktabFocusReason
                                                                                       : Qt::TabFocusReason);
            return true;
        }
    }
    return ToolWindow::eventFilter(watched, event);
}

bool frm_Working_Folder::windowKey(int keyCode, int shift)
{
    // Esc is Cancel, as in any dialog.
    if (keyCode == vb::Key_Escape && shift == 0) {
        Close_Form();
        return true;
    }
    return ToolWindow::windowKey(keyCode, shift);
}
