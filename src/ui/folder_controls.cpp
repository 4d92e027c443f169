#include "ui/folder_controls.h"

#include "ui/tool_window.h"

#include "platform/screen.h"
#include "core/shared_state.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/vb_keys.h"
#include "core/site_layout.h"

#include <QFileSystemModel>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

// ---- DriveList ---------------------------------------------------------------

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    connect(this, &QComboBox::activated, this, [this] { emit driveChosen(drive()); });
}

void DriveList::Refresh_Drives()
{
    const QString shown = drive();
    clear();
    addItems(site::Available_Drives());
    if (!shown.isEmpty())
        setDrive(shown);
}

QString DriveList::drive() const
{
    return currentText();
}

void DriveList::setDrive(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString d = site::Drive_Of(path);
    int i = findText(d, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0) {
        addItem(d);
        i = count() - 1;
    }
    setCurrentIndex(i);
}

// ---- DriveFilter -------------------------------------------------------------

void DriveFilter::setDrive(const QModelIndex& driveParent, const QString& drivePath)
{
    active_ = true;
    driveParent_ = driveParent;
    drivePath_ = drivePath;
    invalidateFilter();
}

bool DriveFilter::filterAcceptsRow(int row, const QModelIndex& parent) const
{
    if (!active_ || !(driveParent_ == parent))
        return true;
    const auto* model = static_cast<const QFileSystemModel*>(sourceModel());
    return model->filePath(model->index(row, 0, parent)) == drivePath_;
}

// ---- FolderTree --------------------------------------------------------------

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent)
{
    // Made first: setting the model below already reports a current folder.
    lostCheck_ = new QTimer(this);
    lostCheck_->setInterval(1000);
    connect(lostCheck_, &QTimer::timeout, this, [this] { findLostPath(); });
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    filter_ = new DriveFilter(this);
    filter_->setSourceModel(model_);
    setModel(filter_);
    for (int c = 1; c < filter_->columnCount(); ++c)
        hideColumn(c);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(true);
    // Folders are read in the background and sorted as they arrive, which
    // moves the rows: keep the folder shown in view while that happens.
    follow_ = new QTimer(this);
    follow_->setSingleShot(true);
    follow_->setInterval(30);
    connect(follow_, &QTimer::timeout, this, [this] { keepPathInView(); });
    auto later = [this] {
        if (followPath_)
            follow_->start();
    };
    connect(filter_, &QAbstractItemModel::layoutChanged, this, later);
    connect(filter_, &QAbstractItemModel::rowsInserted, this, later);
    connect(model_, &QFileSystemModel::directoryLoaded, this, later);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { followPath_ = false; });
    connect(filter_, &QAbstractItemModel::rowsInserted, this, [this] {
        findLostPath();
        selectFoundPath();
    });
}

void FolderTree::findLostPath()
{
    if (!pathLost_ || !fs::folderExists(path_))
        return;
    pathLost_ = false;
    lostCheck_->stop();
    selectWhenListed_ = true;
    selectFoundPath();
    // Its files are read again: the folder made under the old name is not
    // the one whose files were shown.
    emit pathChanged(path_);
}

void FolderTree::selectFoundPath()
{
    if (!selectWhenListed_)
        return;
    const QModelIndex view = filter_->mapFromSource(model_->index(path_));
    if (!view.isValid())
        return;
    selectWhenListed_ = false;
    settingPath_ = true;
    setCurrentIndex(view);
    settingPath_ = false;
}

void FolderTree::keepPathInView()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && isVisible())
        scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void FolderTree::showEvent(QShowEvent* event)
{
    QTreeView::showEvent(event);
    // A path set while the tree was hidden could not be scrolled to.
    if (followPath_)
        follow_->start();
}

void FolderTree::mousePressEvent(QMouseEvent* event)
{
    followPath_ = false;
    QTreeView::mousePressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event)
{
    followPath_ = false;
    QTreeView::wheelEvent(event);
}

void FolderTree::showDrive(const QString& drive)
{
    if (drive == drive_)
        return;
    drive_ = drive;
    const QString root = fs::withoutSeparator(drive);
    model_->setRootPath(root);
    const QModelIndex source = model_->index(root);
    filter_->setDrive(source.parent(), model_->filePath(source));
    setRootIndex(filter_->mapFromSource(source.parent()));
}

QString FolderTree::pathAt(const QModelIndex& viewIndex) const
{
    if (!viewIndex.isValid())
        return QString();
    return model_->filePath(filter_->mapToSource(viewIndex));
}

void FolderTree::setPath(const QString& path)
{
    const QString p = fs::withoutSeparator(path);
    if (p == path_)
        return;
    path_ = p;
    pathLost_ = false;
    selectWhenListed_ = false;
    lostCheck_->stop();
    if (!p.isEmpty()) {
        showDrive(site::Drive_Of(p));
        const QModelIndex view = filter_->mapFromSource(model_->index(p));
        settingPath_ = true;
        followPath_ = true;
        if (view.isValid()) {
            setCurrentIndex(view);
            scrollTo(view);
            expand(view);
        } else {
            setCurrentIndex(QModelIndex());
        }
        settingPath_ = false;
    }
    emit pathChanged(path_);
}

