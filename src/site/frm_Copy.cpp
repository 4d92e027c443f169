#include "site/frm_Copy.h"

#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/screen.h"
#include "platform/vb_keys.h"
#include "site/frm_Verify.h"
#include "site/page_pairs.h"
#include "ui/window_manner.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Copy, Copy)

namespace {

// The side's word between quotes, as the hints name it.
QString sideWord(int side)
{
    return side == 0 ? QStringLiteral("\"From\"") : QStringLiteral("\"To\"");
}

// The wait cursor for as long as files are being copied.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// Where the dialog starts: the site, or the program folder when there is none.
QString startFolder()
{
    const SharedState& s = state();
    return fs::withoutSeparator(s.Working_Folder.isEmpty() ? s.Program_Folder : s.Working_Folder);
}

} // namespace

frm_Copy::frm_Copy() : ToolWindow(copying::kCaption)
{
    setObjectName(QStringLiteral("frm_Copy"));
    buildControls();
}

QWidget* frm_Copy::buildSide(int i)
{
    const QString n = QString::number(i);
    auto* fra = new QGroupBox(i == 0 ? QStringLiteral(" &From ") : QStringLiteral(" &To "), this);
    fra->setObjectName(QStringLiteral("fra_Side_") + n);
    fra_Side[i] = fra;
    auto named = [&n](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name) + QLatin1Char('_') + n);
        return w;
    };
    lbl_Folder[i] = new QLabel(fra);
    named(lbl_Folder[i], "lbl_Folder");
    Make_Sunken(lbl_Folder[i]);
    cmd_WF[i] = new QPushButton(QStringLiteral("Select Working Folder"), fra);
    named(cmd_WF[i], "cmd_WF");
    cmd_RF[i] = new QPushButton(QStringLiteral("Select Program Folder"), fra);
    named(cmd_RF[i], "cmd_RF");
    dir_Folder[i] = new FolderTree(fra);
    named(dir_Folder[i], "dir_Folder");
    dir_Folder[i]->setMinimumHeight(60);
    drv_Folder[i] = new DriveList(fra);
    named(drv_Folder[i], "drv_Folder");
    txt_Text_Ext[i] = new QLineEdit(fra);
    named(txt_Text_Ext[i], "txt_Text_Ext");
    txt_Text_Ext[i]->setMaximumWidth(80);
    fil_Files[i] = new QListWidget(fra);
    named(fil_Files[i], "fil_Files");
    fil_Files[i]->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fil_Files[i]->setMinimumHeight(48);
    lbl_Name[i] = new QLabel(fra);
    named(lbl_Name[i], "lbl_Name");
    Make_Sunken(lbl_Name[i]);
    lbl_Date[i] = new QLabel(fra);
    named(lbl_Date[i], "lbl_Date");
    Make_Sunken(lbl_Date[i]);

    // Compact rows, so both sides fit a main window of 800 x 600.
    auto* grid = new QGridLayout(fra);
    grid->setVerticalSpacing(4);
    int row = 0;
    grid->addWidget(new QLabel(i == 0 ? QStringLiteral("Folder to Copy From:")
                                      : QStringLiteral("Copy Folders and Files To:"), fra), row++, 0, 1, 4);
    grid->addWidget(lbl_Folder[i], row++, 0, 1, 4);
    grid->addWidget(cmd_WF[i], row, 0, 1, 2);
    grid->addWidget(cmd_RF[i], row++, 2, 1, 2);
    grid->addWidget(dir_Folder[i], row, 0, 1, 4);
    grid->setRowStretch(row++, 3);
    grid->addWidget(drv_Folder[i], row, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("File Ext:"), fra), row, 2, Qt::AlignRight);
    grid->addWidget(txt_Text_Ext[i], row++, 3);
    grid->addWidget(fil_Files[i], row, 0, 1, 4);
    grid->setRowStretch(row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("File:"), fra), row, 0);
    grid->addWidget(lbl_Name[i], row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Last Modified:"), fra), row, 0);
    grid->addWidget(lbl_Date[i], row++, 1, 1, 3);
    if (i == 1) {
        txt_New_Folder = new QLineEdit(fra);
        txt_New_Folder->setObjectName(QStringLiteral("txt_New_Folder"));
        grid->addWidget(new QLabel(QStringLiteral("Create a New Folder:"), fra), row, 0, 1, 2);
        grid->addWidget(txt_New_Folder, row++, 2, 1, 2);
    } else {
        // The To side's new-folder row keeps both lists level.
        grid->setRowMinimumHeight(row++, txt_Text_Ext[i]->sizeHint().height());
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(dir_Folder[i], &FolderTree::pathChanged, this, [this, i] { folderChanged(i); });
    connect(drv_Folder[i], &DriveList::driveChosen, this, [this, i] {
        if (!shown_)
            return;
        Clear_File_Info();
        Drive_Changed(drv_Folder[i], dir_Folder[i]);
    });
    connect(cmd_WF[i], &QPushButton::clicked, this, [this, i] { Select_Working_Folder(i); });
    connect(cmd_RF[i], &QPushButton::clicked, this, [this, i] { Select_Program_Folder(i); });
    connect(fil_Files[i], &QListWidget::itemClicked, this, [this, i] { fileClicked(i); });
    connect(fil_Files[i], &QListWidget::currentRowChanged, this, [this, i] {
        if (fil_Files[i]->hasFocus())
            fileClicked(i);
    });
    return fra;
}

void frm_Copy::buildControls()
{
    QWidget* from = buildSide(0);
    QWidget* to = buildSide(1);

    cmd_Copy_Folder = new QPushButton(QStringLiteral("&Copy Folder Contents"), this);
    cmd_Copy_Folder->setObjectName(QStringLiteral("cmd_Copy_Folder"));
    cmd_Copy_Files = new QPushButton(QStringLiteral("Copy &Selected Files"), this);
    cmd_Copy_Files->setObjectName(QStringLiteral("cmd_Copy_Files"));
    cmd_Delete = new QPushButton(QStringLiteral("&Delete Selected Files"), this);
    cmd_Delete->setObjectName(QStringLiteral("cmd_Delete"));
    cmd_Delete->setEnabled(false);
    cmd_Close = Make_Close_Button(this, QStringLiteral("cmd_Close"));
    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    Make_Sunken(lbl_Focus);

    auto* sides = new QHBoxLayout;
    sides->addWidget(from, 1);
    sides->addWidget(to, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd_Copy_Folder);
    buttons->addWidget(cmd_Copy_Files);
    buttons->addWidget(cmd_Delete);
    buttons->addStretch(1);
    buttons->addWidget(cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides, 1);
    layout->addLayout(buttons);
    layout->addWidget(lbl_Focus);

    // Tab order: down the From side, down the To side, then the commands.
    QWidget* previous = nullptr;
    auto chain = [&previous, this](QWidget* w) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    };
    for (int i = 0; i < 2; ++i) {
        for (QWidget* w : {static_cast<QWidget*>(cmd_WF[i]), static_cast<QWidget*>(cmd_RF[i]),
                           static_cast<QWidget*>(dir_Folder[i]), static_cast<QWidget*>(drv_Folder[i]),
                           static_cast<QWidget*>(txt_Text_Ext[i]), static_cast<QWidget*>(fil_Files[i])})
            chain(w);
    }
    for (QWidget* w : {static_cast<QWidget*>(txt_New_Folder), static_cast<QWidget*>(cmd_Copy_Folder),
                       static_cast<QWidget*>(cmd_Copy_Files), static_cast<QWidget*>(cmd_Delete),
                       static_cast<QWidget*>(cmd_Close)})
        chain(w);

    box_.c = {this, txt_New_Folder, dir_Folder[1], drv_Folder[1], lbl_Focus};
    box_.title = copying::kNewFolderTitle;
    for (int i = 0; i < 2; ++i) {
        const QString s = sideWord(i);
        box_.hints.insert(cmd_WF[i], QStringLiteral(" Select Working Folder for ") + s + QStringLiteral(" Files "));
        box_.hints.insert(cmd_RF[i], QStringLiteral(" Select Program Folder for ") + s + QStringLiteral(" Files "));
        box_.hints.insert(txt_Text_Ext[i], QStringLiteral(" Enter File Extension for ") + s + QStringLiteral(" Files "));
        box_.hints.insert(dir_Folder[i], QStringLiteral(" ") + s + QStringLiteral(" Folder "));
        box_.hints.insert(drv_Folder[i], QStringLiteral(" ") + s + QStringLiteral(" Drive "));
        box_.hints.insert(fil_Files[i], QStringLiteral(" ") + s + QStringLiteral(" List of Files "));
    }
    box_.hints.insert(txt_New_Folder, QStringLiteral(" Enter a New Folder Name "));
    box_.hints.insert(cmd_Copy_Files, QStringLiteral(" Copy Selected Files "));
    box_.hints.insert(cmd_Copy_Folder, QStringLiteral(" Copy Entire Folder "));
    box_.hints.insert(cmd_Delete, QStringLiteral(" Delete Selected Files "));
    box_.hints.insert(cmd_Close, QStringLiteral(" Close Copy Dialog Box "));
    box_.open = [this] { return shown_; };
    box_.create = [this] { Create_New_Folder(); };
    box_.move = [this](int& keyCode, int shift) { return Move_Dialog_Keys(keyCode, shift, this); };
    box_.Watch_Controls();

    connect(cmd_Copy_Folder, &QPushButton::clicked, this, [this] { Copy_Folder(); });
    connect(cmd_Copy_Files, &QPushButton::clicked, this, [this] { Copy_Files(); });
    connect(cmd_Delete, &QPushButton::clicked, this, [this] { Delete_File(); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { Close_Form(); });
}

void frm_Copy::Form_Load()
{
    joinMainWindowAsDialog();
}

void frm_Copy::Open_Dialog()
{
    frm_Copy* d = forms::Copy();
    d->Prepare();
    Show_Dialog(d);
    // Within the main window's inner area, however small it is.
    if (QMdiSubWindow* f = d->frame()) {
        const SharedState& s = state();
        const QSize area(Px_From_Twips_X(s.Client_Width), Px_From_Twips_Y(s.Client_Height));
        f->resize(area.isEmpty() ? f->sizeHint() : f->sizeHint().boundedTo(area).expandedTo(f->minimumSizeHint()));
    }
    d->shown_ = true;
    d->dir_Folder[0]->setFocus();
}

void frm_Copy::Prepare()
{
    shown_ = false;
    drv_Folder[0]->Refresh_Drives();
    drv_Folder[1]->Refresh_Drives();
    for (int i = 0; i < 2; ++i) {
        txt_Text_Ext[i]->setText(pattern_[i]);
        pointSideAt(i, startFolder());
    }
    Clear_File_Info();
    txt_New_Folder->clear();
    cmd_Delete->setEnabled(false);
}

void frm_Copy::pointSideAt(int side, const QString& folder)
{
    drv_Folder[side]->setDrive(folder);
    dir_Folder[side]->setPath(folder);
    dir_Folder[side]->Show_Path();
    // Setting the path already shown reports nothing: the side is filled here.
    lbl_Folder[side]->setText(dir_Folder[side]->path());
    refreshFiles(side);
}

// ---- side events ---------------------------------------------------------------

void frm_Copy::folderChanged(int side)
{
    lbl_Folder[side]->setText(dir_Folder[side]->path());
    refreshFiles(side);
    if (side == 1)
        cmd_Delete->setEnabled(false);
}

void frm_Copy::refreshFiles(int side)
{
    fil_Files[side]->clear();
    // "*.*" means every file, as it always has, also the names without a dot.
    const QString filter = pattern_[side] == QLatin1String("*.*") ? QString() : pattern_[side];
    fil_Files[side]->addItems(fs::listFiles(lbl_Folder[side]->text(), filter));
}

void frm_Copy::fileClicked(int side)
{
    if (side == 1)
        cmd_Delete->setEnabled(!fil_Files[1]->selectedItems().isEmpty());
    Date_Last_Modified(side);
}

void frm_Copy::Text_File_Ext(int side)
{
    const QString p = copying::File_Pattern(txt_Text_Ext[side]->text());
    txt_Text_Ext[side]->setText(p);
    if (p == pattern_[side])
        return;
    pattern_[side] = p;
    refreshFiles(side);
    if (side == 1)
        cmd_Delete->setEnabled(false);
}

void frm_Copy::Create_New_Folder()
{
    box_.Create(cmd_Copy_Folder, [this](const QString& made) { dir_Folder[1]->setPath(made); });
}

void frm_Copy::Select_Working_Folder(int side)
{
    Clear_File_Info();
    pointSideAt(side, startFolder());
}

void frm_Copy::Select_Program_Folder(int side)
{
    Clear_File_Info();
    pointSideAt(side, fs::withoutSeparator(state().Program_Folder));
}

void frm_Copy::Clear_File_Info()
{
    for (int i = 0; i < 2; ++i) {
        lbl_Name[i]->clear();
        lbl_Date[i]->clear();
    }
}

void frm_Copy::Date_Last_Modified(int side)
{
    const QString folder = lbl_Folder[side]->text();
    const QListWidgetItem* item = fil_Files[side]->currentItem();
    if (folder.isEmpty() || !item)
        return;
    lbl_Name[side]->setText(item->text());
    lbl_Date[side]->setText(
        QLocale().toString(fs::modified(fs::withSeparator(folder) + item->text()), QLocale::ShortFormat));
}

// ---- copying ---------------------------------------------------------------------

copying::Answer frm_Copy::askReplace(const QString& relative)
{
    // The question stands alone; the dialog comes back as the user left it.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    hideFrame();
    const copying::Answer a = frm_Verify::Ask(relative);
    showFrame();
    if (focused && isAncestorOf(focused))
        focused->setFocus();
    return a;
}

bool frm_Copy::copyOne(const QString& from, const QString& to, bool link)
{
    const fs::Result r = link ? fs::copyLink(from, to) : fs::copyFile(from, to, true);
    if (r == fs::Result::Ok)
        return true;
    dialogs::message(copying::Copy_Failed(to, fs::describe(r)), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                     copying::kCopyFailedTitle);
    return false;
}

bool frm_Copy::foldersStillThere(const QString& title)
{
    // A folder deleted behind the dialog's back is not quietly taken for an
    // empty one, nor for another folder made under its name since.
    for (int side = 0; side < 2; ++side) {
        const QString folder = lbl_Folder[side]->text();
        if (fs::folderExists(folder))
            continue;
        dialogs::message(copying::Folder_Gone(folder), dialogs::Buttons::Ok, dialogs::Icon::Exclamation, title);
        refreshFiles(side);
        return false;
    }
    return true;
}

bool frm_Copy::leaveOutUnwritable(const QString& target, QStringList& entries,
                                  const std::function<bool(const QString&)>& isFolder, const QString& title)
{
    // Asked before any "File Exists" question, so no answer is given for a
    // file that could not be written anyway.
    QList<copying::Unwritable> blocked;
    QStringList kept;
    bool filesLeft = false;
    for (const QString& rel : entries) {
        if (isFolder(rel)) {
            // A folder below a link would be made outside the target.
            if (!fs::throughLink(target, rel))
                kept << rel;
            continue;
        }
        const QString why = copying::Why_Unwritable(target, rel);
        if (why.isEmpty()) {
            kept << rel;
            filesLeft = true;
        } else {
            blocked.append({rel, why});
        }
    }
    if (!blocked.isEmpty()) {
        if (!filesLeft) {
            dialogs::message(copying::Unwritable_Message(blocked, false), dialogs::Buttons::Ok,
                             dialogs::Icon::Exclamation, title);
            return false;
        }
        if (dialogs::message(copying::Unwritable_Message(blocked, true), dialogs::Buttons::YesNo,
                             dialogs::Icon::Exclamation, title)
            != dialogs::Answer::Yes)
            return false;
    }
    entries = kept;
    return true;
}

void frm_Copy::Copy_Folder()
{
    const QString from = lbl_Folder[0]->text();
    const QString to = lbl_Folder[1]->text();
    const copying::FolderCheck check = copying::Check_Folder_Copy(
        from, to, fs::canonicalPath(from), fs::canonicalPath(to), fs::isRoot(from), fs::isRoot(to));
    switch (check) {
    case copying::FolderCheck::Nothing:
        return;
    case copying::FolderCheck::No_Folder:
        dialogs::message(copying::kNoFolder, dialogs::Buttons::Ok, dialogs::Icon::Critical, copying::kCopyFolderTitle);
        return;
    case copying::FolderCheck::Root_Target:
        dialogs::message(copying::Root_Target_Message(to), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                         copying::kCopyFolderTitle);
        return;
    case copying::FolderCheck::Into_Itself:
        dialogs::message(copying::Into_Itself_Message(from, to), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                         copying::kCopyFolderTitle);
        return;
    case copying::FolderCheck::Go:
        break;
    }
    if (!foldersStillThere(copying::kCopyFolderTitle))
        return;
    const QString source = fs::withSeparator(from);
    const QString target = fs::withSeparator(to);
    QHash<QString, fs::TreeEntry::Kind> kinds;
    QStringList entries;
    for (const fs::TreeEntry& e : fs::listTree(from)) {
        kinds.insert(e.relative, e.kind);
        entries << e.relative;
    }
    const auto isFolder = [&](const QString& rel) { return kinds.value(rel) == fs::TreeEntry::Kind::Folder; };
    if (!leaveOutUnwritable(target, entries, isFolder, copying::kCopyFolderTitle))
        return;
    // Subfolders merge into those already there; files and links that are
    // there already are replaced only when the user says so.
    const copying::Plan plan = copying::Plan_Copy(
        entries,
        [&](const QString& rel) {
            return !isFolder(rel) && (fs::exists(target + rel) || fs::isLink(target + rel));
        },
        [&](const QString& rel) { return askReplace(rel); });
    {
        WaitCursor wait;
        for (const QString& rel : plan.copy) {
            const fs::TreeEntry::Kind kind = kinds.value(rel);
            if (kind == fs::TreeEntry::Kind::Folder) {
                if (const fs::Result r = fs::makeFolder(target + rel); r != fs::Result::Ok) {
                    dialogs::message(copying::Copy_Failed(target + rel, fs::describe(r)), dialogs::Buttons::Ok,
                                     dialogs::Icon::Critical, copying::kCopyFailedTitle);
                    break;
                }
            } else if (!copyOne(source + rel, target + rel, kind == fs::TreeEntry::Kind::Link)) {
                break;
            }
        }
    }
    dir_Folder[1]->Refresh();
    refreshFiles(1);
    cmd_Delete->setEnabled(false);
}

void frm_Copy::Copy_Files()
{
    const QString from = lbl_Folder[0]->text();
    const QString to = lbl_Folder[1]->text();
    if (from.isEmpty() || to.isEmpty() || from == to
        || (!fs::canonicalPath(from).isEmpty() && fs::canonicalPath(from) == fs::canonicalPath(to)))
        return;
    QStringList names;
    for (int row = 0; row < fil_Files[0]->count(); ++row)
        if (fil_Files[0]->item(row)->isSelected())
            names << fil_Files[0]->item(row)->text();
    if (names.isEmpty()) {
        dialogs::message(copying::kNoFiles, dialogs::Buttons::Ok, dialogs::Icon::None, copying::kCopyFilesTitle);
        return;
    }
    if (!foldersStillThere(copying::kCopyFilesTitle))
        return;
    const QString source = fs::withSeparator(from);
    const QString target = fs::withSeparator(to);
    if (!leaveOutUnwritable(target, names, [](const QString&) { return false; }, copying::kCopyFilesTitle))
        return;
    const copying::Plan plan = copying::Plan_Copy(
        names, [&](const QString& name) { return fs::exists(target + name) || fs::isLink(target + name); },
        [&](const QString& name) { return askReplace(name); });
    {
        WaitCursor wait;
        for (const QString& name : plan.copy)
            if (!copyOne(source + name, target + name, false))
                break;
    }
    refreshFiles(1);
    cmd_Delete->setEnabled(false);
}

void frm_Copy::Delete_File()
{
    const QString folder = lbl_Folder[1]->text();
    if (folder.isEmpty())
        return;
    const QString base = fs::withSeparator(folder);
    QStringList names;
    for (int row = 0; row < fil_Files[1]->count(); ++row)
        if (fil_Files[1]->item(row)->isSelected())
            names << fil_Files[1]->item(row)->text();
    for (const QString& name : names) {
        const QString path = base + name;
        // The entry listed is what goes: a link, never the file it points
        // to, whose protection is not the link's.
        const bool link = fs::isLink(path);
        // A file the user protected stays, whatever this process may do.
        if (!link && fs::isReadOnly(path)) {
            dialogs::message(copying::Read_Only_Not_Deleted(name), dialogs::Buttons::Ok, dialogs::Icon::Critical,
                             copying::kProtectedTitle);
            break;
        }
        fs::Result r;
        if (link && !fs::exists(path)) {
            // A link to nothing cannot go to the trash, and holds nothing
            // to get back but where it pointed.
            r = fs::removeFile(path);
        } else {
            r = fs::moveToTrash(path);
            if (r == fs::Result::IoError) {
                if (dialogs::message(pages::Delete_For_Good_Question(name), dialogs::Buttons::YesNo,
                                     dialogs::Icon::Exclamation, copying::kDeleteTitle, dialogs::Answer::No)
                    != dialogs::Answer::Yes)
                    break;
                r = fs::removeFile(path);
            }
        }
        if (r != fs::Result::Ok && r != fs::Result::NotFound) {
            dialogs::message(pages::Delete_Failed(name, fs::describe(r)), dialogs::Buttons::Ok,
                             dialogs::Icon::Critical, copying::kDeleteTitle);
            break;
        }
    }
    refreshFiles(1);
    Clear_File_Info();
    cmd_Delete->setEnabled(false);
}

void frm_Copy::Close_Form()
{
    shown_ = false;
    Close_Dialog(this);
}

void frm_Copy::closeRequested()
{
    Close_Form();
}

bool frm_Copy::eventFilter(QObject* watched, QEvent* event)
{
    if (box_.Handle_Event(watched, event))
        return true;
    for (int i = 0; i < 2; ++i) {
        if (watched != txt_Text_Ext[i])
            continue;
        if (event->type() == QEvent::KeyPress) {
            const vb::KeyStroke k = vb::fromEvent(*static_cast<QKeyEvent*>(event));
            if (k.shift == 0 && (k.keyCode == vb::Key_Tab || k.keyCode == vb::Key_Return)) {
                fil_Files[i]->setFocus();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && shown_) {
            Text_File_Ext(i);
        }
    }
    return ToolWindow::eventFilter(watched, event);
}