void FolderTree::Show_Path()
{
    followPath_ = true;
    if (isVisible())
        follow_->start();
}

void FolderTree::Refresh()
{
    // The model follows the disk on its own; a folder made a moment ago is
    // looked up directly so it can be shown at once.
    if (path_.isEmpty())
        return;
    const QModelIndex view = filter_->mapFromSource(model_->index(path_));
    if (view.isValid() && view != currentIndex()) {
        settingPath_ = true;
        setCurrentIndex(view);
        scrollTo(view);
        settingPath_ = false;
    }
}

void FolderTree::Open_Highlighted()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const QString p = pathAt(current);
    expand(current);
    if (!p.isEmpty() && p != path_) {
        path_ = p;
        pathLost_ = false;
        selectWhenListed_ = false;
        lostCheck_->stop();
        emit pathChanged(path_);
    }
}

void FolderTree::keyPressEvent(QKeyEvent* event)
{
    followPath_ = false;
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        Open_Highlighted();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FolderTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    if (settingPath_)
        return;
    // The folder shown was removed on disk and the view moved to a
    // neighbour: that is no choice of the user's, and copying into a folder
    // next to the one chosen would be a surprise. The path stays; the folder
    // is taken up again if one of its name comes back.
    if (previous.isValid() && pathAt(previous) == path_ && !fs::folderExists(path_)) {
        pathLost_ = true;
        lostCheck_->start();
        return;
    }
    pathLost_ = false;
    selectWhenListed_ = false;
    lostCheck_->stop();
    const QString p = pathAt(current);
    if (!p.isEmpty() && p != path_) {
        path_ = p;
        emit pathChanged(path_);
    }
}

// ---- the shared drive change -------------------------------------------------

void Drive_Changed(DriveList* drv, FolderTree* dir)
{
    const QString drive = drv->drive();
    if (site::Drive_Available(drive)) {
        dir->setPath(drive);
        drv->setFocus();
        return;
    }
    dialogs::message(QStringLiteral("This Drive is not Available"), dialogs::Buttons::Ok,
                     dialogs::Icon::Critical, QStringLiteral("TWE - Select Drive"));
    const QString working = state().Working_Folder;
    drv->setDrive(working);
    dir->setPath(fs::withoutSeparator(working));
    drv->setFocus();
}

// ---- what both folder dialogs share ------------------------------------

void Make_Sunken(QLabel* label)
{
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void FolderDialogParts::Watch_Controls()
{
    const QList<QWidget*> controls = c.dialog->findChildren<QWidget*>();
    for (QWidget* w : controls)
        w->installEventFilter(c.dialog);
}

bool FolderDialogParts::Handle_Event(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const vb::KeyStroke k = vb::fromEvent(*static_cast<QKeyEvent*>(event));
        if (watched->isWidgetType()
            && Key_Belongs_To_Control(static_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event)))
            return false;
        if (k.shift == vb::AltMask || k.shift == (vb::AltMask | vb::ShiftMask)) {
            int code = k.keyCode;
            return code != 0 && move(code, k.shift);
        }
        if (k.shift == 0 && watched == c.name && k.keyCode == vb::Key_Return) {
            create();
            return true;
        }
        break;
    }
    case QEvent::FocusIn: {
        const auto it = hints.constFind(watched);
        if (it != hints.constEnd())
            c.hintLine->setText(it.value());
        if (watched == c.name)
            QTimer::singleShot(0, c.name, &QLineEdit::selectAll);
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched == c.name && open() && !creating_ && reason != Qt::ActiveWindowFocusReason
            && reason != Qt::PopupFocusReason && !c.name->text().isEmpty())
            QTimer::singleShot(0, c.dialog, [this] {
                if (open())
                    create();
            });
        break;
    }
    default:
        break;
    }
    return false;
}

void FolderDialogParts::Create(QWidget* next, const std::function<void(const QString&)>& made)
{
    const QString typed = c.name->text();
    if (typed.isEmpty() || creating_)
        return;
    creating_ = true;
    const dialogs::Answer a = dialogs::message(QStringLiteral("Use ") + typed + QStringLiteral(" as a New Folder?"),
                                               dialogs::Buttons::YesNo, dialogs::Icon::None, title);
    if (a == dialogs::Answer::Yes) {
        const site::NewFolder folder = site::Make_New_Folder(c.tree->path(), typed);
        if (folder.result != fs::Result::Ok) {
            dialogs::message(site::New_Folder_Failure(typed));
            c.name->clear();
            c.drive->setFocus();
            creating_ = false;
            return;
        }
        c.tree->Refresh();
        if (made)
            made(folder.path);
    }
    c.name->clear();
    next->setFocus();
    creating_ = false;
}
